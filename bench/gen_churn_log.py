#!/usr/bin/env python3
"""Writes the two logs that stress the player table and the game boundaries.

usage: gen_churn_log.py churn --mb N --out FILE
       gen_churn_log.py solo --games N --out FILE

churn: a table of 64 players kept full, and a stream of newcomers who each frag a present player
       (so that they rank first) and leave; every join then evicts the newcomer before it.
solo:  N games of one player each (a map line, a suicide, the time limit): no game gets a page.
"""
import argparse

def churn(out, size):
    out.write(b"Current map: q3dm6\n")
    for i in range(63):
        out.write(b"Base%02d^7 entered the game\n" % i)
    i = 0
    while out.tell() < size:
        out.write(b"Churn%07d^7 entered the game\n" % i)
        out.write(b"Base%02d^7 was railed by Churn%07d^7\n" % (i % 63, i))
        out.write(b"Churn%07d^7 disconnected\n" % i)
        i += 1
    out.write(b"Timelimit hit.\n")

def solo(out, games):
    for i in range(games):
        out.write(b"Current map: q3dm6\nSolo%07d^7 cratered.\nTimelimit hit.\n" % i)

def main():
    p = argparse.ArgumentParser()
    p.add_argument("kind", choices=["churn", "solo"])
    p.add_argument("--mb", type=float, default=18)
    p.add_argument("--games", type=int, default=1000000)
    p.add_argument("--out", required=True)
    a = p.parse_args()
    with open(a.out, "wb") as out:
        if a.kind == "churn":
            churn(out, int(a.mb * 2**20))
        else:
            solo(out, a.games)

main()
