#!/usr/bin/env python3
"""Checks a puzzle file: its format and order, every position's legality, every main line, the
short mates' keys by the exact search and every mate with the engine.

Prints one line per puzzle checked with the engine, then "N passed, N failed". Exits 0 when all is
well, 1 when anything is wrong, 2 on a bad command line or a tool that cannot be run.
"""

import argparse
import concurrent.futures
import json
import os
import sys
import threading
import time

import cchess
import check
import collection
import legality
import names
import solution
from engine import Engine, EngineError


def file_problems(puzzles):
    """What is wrong with the file as a whole and with each line on its own, engine aside, and
    the puzzles' positions (placement and side) and lengths by number."""
    problems, positions, lengths, seen = [], {}, [], {}
    for puzzle in puzzles:
        where = f"puzzle {puzzle.number} (line {puzzle.line_number})"
        fields = puzzle.fen.split(" ")
        if fields[2:] != ["-", "-", "0", "0"]:
            problems.append(f"{where}: the FEN should end in '- - 0 0': {puzzle.fen!r}")
        try:
            board = cchess.Board(puzzle.fen)
        except ValueError as error:
            problems.append(f"{where}: {error}")
            continue
        problems += [f"{where}: {fault}" for fault in legality.faults(board)]
        length = names.mate_length(puzzle.name)
        if length is None:
            problems.append(f"{where}: the name {puzzle.name!r} announces no mate length")
            continue
        if puzzle.solution is None:
            problems.append(f"{where}: no main line")
        else:
            problems += [f"{where}: {fault}"
                         for fault in solution.problems(board.fen(), puzzle.solution, length)]
        if lengths and length < lengths[-1] and puzzle is not puzzles[-1]:
            problems.append(f"{where}: a mate in {length} after one in {lengths[-1]}")
        lengths.append(length)
        if board.fen() in seen:
            problems.append(f"{where}: the same position as puzzle {seen[board.fen()]}")
        seen.setdefault(board.fen(), puzzle.number)
        positions[puzzle.number] = (board.fen(), length)
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
    parser.add_argument("--mate-keys", required=True, metavar="PATH",
                        help="the exact short-mate search (build target mate_keys)")
    parser.add_argument("--cchess", metavar="PATH",
                        help="the rules library; by default libcchess.so beside mate_keys")
    parser.add_argument("--engine", help="Fairy-Stockfish; without it only the checks that need "
                                         "no engine are made")
    parser.add_argument("file")
    parser.add_argument("--sample", type=int, metavar="K",
                        help="check only K puzzles with the engine, spread over the file")
    parser.add_argument("--max-moves", type=int, metavar="M",
                        help="check with the engine only mates of at most M moves")
    parser.add_argument("--min-moves", type=int, default=1, metavar="M",
                        help="check with the engine only mates of at least M moves")
    parser.add_argument("--strength", type=int, default=1, metavar="K",
                        help="K times the engine's budgets for key and length, to try to break "
                             "the verdicts; not kept in --work")
    parser.add_argument("--exact-up-to", type=int, default=check.EXACT_UP_TO, metavar="N",
                        choices=range(1, check.EXACT_LONGEST + 1),
                        help="the exact search proves key and length up to N moves (at most 9; "
                             "minutes a puzzle beyond 6); not kept in --work")
    parser.add_argument("--work", metavar="PATH",
                        help="verdicts kept across runs, one JSON a line: a stopped run resumes, "
                             "and a puzzle whose line is unchanged is not checked again")
    parser.add_argument("--jobs", type=int, default=1,
                        help="puzzles checked at once, one engine each")
    parser.add_argument("--missing-engine-exit", type=int, default=2, metavar="CODE",
                        help="exit code when the engine is not there (77 makes ctest skip)")
    args = parser.parse_args()

    if args.engine is not None and not os.access(args.engine, os.X_OK):
        print(f"no engine at {args.engine!r}", file=sys.stderr)
        return args.missing_engine_exit
    if not os.access(args.mate_keys, os.X_OK):
        print(f"no mate_keys at {args.mate_keys!r}", file=sys.stderr)
        return 2
    cchess.load(args.cchess or cchess.library_beside(args.mate_keys))
    puzzles, problems = collection.read(args.file)
    more, positions = file_problems(puzzles)
    problems += more
    for problem in problems:
        print(problem)
    if args.engine is None:
        faulty = sum(any(p.startswith(f"puzzle {n} ") for p in problems) for n in
                     range(1, len(puzzles) + 1))
        print(f"{len(puzzles) - faulty} passed, {faulty} failed")
        return 0 if puzzles and not problems else 1

    longest = args.max_moves or max((length for _, length in positions.values()), default=0)
    chosen = [p for p in puzzles
              if p.number in positions and args.min_moves <= positions[p.number][1] <= longest]
    if args.sample is not None:
        chosen = spread(chosen, args.sample)
    passed = failed = 0
    started = time.monotonic()
    engines, local, lock = [], threading.local(), threading.Lock()
    earlier = {}
    if args.work and os.path.exists(args.work):
        with open(args.work, encoding="utf-8") as file:
            earlier = {e["row"]: e for e in map(json.loads, file) if e}

    usual = args.strength == 1 and args.exact_up_to == check.EXACT_UP_TO

    def verdict_of(puzzle):
        row = collection.row_text(puzzle.name, puzzle.fen, puzzle.solution)
        if row in earlier and usual:
            return check.Verdict(earlier[row]["problems"]), earlier[row]["seconds"]
        verdict, seconds = checked(puzzle)
        if args.work and usual:
            with lock, open(args.work, "a", encoding="utf-8") as file:
                file.write(json.dumps({"row": row, "problems": verdict.problems,
                                       "seconds": round(seconds, 1)}, ensure_ascii=False) + "\n")
        return verdict, seconds

    def checked(puzzle):
        if not hasattr(local, "engine"):
            local.engine = Engine(args.engine)
            engines.append(local.engine)
        fen, length = positions[puzzle.number]
        begun = time.monotonic()
        verdict = check.check(local.engine, fen, length, mate_keys=args.mate_keys,
                              line_text=puzzle.solution,
                              unique=puzzle.fen != collection.OPENING_PUZZLE,
                              strength=args.strength, exact_up_to=args.exact_up_to)
        return verdict, time.monotonic() - begun

    try:
        with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
            for puzzle, (verdict, seconds) in zip(chosen, pool.map(verdict_of, chosen)):
                status = "ok  " if verdict.ok else "FAIL"
                print(f"{status} {puzzle.number} {puzzle.name} ({seconds:.1f} s)"
                      + "".join(f"\n     {problem}" for problem in verdict.problems), flush=True)
                passed += verdict.ok
                failed += not verdict.ok
    except EngineError as error:
        print(f"engine failure: {error}", file=sys.stderr)
        return 2
    finally:
        for engine in engines:
            engine.close()
    print(f"engine checks took {time.monotonic() - started:.0f} s")
    print(f"{passed} passed, {failed} failed")
    return 0 if not problems and failed == 0 and chosen else 1


if __name__ == "__main__":
    sys.exit(main())
