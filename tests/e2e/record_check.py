#!/usr/bin/env python3
"""Checks game records against the pages they describe.

usage: record_check.py HTML_DIR

For every *game.json in HTML_DIR: the record names pages that exist; its game type and label
agree with the page name; the main page shows, in the record's order, each listed player's row
with the record's figures; a team game's banner shows the record's team scores; the weapon page
(when there is one) shows each player's TOTAL line with the record's kills, deaths, hits and
shots. Prints one line per disagreement and exits 1 if there is any."""
import glob, json, os, sys

PREFIX = {"ffa": "FFA_", "tdm": "TDM_", "ctf": "CTF_", "ca": "CA_"}


def in_order(page, fragments):
    """The index of the first fragment not found after the previous one, or None."""
    at = 0
    for i, f in enumerate(fragments):
        found = page.find(f, at)
        if found < 0:
            return i
        at = found + len(f)
    return None


def row_fragments(game, player, cls):
    """What the player list shows of one player, from the score cell on."""
    td = lambda v: '<td CLASS="%s"><div align=center>%s</div></td>\n' % (cls, v)
    if player["team"] == "none" and game["game_type"] == "ffa":
        c = cls
        return ['<td CLASS=%s><div align=center>%s</div></td>\n' % (c, v) for v in (
            "%.2f" % player["skill"], player["score"],
            "%02d / %02d" % (player["kills"], player["deaths"]), player["suicides"],
            "%02d / %02d" % (player["kill_streak"], player["death_streak"]))]
    cells = [player["score"], player["kills"], player["deaths"]]
    if game["game_type"] == "ctf":
        cells.append(player["ctf"]["captures"])
    cells += ["%.2f" % player["combat"], "%.2f" % player["skill"]]
    return ["".join(td(v) for v in cells)]


def check(record_path):
    errors = []
    d = os.path.dirname(record_path)
    game = json.load(open(record_path, encoding="utf-8"))
    name = os.path.basename(record_path)
    main_name = game["pages"]["main"]
    if main_name[:-len("main.html")] != name[:-len("game.json")] and not main_name.startswith(name[:-len("game.json")]):
        errors.append("%s: names main page %s" % (name, main_name))
    if "_%d_%s" % (game["game_id"], PREFIX[game["game_type"]]) not in main_name:
        errors.append("%s: game id or type %s not in %s" % (name, game["game_type"], main_name))
    if not game["label"].startswith(PREFIX[game["game_type"]]):
        errors.append("%s: label %r does not start with the type" % (name, game["label"]))
    try:
        page = open(os.path.join(d, main_name), encoding="latin-1").read()
    except OSError as e:
        return ["%s: %s" % (name, e)]
    players = game["players"]
    if game["game_type"] == "ffa":
        shown = [p for p in players if p["team"] == "none"]
        for i, p in enumerate(shown):
            rank = players.index(p) + 1
            cls = '"neutral"' if (rank - 1) % 2 == 1 else '"neutralLowlight"'
            frags = ['<td CLASS=%s><div align=center>%d</div></td>\n' % (cls, rank)] + row_fragments(game, p, cls)
            missing = in_order(page, frags)
            if missing is not None:
                errors.append("%s: player %r: page lacks %r" % (name, p["plain_name"], frags[missing]))
    else:
        for side in ("red", "blue"):
            shown = [p for p in players if p["team"] == side]
            frags = []
            for p in shown:
                frags += row_fragments(game, p, side)
            missing = in_order(page, frags)
            if missing is not None:
                errors.append("%s: %s list lacks %r" % (name, side, frags[missing]))
        if len(game["teams"]) != 2:
            errors.append("%s: a team game with %d teams" % (name, len(game["teams"])))
        else:
            red, blue = game["teams"]
            banner = ['font-size: 30pt; color: red">%d</p>' % red["score"],
                      'font-size: 30pt; color: blue">%d</p>' % blue["score"]]
            missing = in_order(page, banner)
            if missing is not None:
                errors.append("%s: banner lacks %r" % (name, banner[missing]))
            for t in game["teams"]:
                if t["players"] != sum(1 for p in players if p["team"] == t["side"]):
                    errors.append("%s: %s team counts %d players" % (name, t["side"], t["players"]))
    shown_map = game["map"].replace("<", "&lt;").replace(">", "&gt;")
    if game["map"] and ("<b>map : %s</b>" % shown_map) not in page:
        errors.append("%s: page does not name map %r" % (name, game["map"]))
    if game["pages"]["weapons"]:
        try:
            wpn = open(os.path.join(d, game["pages"]["weapons"]), encoding="latin-1").read()
        except OSError as e:
            return errors + ["%s: %s" % (name, e)]
        order = players if game["game_type"] == "ffa" else \
            [p for p in players if p["team"] == "red"] + [p for p in players if p["team"] == "blue"]
        frags = []
        for p in order:
            if game["game_type"] == "ffa" and p["team"] != "none":
                continue
            frags += ["<div align=right><b>%d</b></div></td>\n" % p["kills"],
                      "<div align=left><b>%d</b></div></td>\n" % p["deaths"],
                      "<div align=right><b>%d</b></div></td>\n" % p["hits"],
                      "<div align=left><b>%d</b></div></td>\n" % p["shots"]]
        missing = in_order(wpn, frags)
        if missing is not None:
            errors.append("%s: weapon page lacks %r" % (name, frags[missing]))
    return errors


def main(argv):
    if len(argv) != 1:
        print(__doc__.strip().splitlines()[2])
        return 2
    errors = []
    records = sorted(glob.glob(os.path.join(argv[0], "*game.json")))
    for r in records:
        errors += check(r)
    for e in errors:
        print(e)
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
