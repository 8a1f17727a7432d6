#!/usr/bin/env python3
"""Holds every puzzle of a file to the engine's verdict: Fairy-Stockfish, MultiPV 2, must see the
named mate, with the main line's key, and no second first move mating as fast.

Every puzzle is searched at the program's node budget; the mates of 6 moves or more, and about a
quarter of the others drawn by their position, again at twice it. Each verdict is kept in a cache
under the position, the length, the key and the budget, so that a run searches only what is new
and runs can be spread over time. The opening puzzle, beyond the solver and with the engine's
own line, is left to verify.py.
Prints what failed and a summary; exits 0 when every search agrees.
"""

import argparse
import concurrent.futures
import hashlib
import json
import os
import sys
import threading
import time

import cchess
import check
import collection
import names
from engine import Engine, EngineError, PROGRAM_NODE_BUDGET

TWICE_FROM = 6  # moves: every mate this long is also searched at twice the budget
TWICE_SHARE = 4  # one in so many of the shorter ones too


def drawn_for_twice(fen):
    """Whether a shorter mate is searched at twice the budget too: one in TWICE_SHARE, drawn by a
    hash of its position, so that a puzzle is drawn or not in every run, whatever else the file
    holds."""
    return int(hashlib.sha256(fen.encode()).hexdigest(), 16) % TWICE_SHARE == 0


def searches(puzzles):
    """(puzzle, FEN, length, key, nodes) of every search the audit makes."""
    for puzzle in puzzles:
        moves = names.mate_length(puzzle.name)
        key = cchess.uci_text(cchess.parse_ucci(puzzle.solution.split()[0]))
        yield puzzle, moves, key, PROGRAM_NODE_BUDGET
        if moves >= TWICE_FROM or drawn_for_twice(puzzle.fen):
            yield puzzle, moves, key, 2 * PROGRAM_NODE_BUDGET


def cache_key(fen, moves, key, nodes):
    return f"{fen}|{moves}|{key}|{nodes}"


def read_cache(path):
    """The verdicts kept in `path` by their cache key; none when there is no file."""
    if not os.path.exists(path):
        return {}
    with open(path, encoding="utf-8") as file:
        return {e["key"]: e for e in map(json.loads, filter(str.strip, file))}


def standing(puzzle, cached):
    """"agrees" when every search the audit makes of `puzzle` is in `cached` and agrees,
    "fails" when one of them disagrees, "waiting" otherwise."""
    verdicts = [cached.get(cache_key(p.fen, *rest)) for p, *rest in searches([puzzle])]
    if any(v and v["problems"] for v in verdicts):
        return "fails"
    return "agrees" if all(verdicts) else "waiting"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("file")
    parser.add_argument("--engine", default="/usr/games/fairy-stockfish")
    parser.add_argument("--cchess", required=True, metavar="PATH", help="the rules library")
    parser.add_argument("--cache", required=True, metavar="PATH",
                        help="verdicts kept across runs, one JSON a line")
    parser.add_argument("--jobs", type=int, default=1, help="searches at once, one engine each")
    parser.add_argument("--missing-engine-exit", type=int, default=2, metavar="CODE",
                        help="exit code when the engine is not there (77 makes ctest skip)")
    parser.add_argument("--limit", type=int, metavar="K",
                        help="make at most K new searches, then stop: a run spread over time")
    args = parser.parse_args()
    if not os.access(args.engine, os.X_OK):
        print(f"no engine at {args.engine!r}", file=sys.stderr)
        return args.missing_engine_exit
    cchess.load(args.cchess)
    puzzles, problems = collection.read(args.file)
    if problems:
        print("\n".join(problems))
        return 1
    cached = read_cache(args.cache)
    opening = [p for p in puzzles if p.fen == collection.OPENING_PUZZLE]
    planned = list(searches([p for p in puzzles if p not in opening]))
    todo = [s for s in planned if cache_key(s[0].fen, *s[1:]) not in cached]
    if args.limit is not None:
        todo = todo[:args.limit]
    lock, local, engines = threading.Lock(), threading.local(), []
    started = time.monotonic()

    def search(item):
        puzzle, moves, key, nodes = item
        if not hasattr(local, "engine"):
            local.engine = Engine(args.engine)
            with lock:
                engines.append(local.engine)
        engine, fen = local.engine, " ".join(puzzle.fen.split(" ")[:2])
        begun = time.monotonic()
        engine.new_game()
        engine.set_multipv(2)
        result = engine.search(fen, depth=check.confirming_depth(moves), nodes=nodes)
        problems = check.engine_problems(result, moves, key)
        if problems and result.nodes < nodes:
            # The depth limit is there to stop early on agreement; in a sparse ending it can
            # stop the engine on a longer mate before the budget would have shown the shortest.
            engine.new_game()
            result = engine.search(fen, nodes=nodes)
            problems = check.engine_problems(result, moves, key)
        entry = {"key": cache_key(puzzle.fen, moves, key, nodes), "problems": problems,
                 "seconds": round(time.monotonic() - begun, 1)}
        with lock, open(args.cache, "a", encoding="utf-8") as file:
            file.write(json.dumps(entry, ensure_ascii=False) + "\n")
            cached[entry["key"]] = entry
        return entry

    try:
        with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
            for (puzzle, _, _, nodes), entry in zip(todo, pool.map(search, todo)):
                if entry["problems"]:
                    print(f"FAIL {puzzle.number} {puzzle.name} at {nodes} nodes: "
                          + "; ".join(entry["problems"]), flush=True)
    except EngineError as error:
        print(f"failure: {error}", file=sys.stderr)
        return 2
    finally:
        for engine in engines:
            engine.close()
    done = [cached.get(cache_key(p.fen, m, k, n)) for p, m, k, n in planned]
    failed = sorted({s[0].number for s, e in zip(planned, done) if e and e["problems"]})
    missing = sum(e is None for e in done)
    twice = sum(n > PROGRAM_NODE_BUDGET for *_, n in planned)
    print(f"{len(planned) - twice} puzzles at the program's budget, {twice} at twice it: "
          f"{len(planned) - missing} searches made, {missing} still to make, "
          f"{len(failed)} puzzles failed{': ' + ', '.join(map(str, failed)) if failed else ''}; "
          f"{sum(e['seconds'] for e in done if e):.0f} s of searching in all, "
          f"{time.monotonic() - started:.0f} s this run")
    return 0 if not failed and not missing else 1


if __name__ == "__main__":
    sys.exit(main())
