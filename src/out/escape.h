// Log text on a page: names, chat quotes and map names are shown as text, never taken as markup.
#pragma once

#include <string_view>

class PageBuffer;

// Appends `text` from a log line as element content: '<' and '>' become "&lt;" and "&gt;".
// Every other byte is copied as it is, so the page shows the text as logged.
void appendLogText(PageBuffer& out, std::string_view text);

// Appends a player's `rawName` (or a piece of it) as element content. As appendLogText, except
// that the program's own marks appended to names (leave, re-entry, merge, guessed team, blank
// name: "<font color=#CC6600>" + mark + "</font>") stay markup; a look-alike of a mark that is
// not exactly one of them is text. No log line can hold a mark: its '=', '#' and '&' are
// replaced before it is read.
void appendNameText(PageBuffer& out, std::string_view rawName);

// Appends a player's `rawName` inside a double-quoted attribute (anchors and the links to
// them): as appendNameText, and '"' becomes "&quot;". An anchor and a link written from the same
// name still match.
void appendNameAttribute(PageBuffer& out, std::string_view rawName);

// Appends `text` from a log line as a piece of an unquoted URL (the map picture's file name):
// every byte but A-Z, a-z, 0-9, '.', '_' and '-' becomes "%XX", so it cannot end the attribute.
void appendLogUrlPiece(PageBuffer& out, std::string_view text);

