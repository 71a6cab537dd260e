// Text routines shared by the whole program; those that hand out substrings are counted by the scratch pool.
#pragma once

#include <cstdio>
#include <string_view>

// Bytes `start` to `end` inclusive of `s`, as a view into `s` (no copy is made, but one
// scratch string is counted). An `end` beyond the length gives `s` itself; an empty or
// reversed range gives the empty string.
std::string_view substring(std::string_view s, int start, int end);
// The same bytes, without counting a scratch string.
std::string_view substringUncounted(std::string_view s, int start, int end);

// Writes `src` without its Quake III colour codes (a caret and the byte after it) into
// `dest`, which must hold src.size() + 1 bytes, and NUL-terminates it. Returns the length
// written. Of a doubled caret the first stays; a caret at the very end vanishes. Counts
// three scratch strings per byte kept and two per colour code dropped.
std::size_t stripColorCodes(std::string_view src, char* dest);
// The same, with the scratch strings it would count stored in `*scratch` instead.
std::size_t stripColorCodesUncounted(std::string_view src, char* dest, int* scratch);

// Cuts the NUL-terminated `s` at the first '\n' or '\r' among its last five bytes.
void stripNewLineChars(char* s);

// Replaces, in the NUL-terminated `s`, every byte outside 0x20..0x7E and every one of
// \ & " + # = % by '_'.
void replaceNonPrintableChars(char* s);
// The same for the first `len` bytes of `s`, NUL or not.
void replaceNonPrintableChars(char* s, std::size_t len);
// The same for bytes `from` to `len` - 1 only.
void replaceNonPrintableCharsFrom(char* s, std::size_t from, std::size_t len);
// Offset of the first byte of s[0..len) that replaceNonPrintableChars would replace (every
// NUL and line end is one), or `len`.
std::size_t firstUnwanted(const char* s, std::size_t len);

// Replaces every byte of `s` other than A-Z, a-z, 0-9 and '.' by '_'.
void stripIllegalFilenameChars(char* s);

// ASCII upper case to lower case, in place.
void toLowerCase(char* s);

// Reverses the bytes of `s` in place and returns it.
char* strReverse(char* s);

// Replaces the span of `s` from the start of the first occurrence of `needle` to the end of
// its last occurrence by `replacement`, in place (`s` must have room when the replacement is
// longer). Returns `s`, or nullptr (and leaves `s` alone) when `needle` does not occur.
char* strReplace(char* s, std::string_view needle, std::string_view replacement);

// Closes `f` unless it is null.
void fpclose(std::FILE* f);

// Plain substring test, for texts that are not part of the message vocabulary.
bool containsText(std::string_view haystack, std::string_view needle);

// Index of the first occurrence of `needle` in `haystack`, or -1.
int findText(std::string_view haystack, std::string_view needle);

// Writes all `size` bytes to the file descriptor, going on after interruptions and short
// writes. False (errno set) when a write fails.
bool writeAllBytes(int fd, const char* bytes, std::size_t size);

// Writes `text` to `out` byte for byte (never as a format).
void writeBytes(std::FILE* out, std::string_view text);

// Reads a text the way sscanf's "%s" and "%d" conversions do in the C locale, without the
// C library's per-call cost, for rows read once per log line.
class ScanfCursor {
 public:
  explicit ScanfCursor(std::string_view text) : text_(text) {}
  // "%s": skips white space and takes the bytes up to the next white space. False (nothing
  // taken) when only white space is left.
  bool word(std::string_view* out);
  // "%d": skips white space, then an optional sign and at least one digit. A number past
  // the range of long is held at its limit, then cut to int, as the C library stores it.
  // False when no number stands there; the cursor has then moved past the white space only.
  bool integer(int* out);
  // True when only white space is left (sscanf then reports the end of input).
  bool atEnd();

 private:
  void skipSpace();
  std::string_view text_;
  std::size_t pos_ = 0;
};
