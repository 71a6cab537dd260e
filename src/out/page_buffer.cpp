// Number formatting and template expansion for page buffers, without the C library's printf.
#include "out/page_buffer.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

void PageBuffer::grow(std::size_t n) {
  std::size_t capacity = data_.size() < 4096 ? 4096 : data_.size();
  while (capacity < size_ + n) capacity *= 2;
  data_.resize(capacity);
}

void PageBuffer::appendInt(long long value, int minDigits) {
  if (minDigits <= 1) {
    commitRaw(putInt(reserve(20), value));
    return;
  }
  char digits[24];
  const bool negative = value < 0;
  // Negated as unsigned, so the most negative value has its magnitude too.
  unsigned long long magnitude = negative ? 0ull - static_cast<unsigned long long>(value)
                                          : static_cast<unsigned long long>(value);
  const auto result = std::to_chars(digits, digits + sizeof digits, magnitude);
  const std::size_t count = static_cast<std::size_t>(result.ptr - digits);
  const std::size_t zeros = count < static_cast<std::size_t>(minDigits) ? minDigits - count : 0;
  char* out = reserve(1 + zeros + count);
  std::size_t k = 0;
  if (negative) out[k++] = '-';
  for (std::size_t z = 0; z < zeros; ++z) out[k++] = '0';
  std::memcpy(out + k, digits, count);
  size_ += k + count;
}

char* PageBuffer::putInt(char* out, long long value) {
  // Most figures on a page are single digits (a weapon matrix is mostly zeros).
  if (value >= 0 && value < 10) {
    *out = static_cast<char>('0' + value);
    return out + 1;
  }
  if (value < 0) *out++ = '-';
  // Negated as unsigned, so the most negative value has its magnitude too.
  const unsigned long long magnitude = value < 0 ? 0ull - static_cast<unsigned long long>(value)
                                                 : static_cast<unsigned long long>(value);
  return std::to_chars(out, out + 20, magnitude).ptr;
}

void PageBuffer::appendFixed2(double value) {
  if (std::isnan(value)) {
    // printf spells the sign of a NaN; to_chars would too, but say it here plainly.
    append(std::signbit(value) ? "-nan" : "nan");
    return;
  }
  char text[400];  // the largest double in fixed notation has 309 digits
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 2);
  append(std::string_view(text, static_cast<std::size_t>(result.ptr - text)));
}

namespace {

enum class Conversion : uint8_t { kNone, kPercent, kInt, kInt2, kString, kFixed2 };

// One piece of a template: literal text, then (unless kNone) one conversion.
struct Piece {
  uint32_t offset;
  uint32_t length;
  Conversion conversion;
};

// A template cut into pieces once, on its first use.
struct CompiledTemplate {
  const char* format = nullptr;
  std::vector<Piece> pieces;
};

void compile(const char* format, CompiledTemplate& t) {
  t.format = format;
  t.pieces.clear();
  const char* p = format;
  for (;;) {
    const char* percent = std::strchr(p, '%');
    const char* literalEnd = percent ? percent : p + std::strlen(p);
    Piece piece{static_cast<uint32_t>(p - format), static_cast<uint32_t>(literalEnd - p), Conversion::kNone};
    if (percent == nullptr) {
      t.pieces.push_back(piece);
      return;
    }
    const char* after = percent + 1;  // what follows the percent sign
    if (after[0] == '%') {
      piece.conversion = Conversion::kPercent;
      p = after + 1;
    } else if (after[0] == 'd') {
      piece.conversion = Conversion::kInt;
      p = after + 1;
    } else if (after[0] == 's') {
      piece.conversion = Conversion::kString;
      p = after + 1;
    } else if (std::strncmp(after, ".2d", 3) == 0) {
      piece.conversion = Conversion::kInt2;
      p = after + 3;
    } else if (std::strncmp(after, "0.2f", 4) == 0) {
      piece.conversion = Conversion::kFixed2;
      p = after + 4;
    } else if (std::strncmp(after, ".2f", 3) == 0) {
      piece.conversion = Conversion::kFixed2;
      p = after + 3;
    } else {
      // A conversion our templates never use: a programming error, shown on the page as it is.
      piece.length += 1;
      p = after;
    }
    t.pieces.push_back(piece);
  }
}

// Templates are string literals at their call sites, so a template is known by its address:
// a small direct-mapped cache keeps the compiled form of those in use.
constexpr std::size_t kCachedTemplates = 1024;

const CompiledTemplate& compiled(const char* format) {
  static CompiledTemplate* cache = new CompiledTemplate[kCachedTemplates];  // kept until exit
  const std::size_t slot = (reinterpret_cast<std::uintptr_t>(format) >> 3) % kCachedTemplates;
  CompiledTemplate& t = cache[slot];
  if (t.format != format) compile(format, t);
  return t;
}

}  // namespace

void PageBuffer::format(const char* format, va_list args) {
  const CompiledTemplate& t = compiled(format);
  for (const Piece& piece : t.pieces) {
    append(std::string_view(format + piece.offset, piece.length));
    switch (piece.conversion) {
      case Conversion::kNone: break;
      case Conversion::kPercent: appendChar('%'); break;
      case Conversion::kInt: appendInt(va_arg(args, int)); break;
      case Conversion::kInt2: appendInt(va_arg(args, int), 2); break;
      case Conversion::kString: append(std::string_view(va_arg(args, const char*))); break;
      case Conversion::kFixed2: appendFixed2(va_arg(args, double)); break;
    }
  }
}

void PageBuffer::formatf(const char* text, ...) {
  va_list args;
  va_start(args, text);
  format(text, args);
  va_end(args);
}
