// Text routines shared by the whole program.
#include "base/strutil.h"

#include <unistd.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <cerrno>
#include <climits>
#include <cstring>

#include "base/scratch_pool.h"

std::string_view substring(std::string_view s, int start, int end) {
  storeMallocs();
  return substringUncounted(s, start, end);
}

std::string_view substringUncounted(std::string_view s, int start, int end) {
  const int len = static_cast<int>(s.size());
  if (end > len) return s;
  if (start < 0) start = 0;
  // An end equal to the length copies the terminator too, which adds nothing.
  if (end >= len) end = len - 1;
  if (end - start + 1 <= 0) return std::string_view();
  return s.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start + 1));
}

std::size_t stripColorCodes(std::string_view src, char* dest) {
  int scratch = 0;
  const std::size_t out = stripColorCodesUncounted(src, dest, &scratch);
  storeMallocs(scratch);
  return out;
}

std::size_t stripColorCodesUncounted(std::string_view src, char* dest, int* counted) {
  // Each byte kept costs three scratch strings (the byte, its neighbour, the append), each
  // colour code two. Runs between carets are copied whole.
  std::size_t out = 0;
  int codes = 0;
  const char* p = src.data();
  const char* const end = p + src.size();
  while (p < end) {
    const char* caret = static_cast<const char*>(std::memchr(p, '^', static_cast<std::size_t>(end - p)));
    const char* runEnd = caret ? caret : end;
    std::memcpy(dest + out, p, static_cast<std::size_t>(runEnd - p));
    out += static_cast<std::size_t>(runEnd - p);
    if (caret == nullptr) break;
    if (caret + 1 < end && caret[1] == '^') {
      dest[out++] = '^';  // of a doubled caret the first stays
      p = caret + 1;
    } else {
      ++codes;
      p = caret + 2;  // a caret at the very end vanishes
    }
  }
  dest[out] = '\0';
  *counted = static_cast<int>(out) * 3 + codes * 2;
  return out;
}

void stripNewLineChars(char* s) {
  const std::size_t len = std::strlen(s);
  for (std::size_t i = len > 5 ? len - 5 : 0; i < len; ++i) {
    if (s[i] == '\n' || s[i] == '\r') {
      s[i] = '\0';
      return;
    }
  }
}

namespace {

// Bytes that never reach a recogniser: everything outside printable ASCII, and the
// characters that would mean something in a page, a query or a format.
struct UnwantedBytes {
  char replacement[256];
  UnwantedBytes() {
    for (int c = 0; c < 256; ++c) replacement[c] = (c < 0x20 || c > 0x7E) ? '_' : static_cast<char>(c);
    for (unsigned char c : {'\\', '&', '"', '+', '#', '=', '%'}) replacement[c] = '_';
  }
};

const UnwantedBytes kUnwanted;

}  // namespace

void replaceNonPrintableChars(char* s) { replaceNonPrintableChars(s, std::strlen(s)); }

std::size_t firstUnwanted(const char* s, std::size_t len) {
  std::size_t i = 0;
#ifdef __SSE2__
  // Most lines hold no such byte before their line end: sixteen bytes at a time are checked.
  const __m128i low = _mm_set1_epi8(0x1F);
  const __m128i high = _mm_set1_epi8(0x7E);
  for (; i + 16 <= len; i += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    // Signed compares: bytes 0x80..0xFF are negative, so they count as below 0x20.
    __m128i bad = _mm_or_si128(_mm_cmpgt_epi8(low, v), _mm_cmpgt_epi8(v, high));
    for (char c : {'\\', '&', '"', '+', '#', '=', '%'}) bad = _mm_or_si128(bad, _mm_cmpeq_epi8(v, _mm_set1_epi8(c)));
    if (const int mask = _mm_movemask_epi8(bad)) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
  }
#endif
  for (; i < len; ++i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (kUnwanted.replacement[c] != static_cast<char>(c)) return i;
  }
  return len;
}

void replaceNonPrintableChars(char* s, std::size_t len) {
  replaceNonPrintableCharsFrom(s, firstUnwanted(s, len), len);
}

void replaceNonPrintableCharsFrom(char* s, std::size_t from, std::size_t len) {
  for (std::size_t i = from; i < len; ++i) s[i] = kUnwanted.replacement[static_cast<unsigned char>(s[i])];
}

void stripIllegalFilenameChars(char* s) {
  for (; *s; ++s) {
    const char c = *s;
    const bool keep = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                      c == '.';
    if (!keep) *s = '_';
  }
}

void toLowerCase(char* s) {
  for (; *s; ++s) {
    if (*s >= 'A' && *s <= 'Z') *s = static_cast<char>(*s - 'A' + 'a');
  }
}

char* strReverse(char* s) {
  const std::size_t len = std::strlen(s);
  for (std::size_t i = 0; i < len / 2; ++i) {
    char t = s[i];
    s[i] = s[len - 1 - i];
    s[len - 1 - i] = t;
  }
  return s;
}

char* strReplace(char* s, std::string_view needle, std::string_view replacement) {
  const std::string_view text(s);
  const std::size_t first = text.find(needle);
  if (needle.empty() || first == std::string_view::npos) return nullptr;
  const std::size_t last = text.rfind(needle) + needle.size();
  const std::size_t tail = text.size() - last;
  std::memmove(s + first + replacement.size(), s + last, tail + 1);
  std::memcpy(s + first, replacement.data(), replacement.size());
  return s;
}

void fpclose(std::FILE* f) {
  if (f != nullptr) std::fclose(f);
}

int findText(std::string_view haystack, std::string_view needle) {
  // The haystacks are log lines and names, a few dozen bytes: a search for the first byte
  // and a compare beats memmem, whose set-up costs more than such a search.
  const std::size_t at = haystack.find(needle);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

bool containsText(std::string_view haystack, std::string_view needle) {
  return findText(haystack, needle) >= 0;
}

bool writeAllBytes(int fd, const char* bytes, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

void writeBytes(std::FILE* out, std::string_view text) {
  if (!text.empty()) std::fwrite(text.data(), 1, text.size(), out);
}

namespace {
// White space as isspace() sees it in the C locale.
bool isCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
}  // namespace

void ScanfCursor::skipSpace() {
  while (pos_ < text_.size() && isCSpace(text_[pos_])) ++pos_;
}

bool ScanfCursor::atEnd() {
  skipSpace();
  return pos_ >= text_.size();
}

bool ScanfCursor::word(std::string_view* out) {
  if (atEnd()) return false;
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !isCSpace(text_[pos_])) ++pos_;
  *out = text_.substr(start, pos_ - start);
  return true;
}

bool ScanfCursor::integer(int* out) {
  if (atEnd()) return false;
  std::size_t p = pos_;
  const bool negative = text_[p] == '-';
  if (text_[p] == '-' || text_[p] == '+') ++p;
  if (p >= text_.size() || !isDigit(text_[p])) return false;
  // Accumulated as the magnitude of a long, held at the limit once past it.
  constexpr unsigned long kPositiveLimit = static_cast<unsigned long>(LONG_MAX);
  const unsigned long limit = negative ? kPositiveLimit + 1 : kPositiveLimit;
  unsigned long magnitude = 0;
  for (; p < text_.size() && isDigit(text_[p]); ++p) {
    const unsigned long digit = static_cast<unsigned long>(text_[p] - '0');
    magnitude = magnitude > (limit - digit) / 10 ? limit : magnitude * 10 + digit;
  }
  pos_ = p;
  const long value = negative ? static_cast<long>(0ul - magnitude) : static_cast<long>(magnitude);
  *out = static_cast<int>(value);  // the low 32 bits, as the C library stores a long into an int
  return true;
}
