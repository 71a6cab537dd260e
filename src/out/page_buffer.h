// A page under construction: one growing byte buffer, filled by templates and literal text, written out whole.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <memory>
#include <string_view>
#include <utility>
#include <vector>

// Storage for page bytes that is not zeroed when it grows: a page writes every byte it
// keeps, and zeroing the rest of a doubled buffer would cost time and make it resident.
template <class T>
struct UninitializedAllocator : std::allocator<T> {
  template <class U>
  struct rebind {
    using other = UninitializedAllocator<U>;
  };
  UninitializedAllocator() = default;
  template <class U>
  UninitializedAllocator(const UninitializedAllocator<U>&) noexcept {}
  template <class U>
  void construct(U* p) noexcept {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... Args>
  void construct(U* p, Args&&... args) {
    ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
  }
};
using PageBytes = std::vector<char, UninitializedAllocator<char>>;

// Holds the bytes of one page. The storage is kept from page to page, so a run allocates
// only while its largest page grows.
class PageBuffer {
 public:
  void clear() { size_ = 0; }
  std::size_t size() const { return size_; }
  std::string_view view() const { return std::string_view(data_.data(), size_); }

  void append(std::string_view text) {
    char* out = reserve(text.size());
    if (!text.empty()) std::memcpy(out, text.data(), text.size());
    size_ += text.size();
  }
  void appendChar(char c) {
    *reserve(1) = c;
    ++size_;
  }
  // An int as "%d" prints it; with `minDigits` 2 as "%.2d" does ("05", "-05").
  void appendInt(long long value, int minDigits = 1);
  // A double as "%.2f" prints it: correctly rounded, "-0.00" for small negatives, "inf" and
  // "nan" as the C library spells them.
  void appendFixed2(double value);

  // For a writer that fills many small pieces at once: room for `n` bytes at the end of the
  // page, to be written through the pointer returned and closed by commitRaw() with the end
  // of what was written. Nothing else may be appended in between.
  char* reserveRaw(std::size_t n) { return reserve(n); }
  void commitRaw(const char* end) { size_ = static_cast<std::size_t>(end - data_.data()); }
  // Writes `value` as "%d" prints it at `out`, returning the end (at most 20 bytes).
  static char* putInt(char* out, long long value);

  // Appends `format` with its values. Our templates use only %d, %.2d, %s, %0.2f (also
  // written %.2f) and %%. A template is cut into literal runs and conversions on its first
  // use and kept so by its address: templates are string literals (the format checks of the
  // build refuse any other).
  void format(const char* format, va_list args);
  void formatf(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // Exchanges the storage with `other` (the page's bytes are the first size() of it) and
  // starts an empty page in the storage received.
  void swapStorage(PageBytes& other) {
    data_.swap(other);
    size_ = 0;
  }

 private:
  char* reserve(std::size_t n) {
    if (size_ + n > data_.size()) grow(n);
    return data_.data() + size_;
  }
  void grow(std::size_t n);

  PageBytes data_;
  std::size_t size_ = 0;
};
