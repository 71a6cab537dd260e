// Reads JSON text into values in one pass, refusing everything the grammar does not allow.
#include "kx-index/json_reader.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <deque>

namespace kxindex {

namespace {

constexpr int kMaxDepth = 64;
// Each value costs some hundred bytes in memory: the count is bounded so that a file of
// nothing but "0," cannot take gigabytes. A record of 64 players holds about 25,000.
constexpr std::size_t kMaxValues = 1u << 18;
constexpr std::size_t kShortNumber = 300;

class Parser {
 public:
  Parser(std::string_view text, const std::vector<std::string_view>* keep) : text_(text), keep_(keep) {}

  bool document(JsonValue* out, std::string* err) {
    skipSpace();
    if (!value(out, 0)) return fail(err);
    skipSpace();
    if (pos_ != text_.size()) {
      problem_ = "text after the value";
      return fail(err);
    }
    return true;
  }

 private:
  bool fail(std::string* err) const {
    *err = "byte " + std::to_string(pos_) + ": " + problem_;
    return false;
  }

  bool refuse(const char* what) {
    problem_ = what;
    return false;
  }

  bool atEnd() const { return pos_ >= text_.size(); }
  char peek() const { return text_[pos_]; }

  void skipSpace() {
    while (!atEnd() && (peek() == ' ' || peek() == '\t' || peek() == '\n' || peek() == '\r')) ++pos_;
  }

  bool literal(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return refuse("not a JSON value");
    pos_ += word.size();
    return true;
  }

  // Reads one value into `out`, or only checks it when `out` is null.
  bool value(JsonValue* out, int depth) {
    if (atEnd()) return refuse("a value is missing");
    if (++values_ > kMaxValues) return refuse("more than 262144 values");
    const char c = peek();
    if (c == '{') return object(out, depth + 1);
    if (c == '[') return array(out, depth + 1);
    if (c == '"') {
      if (out != nullptr) out->kind = JsonKind::kString;
      return string(out != nullptr ? &out->string : nullptr);
    }
    if (c == 't' || c == 'f' || c == 'n') {
      const bool known = literal(c == 't' ? "true" : c == 'f' ? "false" : "null");
      if (out != nullptr) {
        out->kind = c == 'n' ? JsonKind::kNull : JsonKind::kBoolean;
        out->boolean = c == 't';
      }
      return known;
    }
    return number(out);
  }

  bool kept(std::string_view key) const {
    return keep_ == nullptr || std::find(keep_->begin(), keep_->end(), key) != keep_->end();
  }

  bool object(JsonValue* out, int depth) {
    if (depth > kMaxDepth) return refuse("nested deeper than 64");
    if (out != nullptr) out->kind = JsonKind::kObject;
    ++pos_;
    skipSpace();
    if (!atEnd() && peek() == '}') {
      ++pos_;
      return true;
    }
    for (;;) {
      skipSpace();
      if (atEnd() || peek() != '"') return refuse("a key is missing");
      std::string_view key;
      if (!keyText(&key)) return false;
      skipSpace();
      if (atEnd() || peek() != ':') return refuse("':' is missing");
      ++pos_;
      skipSpace();
      JsonValue* member = nullptr;
      if (out != nullptr && kept(key)) {
        out->members.emplace_back(std::string(key), JsonValue());
        member = &out->members.back().second;
      }
      if (!value(member, depth)) return false;
      skipSpace();
      if (atEnd()) return refuse("the object is not closed");
      if (peek() == '}') break;
      if (peek() != ',') return refuse("',' or '}' is missing");
      ++pos_;
    }
    ++pos_;
    if (out == nullptr) return true;
    keys_.clear();
    for (const auto& m : out->members) keys_.emplace_back(m.first);
    std::sort(keys_.begin(), keys_.end());
    if (std::adjacent_find(keys_.begin(), keys_.end()) != keys_.end()) return refuse("a key occurs twice in an object");
    return true;
  }

  // A key as it reads: a view of the text when it has no escape (as every key of a record),
  // else decoded into storage of the parser's own.
  bool keyText(std::string_view* key) {
    const std::size_t start = pos_ + 1;
    const std::size_t end = start + plainRun(start);
    if (end < text_.size() && text_[end] == '"') {
      *key = text_.substr(start, end - start);
      pos_ = end + 1;
      return true;
    }
    escapedKeys_.emplace_back();
    if (!string(&escapedKeys_.back())) return false;
    *key = escapedKeys_.back();
    return true;
  }

  bool array(JsonValue* out, int depth) {
    if (depth > kMaxDepth) return refuse("nested deeper than 64");
    if (out != nullptr) out->kind = JsonKind::kArray;
    ++pos_;
    skipSpace();
    if (!atEnd() && peek() == ']') {
      ++pos_;
      return true;
    }
    for (;;) {
      skipSpace();
      JsonValue* item = nullptr;
      if (out != nullptr) {
        out->items.emplace_back();
        item = &out->items.back();
      }
      if (!value(item, depth)) return false;
      skipSpace();
      if (atEnd()) return refuse("the array is not closed");
      if (peek() == ']') break;
      if (peek() != ',') return refuse("',' or ']' is missing");
      ++pos_;
    }
    ++pos_;
    return true;
  }

  bool hexDigits(uint32_t* out) {
    if (text_.size() - pos_ < 4) return refuse("\\u needs four hexadecimal digits");
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = text_[pos_++];
      v <<= 4;
      if (c >= '0' && c <= '9') {
        v |= static_cast<uint32_t>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        v |= static_cast<uint32_t>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        v |= static_cast<uint32_t>(c - 'A' + 10);
      } else {
        return refuse("\\u needs four hexadecimal digits");
      }
    }
    *out = v;
    return true;
  }

  static void appendUtf8(uint32_t cp, std::string* out) {
    if (cp < 0x800) {
      *out += static_cast<char>(0xC0 | (cp >> 6));
    } else if (cp < 0x10000) {
      *out += static_cast<char>(0xE0 | (cp >> 12));
      *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    } else {
      *out += static_cast<char>(0xF0 | (cp >> 18));
      *out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
      *out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    }
    *out += static_cast<char>(0x80 | (cp & 0x3F));
  }

  // The records write each byte of log text from 0x80 up as the code point of its value, so
  // "\u0000" to "\u00ff" decode to one byte; higher code points to their UTF-8.
  bool escape(std::string* out) {
    const char c = text_[pos_++];
    switch (c) {
      case '"': *out += '"'; return true;
      case '\\': *out += '\\'; return true;
      case '/': *out += '/'; return true;
      case 'b': *out += '\b'; return true;
      case 'f': *out += '\f'; return true;
      case 'n': *out += '\n'; return true;
      case 'r': *out += '\r'; return true;
      case 't': *out += '\t'; return true;
      case 'u': break;
      default: --pos_; return refuse("unknown escape");
    }
    uint32_t cp = 0;
    if (!hexDigits(&cp)) return false;
    if (cp >= 0xDC00 && cp <= 0xDFFF) return refuse("a low surrogate without its high one");
    if (cp >= 0xD800 && cp <= 0xDBFF) {
      uint32_t low = 0;
      if (text_.substr(pos_, 2) != "\\u") return refuse("a high surrogate without its low one");
      pos_ += 2;
      if (!hexDigits(&low)) return false;
      if (low < 0xDC00 || low > 0xDFFF) return refuse("a high surrogate without its low one");
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
    }
    if (cp <= 0xFF) {
      *out += static_cast<char>(cp);
    } else {
      appendUtf8(cp, out);
    }
    return true;
  }

  // The length of the valid UTF-8 sequence of a character from 0x80 up at pos_; 0 if invalid.
  std::size_t utf8Length() const {
    const auto byte = [this](std::size_t i) { return static_cast<unsigned char>(text_[pos_ + i]); };
    const unsigned char b = byte(0);
    std::size_t n = 0;
    unsigned char low = 0x80, high = 0xBF;  // the bounds of the second byte
    if (b >= 0xC2 && b <= 0xDF) {
      n = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
      n = 3;
      if (b == 0xE0) low = 0xA0;
      if (b == 0xED) high = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
      n = 4;
      if (b == 0xF0) low = 0x90;
      if (b == 0xF4) high = 0x8F;
    } else {
      return 0;
    }
    if (text_.size() - pos_ < n) return 0;
    if (byte(1) < low || byte(1) > high) return 0;
    for (std::size_t i = 2; i < n; ++i) {
      if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    }
    return n;
  }

  // Reads a string into `out`, or only checks it when `out` is null.
  bool string(std::string* out) {
    if (out == nullptr) {
      discarded_.clear();
      out = &discarded_;
    }
    ++pos_;
    for (;;) {
      // Plain characters go over in one piece.
      const std::size_t run = pos_;
      pos_ += plainRun(pos_);
      out->append(text_.substr(run, pos_ - run));
      if (atEnd()) return refuse("the string is not closed");
      const auto c = static_cast<unsigned char>(peek());
      if (c == '"') {
        ++pos_;
        return true;
      }
      if (c < 0x20) return refuse("a control character in a string");
      if (c == '\\') {
        ++pos_;
        if (atEnd()) return refuse("the string is not closed");
        if (!escape(out)) return false;
      } else {
        const std::size_t n = utf8Length();
        if (n == 0) return refuse("invalid UTF-8 in a string");
        out->append(text_.substr(pos_, n));
        pos_ += n;
      }
    }
  }

  static bool plain(unsigned char c) { return c >= 0x20 && c < 0x80 && c != '"' && c != '\\'; }

  // How many plain characters (printable ASCII but '"' and '\\') follow from `from`.
  std::size_t plainRun(std::size_t from) const {
    std::size_t n = from;
    while (n < text_.size() && plain(static_cast<unsigned char>(text_[n]))) ++n;
    return n - from;
  }

  bool digits() {
    const std::size_t start = pos_;
    while (!atEnd() && peek() >= '0' && peek() <= '9') ++pos_;
    return pos_ > start;
  }

  bool number(JsonValue* out) {
    const std::size_t start = pos_;
    if (!atEnd() && peek() == '-') ++pos_;
    if (atEnd() || peek() < '0' || peek() > '9') return refuse("not a JSON value");
    if (peek() == '0') {
      ++pos_;
      if (!atEnd() && peek() >= '0' && peek() <= '9') return refuse("a number with a leading zero");
    } else {
      digits();
    }
    bool integral = true;
    if (!atEnd() && peek() == '.') {
      ++pos_;
      integral = false;
      if (!digits()) return refuse("a digit must follow the decimal point");
    }
    const bool exponent = !atEnd() && (peek() == 'e' || peek() == 'E');
    if (exponent) {
      ++pos_;
      integral = false;
      if (!atEnd() && (peek() == '+' || peek() == '-')) ++pos_;
      if (!digits()) return refuse("a digit must follow the exponent");
    }
    const char* first = text_.data() + start;
    const char* last = text_.data() + pos_;
    // Without an exponent, a number this short is within the range of a double: one only
    // checked need not be converted.
    if (out == nullptr && !exponent && pos_ - start < kShortNumber) return true;
    double d = 0;
    const auto parsed = std::from_chars(first, last, d);
    if (parsed.ec != std::errc() || parsed.ptr != last) {
      pos_ = start;
      return refuse("a number beyond the range of a double");
    }
    if (out == nullptr) return true;
    out->kind = JsonKind::kNumber;
    out->number = d;
    if (integral) {
      const auto i = std::from_chars(first, last, out->integer);
      out->isInteger = i.ec == std::errc() && i.ptr == last;
    }
    return true;
  }

  std::string_view text_;
  const std::vector<std::string_view>* keep_;
  std::vector<std::string_view> keys_;  // an object's kept keys, for the check that none repeats
  std::deque<std::string> escapedKeys_;
  std::string discarded_;  // the text of strings only checked
  std::size_t pos_ = 0;
  std::size_t values_ = 0;
  const char* problem_ = "";
};

}  // namespace

const JsonValue* JsonValue::member(std::string_view key) const {
  for (const auto& m : members) {
    if (m.first == key) return &m.second;
  }
  return nullptr;
}

bool readJson(std::string_view text, JsonValue* out, std::string* err, const std::vector<std::string_view>* keep) {
  *out = JsonValue();
  return Parser(text, keep).document(out, err);
}

}  // namespace kxindex
