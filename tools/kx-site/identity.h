// Who a player is across games: his name without colour codes, compared without regard to
// case, and the site's aliases file that merges the names one person played under.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace kxsite {

// The identity of a logged name: colour codes removed as the pages remove them ("^1Foo^7bar"
// gives "foobar"), then ASCII letters in lower case. Bytes from 0x80 up are kept as they are.
std::string playerKey(std::string_view loggedName);

// The file name below html/ of the page of the player with that key: "player_" followed by
// the key with every byte outside [a-z0-9] written as "-" and its two lower-case hex digits,
// then ".html" ("foo bar" gives "player_foo-20bar.html"); distinct keys give distinct names.
// A key that would need more than 200 bytes is cut to at most 182 (never inside a "-" and
// its digits) and ends in "--" and a 64-bit hash of the whole key in 16 hex digits, so no file
// name passes 212 bytes; "--" never occurs in a name that is not cut.
std::string playerPageName(std::string_view key);

// The aliases file: one line per player, "main name = other name, other name". Names are
// compared by playerKey. Blank lines and lines starting with "#" are ignored.
class Aliases {
 public:
  // Reads the file's text. False with a message naming the line ("aliases line 3: ...") for a
  // line without "=", an empty name, or a name given to two main names (a main name that is
  // also another's other name is one: merges do not chain); the object is then left empty.
  bool parse(std::string_view text, std::string* err);

  // The key a player is counted under: the main name's key for a listed other name, else
  // the key itself.
  std::string resolve(const std::string& key) const;

 private:
  std::map<std::string, std::string> mainOf_;
};

}  // namespace kxsite
