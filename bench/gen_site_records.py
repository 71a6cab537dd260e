#!/usr/bin/env python3
"""Writes N small game records, as kalimostats-c writes them beside its pages, for the site benchmark.

usage: gen_site_records.py --games N --out DIR [--players P] [--seed S]

Each game has 4 players out of a pool of P (default 200), one of free for all, team deathmatch,
capture the flag or Clan Arena, three weapons per player, opponents and awards. The games are
processed one second apart from 2026-01-01 on, so their page names and publishing order are
those of real runs. Same arguments, same bytes. Only the Python standard library.
"""
import argparse
import datetime
import json
import os
import random

TYPES = [('ffa', 'FFA_PUB'), ('tdm', 'TDM_RED_vs_BLUE'), ('ctf', 'CTF_RED_vs_BLUE'), ('ca', 'CA_RED_vs_BLUE')]
WEAPONS = [('Machine Gun', 1), ('Shot Gun', 2), ('Rocket Launcher', 4), ('Lightning Gun', 5), ('Rail Gun', 6),
           ('Plasma Gun', 7)]
MAPS = ['q3dm6', 'q3dm17', 'q3tourney2', 'q3ctf1', 'q3dm7', 'pro-q3dm6']
AWARDS = ['best killer', 'highest kill streak', 'deadliest player', 'most valuable player',
          'best killer with rail gun', 'best accuracy with rocket launcher']
CTF_KEYS = ['flag_touches', 'captures', 'returns', 'carrier_kills', 'carrier_kill_assists', 'return_assists',
            'carrier_defends', 'carrier_defends_aggressive', 'base_defends', 'hold_kills', 'defends_as_carrier']


def player(rng, name, team, kills, deaths, others):
    weapons = []
    for weapon, code in rng.sample(WEAPONS, 3):
        shots = rng.randint(10, 300)
        weapons.append({'weapon': weapon, 'code': code, 'kills': kills // 3, 'deaths': deaths // 3,
                        'shots': shots, 'hits': rng.randint(0, shots)})
    ctf = {k: 0 for k in CTF_KEYS}
    ctf['captures'] = rng.randint(0, 2) if team != 'none' else 0
    return {
        'name': '^%d%s' % (rng.randint(1, 7), name), 'plain_name': name, 'team': team,
        'score': kills, 'kills': kills, 'deaths': deaths, 'suicides': rng.randint(0, 2), 'team_kills': 0,
        'skill': round(rng.uniform(-5, 30), 2), 'combat': round(rng.uniform(-5, 30), 2),
        'kill_streak': rng.randint(0, 5), 'death_streak': rng.randint(0, 5),
        'damage_given': 0, 'damage_received': 0,
        'shots': sum(w['shots'] for w in weapons), 'hits': sum(w['hits'] for w in weapons),
        'ctf': ctf, 'awards': rng.sample(AWARDS, rng.randint(0, 2)), 'weapons': weapons,
        'opponents': [{'name': o, 'plain_name': o, 'kills': rng.randint(0, 5), 'deaths': rng.randint(0, 5)}
                      for o in others],
        'nemesis': others[0], 'favourite_victim': others[-1], 'quote': None,
        'marks': {'left': False, 'rejoined': 0, 'merged_with': None, 'team_guessed': False, 'blank_name': False},
    }


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--games', type=int, required=True)
    ap.add_argument('--out', required=True)
    ap.add_argument('--players', type=int, default=200)
    ap.add_argument('--seed', type=int, default=1)
    args = ap.parse_args()
    rng = random.Random(args.seed)
    pool = ['player%03d' % i for i in range(args.players)]
    start = datetime.datetime(2026, 1, 1)
    os.makedirs(args.out, exist_ok=True)
    for g in range(args.games):
        when = start + datetime.timedelta(seconds=g)
        gtype, label = TYPES[g % len(TYPES)]
        stem = 'kalimostats_%s_1001_%s_' % (when.strftime('%Y_%m_%d_%H_%M_%S'), label)
        names = rng.sample(pool, 4)
        teams = ['none'] * 4 if gtype == 'ffa' else ['red', 'red', 'blue', 'blue']
        players = [player(rng, n, t, rng.randint(0, 20), rng.randint(0, 20), [o for o in names if o != n])
                   for n, t in zip(names, teams)]
        record = {
            'format': 1, 'game_id': 1001, 'processed': when.strftime('%Y-%m-%dT%H:%M:%S'),
            'pages': {'main': stem + 'main.html', 'weapons': stem + 'wpn.html'},
            'label': label, 'game_type': gtype, 'map': rng.choice(MAPS),
            'log': {'name': 'games.log', 'kind': 'client', 'first_byte': g * 1000, 'last_byte': g * 1000 + 999,
                    'fingerprint': '%032x' % rng.getrandbits(128)},
            'teams': [] if gtype == 'ffa' else [{'side': 'red', 'score': rng.randint(0, 10), 'players': 2},
                                                {'side': 'blue', 'score': rng.randint(0, 10), 'players': 2}],
            'players': players,
        }
        with open(os.path.join(args.out, stem + 'game.json'), 'w') as f:
            json.dump(record, f, separators=(',', ':'))


if __name__ == '__main__':
    main()
