// The types of game a log holds.
#pragma once

// Values of g_gametype.
enum GameType : int {
  GT_FFA = 0,  // free for all (a team deathmatch stays this until its totals are added up)
  GT_TDM = 1,  // team deathmatch
  GT_CTF = 2,  // capture the flag
  GT_CA = 3,   // Clan Arena
};

// The game's type is one of the team games (team deathmatch, capture the flag, Clan Arena).
inline bool isTeamGameType(int gametype) { return gametype == GT_TDM || gametype == GT_CTF || gametype == GT_CA; }
