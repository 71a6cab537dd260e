// A strict reader of JSON text (RFC 8259) into a tree of values, for the game records.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kxindex {

enum class JsonKind { kNull, kBoolean, kNumber, kString, kArray, kObject };

struct JsonValue {
  JsonKind kind = JsonKind::kNull;
  bool boolean = false;
  bool isInteger = false;  // written without fraction or exponent, and within 64 bits
  long long integer = 0;
  double number = 0;       // every number, integers too
  std::string string;      // decoded; "\u0000" to "\u00ff" give the byte of that value
  std::vector<JsonValue> items;                             // an array's, in order
  std::vector<std::pair<std::string, JsonValue>> members;   // an object's, in the text's order

  // The member named `key`; nullptr when there is none or this is not an object.
  const JsonValue* member(std::string_view key) const;
};

// Reads the one JSON value the text holds (white space around it allowed). Anything JSON does
// not allow is refused: a trailing comma, a comment, a leading zero, a raw control character
// or invalid UTF-8 in a string, an unpaired surrogate, a number beyond a double, a key twice
// among an object's members kept (below), nesting deeper than 64, more than 262,144 values. False with the reason and its byte offset in `err`.
// One pass over the text; checking an object's keys sorts them. With `keep`, an object keeps
// only the members whose key is in it, at any depth; the others are read and checked all the
// same (their keys may repeat: nobody reads them), at no cost in memory.
bool readJson(std::string_view text, JsonValue* out, std::string* err,
              const std::vector<std::string_view>* keep = nullptr);

}  // namespace kxindex
