// Number formatting and template expansion for page buffers, without the C library's printf.
#include "html/page_buffer.h"

#include <charconv>
#include <cmath>
#include <cstdio>

void PageBuffer::grow(std::size_t n) {
  std::size_t capacity = data_.size() < 4096 ? 4096 : data_.size();
  while (capacity < size_ + n) capacity *= 2;
  data_.resize(capacity);
}

void PageBuffer::appendInt(long long value, int minDigits) {
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

void PageBuffer::format(const char* format, va_list args) {
  const char* p = format;
  for (;;) {
    const char* percent = std::strchr(p, '%');
    if (percent == nullptr) {
      append(std::string_view(p));
      return;
    }
    append(std::string_view(p, static_cast<std::size_t>(percent - p)));
    const char* spec = percent + 1;
    if (spec[0] == '%') {
      appendChar('%');
      p = spec + 1;
    } else if (spec[0] == 'd') {
      appendInt(va_arg(args, int));
      p = spec + 1;
    } else if (spec[0] == 's') {
      append(std::string_view(va_arg(args, const char*)));
      p = spec + 1;
    } else if (std::strncmp(spec, ".2d", 3) == 0) {
      appendInt(va_arg(args, int), 2);
      p = spec + 3;
    } else if (std::strncmp(spec, "0.2f", 4) == 0) {
      appendFixed2(va_arg(args, double));
      p = spec + 4;
    } else if (std::strncmp(spec, ".2f", 3) == 0) {
      appendFixed2(va_arg(args, double));
      p = spec + 3;
    } else {
      // A conversion our templates never use: a programming error, shown on the page.
      appendChar('%');
      p = spec;
    }
  }
}

void PageBuffer::formatf(const char* text, ...) {
  va_list args;
  va_start(args, text);
  format(text, args);
  va_end(args);
}
