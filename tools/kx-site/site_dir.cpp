// The site directory's furniture: its lock, the site kit copied into html/, the aliases file.
#include "kx-site/site_dir.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

namespace kxsite {
namespace {

constexpr const char kStyleSheet[] = "c-kalimo.css";

bool hasKit(const fs::path& dir) {
  std::error_code ec;
  return fs::exists(dir / kStyleSheet, ec) && fs::exists(dir / "c-header.html", ec);
}

std::string selfDir() {
  char self[4096];
  const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return {};
  self[n] = '\0';
  return fs::path(self).parent_path().string();
}

}  // namespace

bool SiteLock::take(const std::string& siteDir, std::string* err) {
  const std::string path = siteDir + "/.lock";
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    *err = path + ": " + std::strerror(errno);
    return false;
  }
  if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return true;
  if (errno != EWOULDBLOCK) {
    *err = "cannot lock " + path + ": " + std::strerror(errno);
    return false;
  }
  std::fprintf(stderr, "kx-site: another update of %s is running; waiting for it to finish\n", siteDir.c_str());
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno != EINTR) {
      *err = "cannot lock " + path + ": " + std::strerror(errno);
      return false;
    }
  }
  return true;
}

SiteLock::~SiteLock() {
  if (fd_ >= 0) ::close(fd_);
}

std::string findSiteKit() {
  if (const char* env = std::getenv("KX_SITE_KIT"); env != nullptr && *env != '\0') {
    return hasKit(env) ? std::string(env) : std::string();
  }
  const fs::path installed = KX_SITE_KIT_DIR;
  const fs::path source = KX_SITE_SOURCE_KIT_DIR;
  const bool isInstalled = selfDir() == fs::path(KX_SITE_INSTALLED_BINDIR).lexically_normal().string();
  const std::vector<fs::path> order = isInstalled ? std::vector<fs::path>{installed, source}
                                                  : std::vector<fs::path>{source, installed};
  for (const fs::path& dir : order) {
    if (hasKit(dir)) return dir.string();
  }
  return {};
}

bool copySiteKit(const std::string& kitDir, const std::string& htmlDir, std::string* err) {
  std::error_code ec;
  const fs::path html = htmlDir;
  if (fs::exists(html / kStyleSheet, ec)) return true;
  fs::create_directories(html, ec);
  fs::copy(fs::path(kitDir) / "images", html / "images",
           fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
  if (!ec) {
    // The style sheet last: its presence says the kit is whole.
    fs::copy_file(fs::path(kitDir) / kStyleSheet, html / (std::string(".tmp-") + kStyleSheet),
                  fs::copy_options::overwrite_existing, ec);
  }
  if (!ec) fs::rename(html / (std::string(".tmp-") + kStyleSheet), html / kStyleSheet, ec);
  if (ec) *err = "cannot copy the site kit from " + kitDir + " into " + htmlDir + ": " + ec.message();
  return !ec;
}

bool readAliasesFile(const std::string& siteDir, std::string* text, std::string* hash, std::string* err) {
  const std::string path = siteDir + "/aliases";
  text->clear();
  std::error_code ec;
  if (fs::exists(path, ec)) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    if (!in && !in.eof()) {
      *err = path + ": cannot be read";
      return false;
    }
    *text = s.str();
  }
  uint64_t h = 1469598103934665603ULL;
  for (unsigned char c : *text) h = (h ^ c) * 1099511628211ULL;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
  *hash = std::to_string(text->size()) + ":" + hex;
  return true;
}

}  // namespace kxsite
