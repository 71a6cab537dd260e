// The fixed message texts of Quake III Arena, its capture-the-flag mode and OSP, as null-terminated tables.
#pragma once

// Each table is scanned in its own order by its users; where several texts of one table
// occur in a line, the earliest entry of the table decides. Duplicates are intentional.
extern const char* const valid_strings[];      // 93 texts: a line must hold one to be an event
extern const char* const addPlayer_strings[];  // 59 texts: lines that register their players
extern const char* const reset_strings[];      // 12 texts: game-boundary markers
extern const char* const dual_strings[];       // 20 texts standing between two names
extern const char* const self_strings[];       // 54 texts following a single name
extern const char* const suicide_strings[];    // 20 self-inflicted and world deaths
extern const char* const ctf_red_strings[];    // 11 CTF texts whose actor is red
extern const char* const ctf_blue_strings[];   // 11 CTF texts whose actor is blue

// Number of entries before the terminating null pointer.
int tableSize(const char* const* table);
