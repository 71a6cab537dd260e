// The site directory's furniture: its lock, the site kit copied into html/, the aliases file.
#pragma once

#include <string>

namespace kxsite {

// The lock of a site directory: one update or rebuild at a time. Held until destroyed.
class SiteLock {
 public:
  // Takes the lock on DIR/.lock. While another update holds it, says so once on standard
  // error and waits. False with the reason when the lock file cannot be made.
  bool take(const std::string& siteDir, std::string* err);
  ~SiteLock();

 private:
  int fd_ = -1;
};

// The site kit (style sheet, pictures, header and footer): $KX_SITE_KIT when set; run from a
// build tree, the source tree's site/; installed, the shared kit. Empty when none is found.
std::string findSiteKit();

// Copies the style sheet and the pictures into html/ when it has no style sheet yet.
bool copySiteKit(const std::string& kitDir, const std::string& htmlDir, std::string* err);

// The aliases file's text (empty when there is none) and its hash; false with the reason
// when it exists but cannot be read.
bool readAliasesFile(const std::string& siteDir, std::string* text, std::string* hash, std::string* err);

}  // namespace kxsite
