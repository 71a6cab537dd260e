#!/usr/bin/env python3
"""Fills a directory with N game pages for timing kx-index.

usage: gen_index_pages.py --templates DIR --pages N --out DIR [--no-records]

The templates are main pages written by kalimostats-c (with their weapon pages and game records
beside them). Page i is a byte copy of template i mod T under a name of its own: runs ten minutes
apart, each with up to eight games, so the time stamps and game ids vary as they do on a site.
Every main page and game record is a file of its own, as kx-index reads each one; a weapon page is
a hard link to its template's, as kx-index only looks whether it is there. --no-records leaves
the records out.
"""
import argparse
import os
import re
import shutil
import sys
import time

PAGE_NAME = re.compile(r"^kalimostats_\d{4}(?:_\d\d){5}_\d+_(.+)_main\.([A-Za-z0-9]+)$")
GAMES_PER_RUN = 8
RUN_SECONDS = 600
FIRST_RUN = 1262304000  # 2010-01-01 00:00:00 UTC


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--templates", required=True)
    ap.add_argument("--pages", type=int, required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--no-records", action="store_true")
    args = ap.parse_args()
    templates = []
    for name in sorted(os.listdir(args.templates)):
        m = PAGE_NAME.match(name)
        if m:
            stem = name[: -len("main." + m.group(2))]
            weapons = stem + "wpn." + m.group(2)
            record = stem + "game.json"
            has_weapons = os.path.exists(os.path.join(args.templates, weapons))
            has_record = not args.no_records and os.path.exists(os.path.join(args.templates, record))
            templates.append((name, m.group(1), m.group(2), weapons if has_weapons else None,
                              record if has_record else None))
    if not templates:
        sys.exit("no main pages in " + args.templates)
    os.makedirs(args.out, exist_ok=True)
    for i in range(args.pages):
        name, label, ext, weapons, record = templates[i % len(templates)]
        run = time.gmtime(FIRST_RUN + (i // GAMES_PER_RUN) * RUN_SECONDS)
        stem = "kalimostats_%s_%d_%s_" % (time.strftime("%Y_%m_%d_%H_%M_%S", run),
                                          1001 + i % GAMES_PER_RUN, label)
        shutil.copyfile(os.path.join(args.templates, name), os.path.join(args.out, stem + "main." + ext))
        if weapons:
            os.link(os.path.join(args.templates, weapons), os.path.join(args.out, stem + "wpn." + ext))
        if record:
            shutil.copyfile(os.path.join(args.templates, record), os.path.join(args.out, stem + "game.json"))


if __name__ == "__main__":
    main()
