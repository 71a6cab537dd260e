// The client's obituary for a death that a server's Kill line gives by means name.
#pragma once

#include <string_view>

// What the client writes for one death, taken from the weapon table's row of the means:
// either one text after the victim's name and a blank, or a two-name text between victim and
// killer followed by an ending. Neither: the death is left out.
struct ClientObituary {
  const char* oneName = nullptr;  // "blew himself up."
  const char* twoName = nullptr;  // " almost dodged "
  const char* ending = "";        // "'s rocket"
};

// The obituary of a death by `means` ("MOD_ROCKET_SPLASH"); `self` when the victim killed
// himself, `killerIsPlayer` when the killer is a client rather than the world. Means that no
// text of ours represents (MOD_SWITCHTEAM, MOD_UNKNOWN, names of unknown mods), and deaths by
// a weapon with the world as the killer (a shooter on the map), are left out.
ClientObituary clientObituary(std::string_view means, bool self, bool killerIsPlayer);
