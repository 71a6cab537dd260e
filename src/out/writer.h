// The page writer: the buffer one page is written into, with the options, page names and site files every part of a page needs.
#pragma once

#include <string_view>

#include "out/page_buffer.h"
#include "out/page_names.h"
#include "out/page_options.h"

// The site's own header and footer files, as read by the run: copied into every page, empty
// when a file is missing.
struct SiteFiles {
  std::string_view header;
  std::string_view footer;
};

class PageWriter {
 public:
  PageWriter(PageBuffer& out, const PageOptions& options, const PageNames& names, SiteFiles site)
      : out_(out), options_(options), names_(names), site_(site) {}

  PageBuffer& buffer() const { return out_; }
  const PageOptions& options() const { return options_; }
  const PageNames& names() const { return names_; }

  // Writes one template (a printf-style format of our own, with its values).
  void wr(const char* format, ...) __attribute__((format(printf, 2, 3)));
  // Writes `text` byte for byte (our own fixed text, file contents).
  void text(std::string_view text) { out_.append(text); }
  // Writes a player name with its colour codes rendered as HTML font colours (or dropped when
  // name colours are off); '<' and '>' of the name are shown as text, the program's marks stay.
  void name(std::string_view rawName);
  // Log text and names escaped as escape.h describes.
  void logText(std::string_view text);
  void nameText(std::string_view rawName);
  void nameAttribute(std::string_view rawName);
  void logUrlPiece(std::string_view text);
  // The site's header or footer file.
  void header() { text(site_.header); }
  void footer() { text(site_.footer); }

 private:
  PageBuffer& out_;
  const PageOptions& options_;
  const PageNames& names_;
  SiteFiles site_;
};
