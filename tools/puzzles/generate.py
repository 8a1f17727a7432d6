#!/usr/bin/env python3
"""Makes the puzzle collection from the engine's games against itself.

Each game opens with a few random moves, so that no two games run alike, and is then played by the
engine on a small node budget, which gives decisive games with varied finishes. Wherever the side
to move reported a forced mate, the position is a candidate; candidates of the lengths still
wanted are checked (check.py) with the colours swapped where needed so that Red attacks, and the
ones that pass are kept. Kept puzzles go to a work file as they come, so a stopped run resumes.
"""

import argparse
import json
import os
import random
import sys
import time

import check
import collection
import names
import xiangqi
from engine import Engine

START = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w"
LONGEST_BUCKET = 7  # mates of this length or longer share one quota
DEFAULT_QUOTAS = "1:22,2:22,3:22,4:20,5:20,6:12,7:12"
MAX_PLIES = 260
# Puzzles kept from one game at most, and how far apart their lengths must be: the shorter mates of
# one finish are the tails of its longer ones.
PER_GAME = 2
LENGTH_GAP = 3


def bucket(moves):
    return min(moves, LONGEST_BUCKET)


def play_game(engine, rng, play_nodes):
    """[(position before the move, mate the mover reported or None)] of one game, and whether it
    ended in a mate."""
    engine.new_game()
    engine.set_multipv(1)
    board = xiangqi.Position.from_fen(START)
    moves, record = [], []
    for _ in range(rng.randint(2, 5)):
        moves.append(rng.choice(engine.legal_moves(START, moves)))
        board.play(moves[-1])
    while len(moves) < MAX_PLIES:
        result = engine.search(START, moves, nodes=play_nodes)
        if result.best_move is None:
            return record, True
        line = result.line(1)
        record.append((board.copy(), line.mate if line and line.mate and line.mate > 0 else None))
        board.play(result.best_move)
        moves.append(result.best_move)
    return record, False


def choose_candidates(record, wanted, rng):
    """Positions (colours swapped to put Red to move) and reported lengths, most needed first."""
    found = []
    for position, mate in record:
        if mate is None or wanted.get(bucket(mate), 0) <= 0:
            continue
        red_to_move = position if position.side == xiangqi.RED else position.colours_swapped()
        found.append((red_to_move, mate))
    rng.shuffle(found)
    found.sort(key=lambda item: -wanted[bucket(item[1])])
    return found


def try_candidate(engine, position, claimed, wanted, mate_keys):
    """The kept puzzle as a work-file entry, or None."""
    verdict = check.check(engine, position, claimed, mate_keys=mate_keys)
    if not verdict.ok and verdict.moves and verdict.moves != claimed \
            and wanted.get(bucket(verdict.moves), 0) > 0:
        # The engine found a shorter mate than the game showed: judge it as that length.
        verdict = check.check(engine, position, verdict.moves, mate_keys=mate_keys)
    if not verdict.ok or wanted.get(bucket(verdict.moves), 0) <= 0:
        return None
    part = check.taking_part(position, verdict.pv, verdict.moves)
    return {"fen": position.fen(), "moves": verdict.moves, "nodes": verdict.first_mate_nodes,
            "name": names.puzzle_name(verdict.moves, part, position.side == xiangqi.RED)}


def write_collection(path, kept, opening):
    entries = sorted(kept, key=lambda e: (e["moves"], e["nodes"] or 0, e["fen"]))
    rows = [(e["name"], collection.full_fen(e["fen"])) for e in entries]
    rows.append(opening)
    collection.write(path, rows)


def opening_entry(engine):
    position = xiangqi.Position.from_fen(collection.OPENING_PUZZLE)
    verdict = check.check(engine, position, 0, unique=False)
    if verdict.moves is None:
        raise SystemExit("the opening puzzle: " + "; ".join(verdict.problems))
    part = check.taking_part(position, verdict.pv, verdict.moves)
    return names.puzzle_name(verdict.moves, part, True), collection.OPENING_PUZZLE


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--mate-keys", metavar="PATH",
                        help="the exact short-mate search (build target mate_keys); advised")
    parser.add_argument("--engine", default="/usr/games/fairy-stockfish")
    parser.add_argument("--out", required=True, help="the collection to write")
    parser.add_argument("--work", required=True, help="kept puzzles, one JSON a line; resumed")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--play-nodes", type=int, default=10000)
    parser.add_argument("--quotas", default=DEFAULT_QUOTAS,
                        help=f"length:count,...; {LONGEST_BUCKET} counts every longer mate too")
    parser.add_argument("--max-games", type=int, default=2000)
    args = parser.parse_args()

    quotas = {int(k): int(v) for k, v in (item.split(":") for item in args.quotas.split(","))}
    kept = []
    if os.path.exists(args.work):
        with open(args.work, encoding="utf-8") as file:
            kept = [json.loads(line) for line in file if line.strip()]
    seen = {e["fen"] for e in kept}
    games_done = max((e["game"] for e in kept), default=-1) + 1
    started = time.monotonic()
    with Engine(args.engine) as engine:
        opening = opening_entry(engine)
        for game in range(games_done, args.max_games):
            wanted = {b: quotas.get(b, 0) - sum(bucket(e["moves"]) == b for e in kept)
                      for b in quotas}
            if all(count <= 0 for count in wanted.values()):
                break
            rng = random.Random(f"{args.seed}/{game}")
            record, mated = play_game(engine, rng, args.play_nodes)
            taken = []
            for position, claimed in choose_candidates(record, wanted, rng) if mated else []:
                if len(taken) == PER_GAME or position.fen() in seen or \
                        any(abs(claimed - moves) < LENGTH_GAP for moves in taken):
                    continue
                entry = try_candidate(engine, position, claimed, wanted, args.mate_keys)
                if entry is None:
                    continue
                entry["game"] = game
                kept.append(entry)
                seen.add(entry["fen"])
                wanted[bucket(entry["moves"])] -= 1
                taken.append(entry["moves"])
                with open(args.work, "a", encoding="utf-8") as file:
                    file.write(json.dumps(entry, ensure_ascii=False) + "\n")
            write_collection(args.out, kept, opening)
            minutes = (time.monotonic() - started) / 60
            print(f"game {game}: {len(record)} plies, kept {len(taken)}, {len(kept)} in all, "
                  f"still wanted {wanted}, {minutes:.1f} min", flush=True)
    write_collection(args.out, kept, opening)
    return 0


if __name__ == "__main__":
    sys.exit(main())
