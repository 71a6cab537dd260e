// The line record: its two scanned lanes and the names cut once.
#include "read/line_record.h"

#include <cstring>

#include "read/line_filter.h"
#include "base/scratch_pool.h"
#include "base/strutil.h"

std::string_view LineRecord::victimName() const {
  storeMallocs(victimCut.scratch);
  return victimCut.name;
}

std::string_view LineRecord::attackerName() const {
  storeMallocs(attackerCut.scratch);
  return attackerCut.name;
}

std::size_t prepareLine(char* buf, std::size_t readLength, std::size_t plain) {
  // Only the part after the plain text that starts the line (its line end, mostly) is looked
  // at byte by byte.
  const std::size_t clean = plain > 0 ? plain : firstUnwanted(buf, readLength);
  std::size_t len = readLength;
  for (std::size_t i = clean; i < readLength; ++i) {
    if (buf[i] == '\0') {
      len = i;
      break;
    }
  }
  for (std::size_t i = len > 5 ? len - 5 : 0; i < len; ++i) {
    if (buf[i] == '\n' || buf[i] == '\r') {
      len = i;
      break;
    }
  }
  buf[len] = '\0';
  replaceNonPrintableCharsFrom(buf, clean < len ? clean : len, len);
  return len;
}

void LineRecord::prepare(std::size_t readLength, std::size_t plain) {
  scanRaw(prepareLine(rawBuffer, readLength, plain));
  passesFilter = validLine(raw) != 0;
  if (!passesFilter) return;
  stripLane(&stripScratch);
  cutNames();
  weapon = getWeapon(raw);
}

void LineRecord::stripLane(int* scratch) {
  const std::size_t n = stripColorCodesUncounted(raw.text, strippedBuffer, scratch);
  // Without a colour code the stripped line is the raw line, and so is its scan.
  if (n == raw.text.size()) {
    stripped.text = std::string_view(strippedBuffer, n);
    stripped.scan.copyFrom(raw.scan);
  } else {
    stripped.assign(std::string_view(strippedBuffer, n));
  }
}

void LineRecord::stripAndScan() {
  int scratch = 0;
  stripLane(&scratch);
  storeMallocs(scratch);
  weapon = getWeapon(raw);
}

void LineRecord::countStrip() const { storeMallocs(stripScratch); }

void LineRecord::scanRaw(std::size_t length) {
  raw.assign(std::string_view(rawBuffer, length));
}

void LineRecord::cutNames() {
  victimCut = cutVictimName(raw);
  attackerCut = cutAttackerName(raw);
}

void LineRecord::setText(std::string_view text) {
  const std::size_t n = text.size() < kLineBufferSize - 1 ? text.size() : kLineBufferSize - 1;
  std::memcpy(rawBuffer, text.data(), n);
  rawBuffer[n] = '\0';
  scanRaw(n);
  cutNames();
  int scratch = 0;  // a record made outside the line loop counts nothing
  const std::size_t m = stripColorCodesUncounted(raw.text, strippedBuffer, &scratch);
  stripped.assign(std::string_view(strippedBuffer, m));
  weapon = getWeapon(raw);
}
