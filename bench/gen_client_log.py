#!/usr/bin/env python3
"""Writes a synthetic Quake III Arena client console log of a given size, for timing kalimostats.

The log is a run of server sessions (connect, optional OSP announcement, several games), each game
with 4 to 16 players, obituaries of every kind, chat, console noise, team and flag lines, OSP accuracy
lines and, in OSP sessions, the end-of-match report. The same --seed and --mb give the same bytes
(everything is drawn from one seeded random.Random; Python keeps its sequences stable across
versions, but compare figures made with the same interpreter to be sure).

    gen_client_log.py --mb 100 --out /tmp/client.log [--seed 1] [--stats]
"""

import argparse
import os
import random
import sys

MIB = 1024 * 1024

# ---------------------------------------------------------------------------------------------
# Vocabulary of the game as it appears on a client console.

# (connector, possessive suffix, weight): victim^7 + connector + killer^7 + suffix
KILLS = [
    (b" was railed by ", b"", 26),
    (b" ate ", b"'s rocket", 14),
    (b" almost dodged ", b"'s rocket", 6),
    (b" was machinegunned by ", b"", 10),
    (b" was gunned down by ", b"", 8),
    (b" was electrocuted by ", b"", 9),
    (b" was melted by ", b"'s plasmagun", 8),
    (b" ate ", b"'s grenade", 4),
    (b" was shredded by ", b"'s shrapnel", 4),
    (b" was pummeled by ", b"", 2),
    (b" was blasted by ", b"'s BFG", 2),
    (b" tried to invade ", b"'s personal space", 1),
    (b" was impaled by ", b"", 1),
    (b" was disemboweled by ", b"", 1),
    (b" was swimming too close to ", b"", 1),
]

# victim^7 + " " + message
SUICIDES = [
    (b"cratered.", 5),
    (b"blew himself up.", 6),
    (b"blew herself up.", 2),
    (b"blew itself up.", 1),
    (b"tripped on his own grenade.", 3),
    (b"tripped on her own grenade.", 1),
    (b"tripped on its own grenade.", 1),
    (b"melted himself.", 2),
    (b"melted herself.", 1),
    (b"melted itself.", 1),
    (b"killed himself.", 2),
    (b"killed herself.", 1),
    (b"killed itself.", 1),
    (b"should have used a smaller gun.", 1),
    (b"does a back flip into the lava.", 2),
    (b"was squished.", 1),
    (b"sank like a rock.", 1),
    (b"melted.", 1),
    (b"was in the wrong place.", 1),
    (b"pressed the wrong button.", 1),
]

CHAT = [
    b"gg", b"gg all", b"nice shot", b"lol", b"lag!!!", b"wtf", b"rematch?", b"brb", b"re",
    b"where is the RA?", b"who has the quad", b"^1n^3i^2c^4e", b"camping noob", b"hi all",
    b"one more map please", b"ping is terrible tonight, sorry guys", b"ns", b"omg that rail",
    b"^3anyone up for a 2v2 later?", b"thx", b"np", b"ready", b"go go go", b"mid!", b"quad up",
    b"flag in base", b"need help at mid", b"100% luck", b"%s %n %d %x", b"afk 2 min",
    b"can we switch to q3dm6 next", b"grr", b":)", b"^7x^1D",
    b"that was a long game, well played everyone, see you tomorrow at the same time",
]

NOISE = [
    b"trying models/players/sarge/icon_default.tga...",
    b"trying models/players/characters/keel/icon_blue.tga...",
    b"Com_TouchMemory: 2 msec",
    b"CL_InitCGame:  3.33 seconds",
    b"10 msec to draw all images",
    b"execing q3config.cfg",
    b"execing autoexec.cfg",
    b"Hunk_Clear: reset the hunk ok",
    b"...loaded 5823 faces, 189 meshes, 49 trisurfs, 37 flares",
    b"stitched 0 LoD cracks",
    b"Loading vm file vm/cgame.qvm...",
    b"VM file cgame compiled to 1170944 bytes of code",
    b"----- Client Initialization -----",
    b"----- Initializing Renderer ----",
    b"Sound memory manager started",
    b"WARNING: Could not find sound/player/announce/holy_shit.wav",
    b"Hitch warning: 612 msec frame time",
    b"RE_Shutdown( 1 )",
    b"snd_restart",
    b"]\\cg_drawFPS 1",
    b"]/seta com_maxfps 125",
    b"r_mode will be changed upon restarting.",
    b"^1[^723^1:^724^1]^7 Failed to load model file models/players/characters/gumby/lower.md3",
    b"Waiting for server...",
    b"Game: 1.32c linux-i386 Oct  7 2002",
    b"UDP Initialized",
    b"Opening IP socket: localhost:27960",
]

# One console spam line that is longer than the 509 bytes a single read takes.
LONG_NOISE = (
    b"GL_EXTENSIONS: " + b" ".join(
        b"GL_ARB_" + w for w in [
            b"depth_texture", b"fragment_program", b"fragment_program_shadow", b"fragment_shader",
            b"imaging", b"multisample", b"multitexture", b"occlusion_query", b"point_parameters",
            b"point_sprite", b"shader_objects", b"shading_language_100", b"shadow",
            b"texture_border_clamp", b"texture_compression", b"texture_cube_map", b"texture_env_add",
            b"texture_env_combine", b"texture_env_crossbar", b"texture_env_dot3",
            b"texture_mirrored_repeat", b"texture_non_power_of_two", b"texture_rectangle",
            b"transpose_matrix", b"vertex_buffer_object", b"vertex_program", b"vertex_shader",
            b"window_pos"]) + b" ")

FFA_MAPS = [b"q3dm1", b"q3dm6", b"q3dm7", b"q3dm13", b"q3dm17", b"q3tourney2", b"q3tourney4",
            b"pro-q3dm6", b"ztn3tourney1", b"cpm22", b"q3dm11", b"q3dm3"]
CTF_MAPS = [b"q3ctf1", b"q3ctf2", b"q3ctf3", b"q3ctf4", b"q3wctf1", b"q3wctf3"]
HOSTS = [b"q3.example.net:27960", b"192.0.2.17:27961", b"ctf.example.org", b"203.0.113.5:27960",
         b"duel.example.com:27970"]

OSP_WEAPONS = [b"Gauntlet", b"MachineGun", b"Shotgun", b"G.Launcher", b"R.Launcher",
               b"LightningGun", b"Railgun", b"Plasmagun", b"BFG"]
ACC_ROWS = [b"MachineGun", b"Shotgun", b"G.Launcher", b"R.Launcher", b"LightningGun",
            b"Railgun", b"Plasmagun", b"BFG"]

WORDS = [b"Fox", b"Viper", b"Sarge", b"Doom", b"Klesk", b"Anarki", b"Hunter", b"Major", b"Xaero",
         b"Orbb", b"Slash", b"Visor", b"Ranger", b"Bones", b"Grunt", b"Mynx", b"Phobos", b"Razor",
         b"Keel", b"Lucy", b"Uriel", b"Bitterman", b"Hossman", b"Tankjr", b"Wrack", b"Cadavre",
         b"Stripe", b"Sorlag", b"Daemia", b"Angel", b"Biker", b"Crash", b"Gorre", b"Patriot",
         b"Zero", b"Ghost", b"Nova", b"Pixel", b"Wolf", b"Hawk", b"Tiger", b"Storm", b"Blade"]
ADJECTIVES = [b"Red", b"Dark", b"Evil", b"Fast", b"Mad", b"Lil", b"Big", b"Silent", b"Toxic",
              b"Frosty", b"Lazy", b"Angry", b"Happy", b"Iron", b"Lucky", b"Old", b"Blind"]
# Names with bytes above 0x7F (ISO-8859-1) or with characters that HTML and printf treat specially.
ODD_NAMES = [b"J\xf6rg", b"\xd8ystein", b"\xa4Zer0\xa4", b"Ren\xe9", b"M\xe9lanie",
             b"\xbfQu\xe9?", b"Bj\xf8rn", b"\xa7Stalker\xa7", b"100%Frag", b"<3Kitty", b"Tom&Jerry"]
CLAN_TAGS = [b"[AB]", b"=XY=", b"{KoQ}", b"^1[^7FTW^1]^7", b"|TDK|", b"^4-^7sG^4-^7", b"[oo]",
             b"^3.:^7pWn^3:.^7"]

COLOURS = [b"^1", b"^2", b"^3", b"^4", b"^5", b"^6", b"^7", b"^0"]


def weighted(pairs):
    """Expands (item, weight) pairs into a list to pick from uniformly."""
    out = []
    for item, weight in pairs:
        out.extend([item] * weight)
    return out


KILL_PICK = weighted([((c, s), w) for c, s, w in KILLS])
SUICIDE_PICK = weighted(SUICIDES)
MISC_PICK = {
    "ffa": weighted([("accuracy", 70), ("join", 5), ("leave", 4), ("rename", 8), ("ready", 5)]),
    "tdm": weighted([("accuracy", 50), ("team", 20), ("switch", 4), ("join", 5), ("leave", 4),
                     ("rename", 8), ("ready", 5)]),
    "ctf": weighted([("accuracy", 50), ("team", 20), ("join", 5), ("leave", 4), ("rename", 8),
                     ("ready", 5)]),
}


# ---------------------------------------------------------------------------------------------
# Player names.

def strip_colours(raw):
    out = bytearray()
    i = 0
    while i < len(raw):
        if raw[i] == 0x5E and i + 1 < len(raw) and raw[i + 1] != 0x5E:
            i += 2
            continue
        out.append(raw[i])
        i += 1
    return bytes(out)


def colourize(rng, text):
    """Splits text into one to three pieces, each with its own colour code."""
    if len(text) < 3:
        return rng.choice(COLOURS) + text
    pieces = rng.randint(1, 3)
    cuts = sorted(rng.sample(range(1, len(text)), pieces - 1)) if pieces > 1 else []
    out = b""
    start = 0
    for cut in cuts + [len(text)]:
        out += rng.choice(COLOURS) + text[start:cut]
        start = cut
    return out


def make_name(rng):
    kind = rng.random()
    if kind < 0.30:
        return rng.choice(ADJECTIVES) + rng.choice(WORDS)
    if kind < 0.55:
        return colourize(rng, rng.choice(ADJECTIVES) + rng.choice(WORDS))
    if kind < 0.70:
        return rng.choice(WORDS) + str(rng.randint(1, 999)).encode()
    if kind < 0.82:
        return rng.choice(CLAN_TAGS) + colourize(rng, rng.choice(WORDS))
    if kind < 0.88:
        return rng.choice(ADJECTIVES) + b" " + rng.choice(WORDS)
    if kind < 0.94:
        return rng.choice(ODD_NAMES) + (str(rng.randint(1, 99)).encode() if rng.random() < 0.5 else b"")
    # A long name: 30 or more visible characters, so the game prints it cut in some messages.
    text = rng.choice(ADJECTIVES)
    while len(text) < 30 + rng.randint(0, 6):
        text += rng.choice(WORDS)
    return colourize(rng, text)


def make_name_pool(rng, size):
    pool = []
    seen = set()
    while len(pool) < size:
        raw = make_name(rng)
        plain = strip_colours(raw)
        if plain in seen or not plain.strip():
            continue
        seen.add(plain)
        pool.append(raw)
    return pool


# ---------------------------------------------------------------------------------------------
# One game.

class Game:
    """Writes the lines of one game into `out` (a list of (category, bytes) pairs)."""

    def __init__(self, rng, pool, kind, osp, mapname, out):
        self.rng = rng
        self.pool = pool
        self.kind = kind  # "ffa", "tdm" or "ctf"
        self.osp = osp
        self.mapname = mapname
        self.out = out
        self.players = []       # raw names in the game
        self.team = {}          # raw name -> "RED" / "BLUE"
        self.frags = {}
        self.in_use = set()     # stripped names taken in this game
        self.carrier = {"RED": None, "BLUE": None}   # who holds that team's flag
        self.dropped = {"RED": False, "BLUE": False}
        self.caps = {"RED": 0, "BLUE": 0}
        self.tags = {}
        if kind != "ffa" and rng.random() < 0.5:
            red, blue = rng.sample(CLAN_TAGS, 2)
            self.tags = {"RED": red, "BLUE": blue}

    # -- helpers --------------------------------------------------------------------------
    def emit(self, category, line):
        self.out.append((category, line))

    def fresh_name(self, team=None):
        for _ in range(50):
            raw = self.rng.choice(self.pool)
            if team and team in self.tags and self.rng.random() < 0.8:
                raw = self.tags[team] + raw
            plain = strip_colours(raw)
            if plain not in self.in_use:
                self.in_use.add(plain)
                return raw
        return None

    def other(self, team):
        return "BLUE" if team == "RED" else "RED"

    def team_suffix(self, team):
        return b" (^1RED^7)" if team == "RED" else b" (^4BLUE^7)"

    def smaller_team(self):
        reds = sum(1 for p in self.players if self.team.get(p) == "RED")
        return "RED" if reds * 2 <= len(self.players) else "BLUE"

    def join(self, raw, team, announce_connect):
        if announce_connect:
            self.emit("match", raw + b"^7 connected")
        if team:
            self.team[raw] = team
            self.emit("team", raw + b"^7 entered the game" + self.team_suffix(team))
            if self.rng.random() < 0.5:
                self.emit("team", raw + b"^7 is on team " + team.encode())
        else:
            self.emit("match", raw + b"^7 entered the game")
        self.players.append(raw)
        self.frags[raw] = 0

    def leave(self, raw):
        self.players.remove(raw)
        self.team.pop(raw, None)
        for t, holder in self.carrier.items():
            if holder == raw:
                self.carrier[t] = None
                self.dropped[t] = True

    # -- the game -------------------------------------------------------------------------
    def start(self, nplayers):
        rng = self.rng
        shown = self.mapname.upper() if rng.random() < 0.05 else self.mapname
        self.emit("match", b"Current map: " + shown)
        for _ in range(rng.randint(1, 4)):
            self.noise()
        for _ in range(nplayers):
            team = None if self.kind == "ffa" else self.smaller_team()
            raw = self.fresh_name(team)
            if raw is None:
                break
            self.join(raw, team, announce_connect=rng.random() < 0.3)

    def warmup(self):
        """A short OSP warm-up: a few kills and chat, then the match-start line."""
        for _ in range(self.rng.randint(5, 40)):
            self.step()
        self.emit("match", self.rng.choice([b"^3Match has begun!",
                                            b"^3All players ready!^7 Match starting..."]))
        # The table is cleared at the match start; the teams are announced again.
        for raw in self.players:
            if raw in self.team and self.rng.random() < 0.7:
                self.emit("team", raw + b"^7 is on team " + self.team[raw].encode())
        for t in ("RED", "BLUE"):
            self.carrier[t] = None
            self.dropped[t] = False

    def body(self, events):
        for _ in range(events):
            self.step()

    def step(self):
        r = self.rng.random()
        if r < 0.44:
            self.obituary()
        elif r < 0.65:
            self.chat()
        elif r < 0.85:
            self.noise()
        elif self.kind == "ctf" and r < 0.95:
            self.flag_event()
        else:
            self.misc()

    def pick_pair(self):
        rng = self.rng
        victim = rng.choice(self.players)
        if self.kind != "ffa" and rng.random() < 0.9:
            enemies = [p for p in self.players if self.team.get(p) != self.team.get(victim)]
            if enemies:
                return victim, rng.choice(enemies)
        killer = rng.choice(self.players)
        while killer == victim:
            killer = rng.choice(self.players)
        return victim, killer

    def obituary(self):
        rng = self.rng
        if rng.random() < 0.12:
            victim = rng.choice(self.players)
            self.emit("obituary", victim + b"^7 " + rng.choice(SUICIDE_PICK))
            self.frags[victim] -= 1
            self.drop_flag_of(victim)
            return
        victim, killer = self.pick_pair()
        connector, suffix = rng.choice(KILL_PICK)
        self.emit("obituary", victim + b"^7" + connector + killer + b"^7" + suffix)
        self.frags[killer] += 1
        if self.kind == "ctf":
            for t, holder in self.carrier.items():
                if holder == victim:
                    # victim carried team t's flag, so the killer is on team t.
                    if self.team.get(killer) == t:
                        self.emit("ctf", killer + b"^7 fragged " + self.other(t).encode() +
                                  b"'s flag carrier!")
                        if rng.random() < 0.3:
                            helper = self.teammate(killer)
                            if helper:
                                self.emit("ctf", helper + b"^7 gets an assist for fragging the " +
                                          self.other(t).encode() + b" flag carrier!")
            self.drop_flag_of(victim)

    def drop_flag_of(self, raw):
        for t, holder in self.carrier.items():
            if holder == raw:
                self.carrier[t] = None
                self.dropped[t] = True

    def teammate(self, raw):
        mates = [p for p in self.players if p != raw and self.team.get(p) == self.team.get(raw)]
        return self.rng.choice(mates) if mates else None

    def chat(self):
        rng = self.rng
        r = rng.random()
        if r < 0.001:
            # Channel spam longer than one read: arrives as several pieces.
            speaker = rng.choice(self.players)
            self.emit("chat", speaker + b"^7: ^2" + b"spam " * rng.randint(105, 160))
            return
        # Now and then a chat line happens to read like an obituary to a plain text search.
        message = b"he ate my rocket lol" if r > 0.998 else rng.choice(CHAT)
        if r < 0.08:
            speaker = rng.choice(self.pool)  # a spectator, not in the game
        else:
            speaker = rng.choice(self.players)
        if r > 0.96 and self.kind != "ffa":
            self.emit("chat", b"(" + speaker + b"^7)^7: ^5" + message)
        else:
            self.emit("chat", speaker + b"^7: ^2" + message)

    def noise(self):
        rng = self.rng
        if rng.random() < 0.01:
            self.emit("noise", LONG_NOISE)
        else:
            self.emit("noise", rng.choice(NOISE))

    def flag_event(self):
        rng = self.rng
        t = rng.choice(("RED", "BLUE"))            # the flag concerned
        holder = self.carrier[t]
        enemies = [p for p in self.players if self.team.get(p) == self.other(t)]
        owners = [p for p in self.players if self.team.get(p) == t]
        if not enemies or not owners:
            self.misc()
            return
        tb = t.encode()
        ob = self.other(t).encode()
        if holder is None and self.dropped[t]:
            who = rng.choice(owners)
            self.emit("ctf", who + b"^7 returned the " + tb + b" flag!")
            if rng.random() < 0.2:
                helper = self.teammate(who)
                if helper:
                    self.emit("ctf", helper + b"^7 gets an assist for returning the " + tb + b" flag!")
            self.dropped[t] = False
        elif holder is None:
            who = rng.choice(enemies)
            self.emit("ctf", who + b"^7 got the " + tb + b" flag!")
            self.carrier[t] = who
            self.dropped[t] = False
        elif rng.random() < 0.35:
            self.emit("ctf", holder + b"^7 captured the " + tb + b" flag!")
            self.caps[self.other(t)] += 1
            self.carrier[t] = None
        else:
            r = rng.random()
            if r < 0.3:
                who = rng.choice(owners)
                self.emit("ctf", who + b"^7 defends the " + tb + rng.choice([b" base", b" flag"]))
            elif r < 0.55:
                mate = self.teammate(holder)
                if mate:
                    self.emit("ctf", mate + b"^7 defends the " + ob + b"'s flag carrier.")
            elif r < 0.75:
                mate = self.teammate(holder)
                if mate:
                    self.emit("ctf", mate + b"^7 defends " + ob +
                              b"'s flag carrier against an agressive enemy")
            else:
                self.emit("ctf", holder + b"^7 " + ob +
                          b"'s flag carrier defends against an agressive enemy")

    def misc(self):
        """Match and team lines other than flag events: accuracy rows, team announcements,
        side changes, players arriving, leaving and renaming."""
        rng = self.rng
        choice = rng.choice(MISC_PICK[self.kind])
        if choice == "accuracy":
            who = rng.choice(self.players)
            row = rng.random()
            if row < 0.8:
                shots = rng.randint(1, 400)
                hits = int(shots * rng.uniform(0.05, 0.65))
                self.emit("match", who + b"^7 accuracy statistics " + rng.choice(ACC_ROWS) + b" " +
                          str(shots).encode() + b" " + str(hits).encode())
            else:
                self.emit("match", who + b"^7 accuracy statistics " +
                          (b"Given " if row < 0.9 else b"Recvd ") + str(rng.randint(0, 9000)).encode())
        elif choice == "team":
            who = rng.choice(self.players)
            self.emit("team", who + b"^7 is on team " + self.team[who].encode())
        elif choice == "switch" and len(self.players) > 3:
            # A player changes sides: the game prints a fresh entry on the other team.
            who = rng.choice(self.players)
            new = self.other(self.team[who])
            self.team[who] = new
            self.emit("team", who + b"^7 entered the game" + self.team_suffix(new))
        elif choice == "join" and len(self.players) < 16:
            team = None if self.kind == "ffa" else self.smaller_team()
            new = self.fresh_name(team)
            if new is not None:
                self.join(new, team, announce_connect=True)
        elif choice == "leave" and len(self.players) > 4:
            who = rng.choice(self.players)
            self.leave(who)
            self.emit("match", who + (b"^7 disconnected" if rng.random() < 0.95 else b"^7 was kicked"))
        elif choice == "rename":
            who = rng.choice(self.players)
            new = self.fresh_name(self.team.get(who))
            if new is not None:
                self.emit("match", who + b"^7 renamed to " + new)
                self.players[self.players.index(who)] = new
                if who in self.team:
                    self.team[new] = self.team.pop(who)
                self.frags[new] = self.frags.pop(who, 0)
                for t, holder in self.carrier.items():
                    if holder == who:
                        self.carrier[t] = new
        else:
            self.emit("noise", rng.choice(self.players) + b"^7 is ready!")

    def end_by_rule(self):
        rng = self.rng
        r = rng.random()
        if r < 0.55:
            self.emit("match", b"Timelimit hit.")
        elif self.kind == "ffa":
            top = max(self.players, key=lambda p: self.frags[p])
            self.emit("match", top + b"^7 hit the fraglimit.")
        elif self.kind == "tdm":
            self.emit("match", rng.choice([b"Red", b"Blue"]) + b" hit the fraglimit.")
        else:
            winner = b"Red" if self.caps["RED"] >= self.caps["BLUE"] else b"Blue"
            self.emit("match", winner + b" hit the capturelimit.")
        if self.osp:
            self.osp_report()
        else:
            for _ in range(rng.randint(0, 3)):
                self.chat()

    def osp_report(self):
        rng = self.rng
        self.emit("match", b"")
        self.emit("match", b"Map: " + self.mapname)
        for raw in self.players:
            self.emit("match", b"")
            self.emit("match", b"Accuracy info for: " + raw + b"^7")
            self.emit("match", b"")
            self.emit("match", b"Weapon          Acc Hits/Atts")
            self.emit("match", b"-------------------------------")
            for weapon in rng.sample(OSP_WEAPONS, rng.randint(2, 6)):
                shots = rng.randint(1, 600)
                hits = int(shots * rng.uniform(0.05, 0.65))
                self.emit("match", weapon + b":" + b" " * (14 - len(weapon)) +
                          (b"%.1f" % (100.0 * hits / shots)) + b" " + str(hits).encode() + b"/" +
                          str(shots).encode())
            self.emit("match", b"")
            self.emit("match", b"Total damage given: " + str(rng.randint(0, 12000)).encode())
            self.emit("match", b"Total damage rcvd: " + str(rng.randint(0, 12000)).encode())
        self.emit("match", b"")
        self.emit("match", b"^3MATCH COMPLETE")


# ---------------------------------------------------------------------------------------------
# Sessions: connect to a server, play a few games, leave.

def connect_lines(rng, out, osp):
    host = rng.choice(HOSTS)
    bare = host.split(b":")[0]
    out.append(("match", b"]/connect " + host))
    out.append(("noise", b"Resolving " + bare))
    out.append(("match", bare + b" resolved to 192.0.2." + str(rng.randint(1, 254)).encode() +
                b":27960"))
    for _ in range(rng.randint(2, 6)):
        out.append(("noise", rng.choice(NOISE)))
    out.append(("match", b"RE_Shutdown( 0 )"))
    for _ in range(rng.randint(1, 4)):
        out.append(("noise", rng.choice(NOISE)))
    if osp:
        out.append(("match", b"Loaded OSP Client Version: 1.03a"))


# A match night on a league server: OSP always loaded (every match ends with its report),
# about 20 games per 5 MB of log, from a duel to 8 against 8.
NIGHT_EVENTS = (4000, 6600)


def session(rng, pool, out, mix="synthetic"):
    night = mix == "night"
    osp = night or rng.random() < 0.4
    connect_lines(rng, out, osp)
    games = rng.randint(1, 6)
    for g in range(games):
        kind = rng.choice(("ffa", "ffa", "tdm", "tdm", "ctf", "ctf", "ctf"))
        mapname = rng.choice(CTF_MAPS if kind == "ctf" else FFA_MAPS)
        game = Game(rng, pool, kind, osp, mapname, out)
        if night:
            game.start(rng.randint(2, 8) if kind == "ffa" else 2 * rng.randint(1, 8))
        else:
            game.start(rng.randint(4, 10) if kind == "ffa" else rng.randint(4, 16))
        if osp and rng.random() < 0.6:
            game.warmup()
        game.body(rng.randint(*NIGHT_EVENTS) if night else rng.randint(300, 1500))
        last = g == games - 1
        ending = rng.random() if last else 0.0
        if ending < 0.80:
            game.end_by_rule()
            if last and ending > 0.65:
                out.append(("match", b"]/quit"))
                out.append(("match", b"----- CL_Shutdown -----"))
        elif ending < 0.92:
            out.append(("match", b"ERROR: Disconnected from server"))
        # else: the next session's connect cuts the game short.


def generate(out_path, mb, seed, stats, mix="synthetic"):
    rng = random.Random(seed)
    pool = make_name_pool(rng, 600)
    target = int(mb * MIB)
    written = 0
    counts = {}
    with open(out_path, "wb") as f:
        while written < target:
            lines = []
            session(rng, pool, lines, mix)
            chunk = []
            for category, line in lines:
                end = b"\r\n" if rng.random() < 0.03 else b"\n"
                chunk.append(line)
                chunk.append(end)
                written += len(line) + len(end)
                if stats:
                    counts[category] = counts.get(category, 0) + 1
                if written >= target:
                    break
            f.write(b"".join(chunk))
    if stats:
        total = sum(counts.values())
        for category in sorted(counts):
            sys.stderr.write("%-9s %9d lines  %5.1f%%\n" % (category, counts[category],
                                                           100.0 * counts[category] / total))
        sys.stderr.write("total     %9d lines, %d bytes\n" % (total, written))


def main():
    parser = argparse.ArgumentParser(description="Write a synthetic Quake III client console log.")
    parser.add_argument("--mb", type=float, default=100.0, help="size in MiB (default 100)")
    parser.add_argument("--out", required=True, help="output file")
    parser.add_argument("--seed", type=int, default=1, help="random seed (default 1)")
    parser.add_argument("--stats", action="store_true", help="print line counts per kind on stderr")
    parser.add_argument("--mix", choices=("synthetic", "night"), default="synthetic",
                        help="synthetic: 4-16 players, short games (default); night: a league "
                             "match night, about 20 games per 5 MB, 2-16 players, OSP reports")
    args = parser.parse_args()
    if args.mb <= 0:
        parser.error("--mb must be positive")
    generate(args.out, args.mb, args.seed, args.stats, args.mix)
    return 0


if __name__ == "__main__":
    sys.exit(main())
