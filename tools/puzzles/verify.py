#!/usr/bin/env python3
"""Checks a puzzle file: its format and order, every position's legality, and with the engine that
each puzzle is a forced mate of the announced length with one key move.

Prints one line per puzzle checked with the engine, then "N passed, N failed". Exits 0 when all is
well, 1 when anything is wrong, 2 on a bad command line or an engine that cannot be run.
"""

import argparse
import os
import sys
import time

import check
import collection
import names
import xiangqi
from engine import Engine, EngineError


def file_problems(puzzles):
    """What is wrong with the file as a whole, and the positions that could be read, by number."""
    problems, positions, lengths, seen = [], {}, [], {}
    for puzzle in puzzles:
        where = f"puzzle {puzzle.number} (line {puzzle.line})"
        fields = puzzle.fen.split(" ")
        if fields[2:] != ["-", "-", "0", "0"]:
            problems.append(f"{where}: the FEN should end in '- - 0 0': {puzzle.fen!r}")
        try:
            position = xiangqi.Position.from_fen(puzzle.fen)
        except ValueError as error:
            problems.append(f"{where}: {error}")
            continue
        problems += [f"{where}: {fault}" for fault in position.faults()]
        length = names.mate_length(puzzle.name)
        if length is None:
            problems.append(f"{where}: the name {puzzle.name!r} announces no mate length")
            continue
        if lengths and length < lengths[-1]:
            problems.append(f"{where}: a mate in {length} after one in {lengths[-1]}")
        lengths.append(length)
        placement = position.fen()
        if placement in seen:
            problems.append(f"{where}: the same position as puzzle {seen[placement]}")
        seen.setdefault(placement, puzzle.number)
        positions[puzzle.number] = (position, length)
    if not puzzles or puzzles[-1].fen != collection.OPENING_PUZZLE:
        problems.append("the last puzzle is not the program's opening puzzle")
    return problems, positions


def spread(items, count):
    """count items evenly spread over items, the first always among them."""
    if count >= len(items):
        return list(items)
    return [items[i * len(items) // count] for i in range(count)]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--mate-keys", metavar="PATH",
                        help="the exact short-mate search (build target mate_keys); advised")
    parser.add_argument("--engine", required=True, help="Fairy-Stockfish")
    parser.add_argument("file")
    parser.add_argument("--sample", type=int, metavar="K",
                        help="check only K puzzles with the engine, spread over the file")
    parser.add_argument("--max-moves", type=int, metavar="M",
                        help="check with the engine only mates of at most M moves")
    parser.add_argument("--missing-engine-exit", type=int, default=2, metavar="CODE",
                        help="exit code when the engine is not there (77 makes ctest skip)")
    args = parser.parse_args()

    if not args.engine or not os.access(args.engine, os.X_OK):
        print(f"no engine at {args.engine!r}", file=sys.stderr)
        return args.missing_engine_exit
    if args.mate_keys and not os.access(args.mate_keys, os.X_OK):
        print(f"no mate_keys at {args.mate_keys!r}", file=sys.stderr)
        return 2
    puzzles, problems = collection.read(args.file)
    more, positions = file_problems(puzzles)
    problems += more
    for problem in problems:
        print(problem)

    chosen = [p for p in puzzles if p.number in positions and
              (args.max_moves is None or positions[p.number][1] <= args.max_moves)]
    if args.sample is not None:
        chosen = spread(chosen, args.sample)
    if not args.mate_keys:
        print("without --mate-keys: short mates' keys are left to the engine alone")
    passed = failed = 0
    started = time.monotonic()
    try:
        with Engine(args.engine) as engine:
            for puzzle in chosen:
                position, length = positions[puzzle.number]
                begun = time.monotonic()
                verdict = check.check(engine, position, length,
                                      unique=puzzle.fen != collection.OPENING_PUZZLE,
                                      mate_keys=args.mate_keys)
                seconds = time.monotonic() - begun
                status = "ok  " if verdict.ok else "FAIL"
                print(f"{status} {puzzle.number} {puzzle.name} ({seconds:.1f} s)"
                      + "".join(f"\n     {problem}" for problem in verdict.problems), flush=True)
                passed += verdict.ok
                failed += not verdict.ok
    except EngineError as error:
        print(f"engine failure: {error}", file=sys.stderr)
        return 2
    print(f"engine checks took {time.monotonic() - started:.0f} s")
    print(f"{passed} passed, {failed} failed")
    return 0 if not problems and failed == 0 and chosen else 1


if __name__ == "__main__":
    sys.exit(main())
