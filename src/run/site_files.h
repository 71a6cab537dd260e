// The site's own header and footer files, as the pages copy them: read again only when they change.
#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

// One of the site's files. Every page copies it, so it is kept and read again only when the
// file (device, inode, size or time of change) is no longer the one read.
class SiteFile {
 public:
  // The file's bytes, as a line reader of 510-byte pieces gets them; empty (and nothing
  // said) when the file cannot be opened.
  std::string_view bytes(const std::string& fileName);

 private:
  std::string bytes_;
  struct stat seen_ {};
  bool known_ = false;
};
