// The files of one game's pages: written whole under a temporary name, then renamed into place.
#pragma once

#include <string>

#include "out/page_buffer.h"
#include "base/fixed_string.h"

// The finished pages of one game, as handed from the page writers to whoever writes the files.
struct PageJob {
  Text510 mainName;              // file names below html/
  Text510 weaponName;
  PageBytes main;                // the bytes of each page: the first mainSize / weaponSize
  PageBytes weapon;
  std::size_t mainSize = 0;
  std::size_t weaponSize = 0;
  bool hasWeapon = false;
  // The game record, written after the pages it names; none when recordName is empty.
  std::string recordName;
  std::string record;
  // Where the main page stood when the weapon page was begun: if the weapon page cannot be
  // created, the main page is left as far as it was written then.
  std::size_t mainBeforeWeapon = 0;
};

// Writes the job's pages into html/. Each page goes to a temporary file in html/ that is
// renamed to its name once it is whole, so a reader never sees half a page. Returns the
// console text of the failure ("" when both pages are in place): the page that cannot be
// created gives "ERROR: couldnt open file to write\n"; a failed write or rename names the
// page and the reason, and leaves no trace of that page.
std::string writePageJob(const PageJob& job);
