// Fixed-capacity, NUL-terminated text buffer: the 510-byte name and line fields of the program.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

// Holds at most N-1 bytes plus a terminator, never touches the heap and copies as plain
// bytes, so records holding several of them can be swapped and cleared wholesale.
// Text that would not fit is cut at N-1 bytes.
template <std::size_t N>
class FixedString {
 public:
  static constexpr std::size_t kCapacity = N - 1;

  FixedString() { clear(); }
  FixedString(std::string_view text) { assign(text); }  // NOLINT: implicit on purpose

  void clear() {
    len_ = 0;
    buf_[0] = '\0';
  }
  void assign(std::string_view text) {
    std::size_t n = text.size() < kCapacity ? text.size() : kCapacity;
    if (n) std::memmove(buf_, text.data(), n);
    len_ = n;
    buf_[n] = '\0';
  }
  void append(std::string_view text) {
    std::size_t room = kCapacity - len_;
    std::size_t n = text.size() < room ? text.size() : room;
    if (n) std::memmove(buf_ + len_, text.data(), n);
    len_ += n;
    buf_[len_] = '\0';
  }
  // Re-reads the length after the buffer was changed through data().
  void syncLength() { len_ = std::strlen(buf_); }

  FixedString& operator=(std::string_view text) {
    assign(text);
    return *this;
  }

  std::string_view view() const { return std::string_view(buf_, len_); }
  operator std::string_view() const { return view(); }  // NOLINT
  const char* c_str() const { return buf_; }
  char* data() { return buf_; }
  std::size_t size() const { return len_; }
  bool empty() const { return len_ == 0; }
  char operator[](std::size_t i) const { return buf_[i]; }

  friend bool operator==(const FixedString& a, std::string_view b) { return a.view() == b; }
  friend bool operator!=(const FixedString& a, std::string_view b) { return a.view() != b; }

 private:
  std::size_t len_;
  char buf_[N];
};

// The width of every name, line and configuration value.
constexpr std::size_t kTextSize = 510;
using Text510 = FixedString<kTextSize>;
