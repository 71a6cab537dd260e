// The line record: its two scanned lanes, the names cut once, their slots.
#include "log/line_record.h"

#include <cstring>

#include "players/player_table.h"
#include "run/scratch_pool.h"
#include "run/strutil.h"

std::string_view LineRecord::victimName() const {
  storeMallocs(victimCut.scratch);
  return victimCut.name;
}

std::string_view LineRecord::attackerName() const {
  storeMallocs(attackerCut.scratch);
  return attackerCut.name;
}

int LineRecord::victimSlot() const {
  storeMallocs(victimCut.scratch);
  return victim;
}

int LineRecord::attackerSlot() const {
  storeMallocs(attackerCut.scratch);
  return attacker;
}

void LineRecord::scanRaw(std::size_t length) {
  raw.assign(std::string_view(rawBuffer, length));
}

void LineRecord::cutNames() {
  victimCut = cutVictimName(raw);
  attackerCut = cutAttackerName(raw);
}

void LineRecord::stripAndScan() {
  const std::size_t n = stripColorCodes(raw.text, strippedBuffer);
  // Without a colour code the stripped line is the raw line, and so is its scan.
  if (n == raw.text.size()) {
    stripped.text = std::string_view(strippedBuffer, n);
    stripped.scan.copyFrom(raw.scan);
    return;
  }
  stripped.assign(std::string_view(strippedBuffer, n));
}

void LineRecord::resolveSlots() {
  victim = slotOfName(victimCut.name);
  attacker = slotOfName(attackerCut.name);
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
  resolveSlots();
}
