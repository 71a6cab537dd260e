// Reads the OSP end-of-match report straight from the log into the players' records.
#pragma once

// Does nothing unless OSP is loaded; otherwise consumes the report lines that follow from
// the log stream, so the main loop never sees them.
void scanOspStats();
