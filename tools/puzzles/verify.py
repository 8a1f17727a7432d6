#!/usr/bin/env python3
"""Checks a puzzle file: its format and order, every position's legality, every main line, every
mate's key and length by the exact solver and, given the engine, every mate with the engine.

Prints one line per puzzle checked by the solver or the engine, then "N passed, N failed". Exits 0
when all is well, 1 when anything is wrong, 2 on a bad command line or a tool that cannot be run.
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
import solver
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
    solver.add_options(parser)
    parser.add_argument("--engine", help="Fairy-Stockfish; without it only the checks that need "
                                         "no engine are made")
    parser.add_argument("file")
    parser.add_argument("--sample", type=int, metavar="K",
                        help="check only K puzzles, spread over the file")
    parser.add_argument("--max-moves", type=int, metavar="M",
                        help="check only mates of at most M moves")
    parser.add_argument("--min-moves", type=int, default=1, metavar="M",
                        help="check only mates of at least M moves")
    parser.add_argument("--strength", type=int, default=1, metavar="K",
                        help="K times the engine's budgets for key and length, to try to break "
                             "the verdicts; not kept in --work")
    parser.add_argument("--exact-up-to", type=int, default=check.EXACT_UP_TO, metavar="N",
                        choices=range(1, solver.LONGEST + 1),
                        help=f"the exact solver proves key and length up to N moves instead of "
                             f"{check.EXACT_UP_TO}; not kept in --work")
    parser.add_argument("--work", metavar="PATH",
                        help="the engine's verdicts kept across runs, one JSON a line: a stopped "
                             "run resumes, and a puzzle whose line is unchanged is not checked "
                             "again")
    parser.add_argument("--jobs", type=int, default=1,
                        help="puzzles checked at once, one solver and one engine each")
    parser.add_argument("--missing-engine-exit", type=int, default=2, metavar="CODE",
                        help="exit code when the engine is not there (77 makes ctest skip)")
    args = parser.parse_args()

    if args.engine is not None and not os.access(args.engine, os.X_OK):
        print(f"no engine at {args.engine!r}", file=sys.stderr)
        return args.missing_engine_exit
    if not os.access(args.mate, os.X_OK):
        print(f"no tarvelle-mate at {args.mate!r}", file=sys.stderr)
        return 2
    cchess.load(args.cchess or cchess.library_beside(args.mate))
    puzzles, problems = collection.read(args.file)
    more, positions = file_problems(puzzles)
    problems += more
    for problem in problems:
        print(problem)
    longest = args.max_moves or max((length for _, length in positions.values()), default=0)
    chosen = [p for p in puzzles
              if p.number in positions and args.min_moves <= positions[p.number][1] <= longest
              and (args.engine or p.fen != collection.OPENING_PUZZLE)]
    if args.sample is not None:
        chosen = spread(chosen, args.sample)
    started = time.monotonic()
    tools, local, lock = [], threading.local(), threading.Lock()
    earlier = {}
    if args.work and os.path.exists(args.work):
        with open(args.work, encoding="utf-8") as file:
            earlier = {e["row"]: e for e in map(json.loads, file) if e}

    usual = args.engine and args.strength == 1 and args.exact_up_to == check.EXACT_UP_TO

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
        if not hasattr(local, "solver"):
            local.solver = solver.Solver(args.mate)
            tools.append(local.solver)
            if args.engine:
                local.engine = Engine(args.engine)
                tools.append(local.engine)
        fen, length = positions[puzzle.number]
        begun = time.monotonic()
        if args.engine:
            verdict = check.check(local.engine, fen, length, mate=local.solver,
                                  line_text=puzzle.solution,
                                  unique=puzzle.fen != collection.OPENING_PUZZLE,
                                  strength=args.strength, exact_up_to=args.exact_up_to)
        else:
            verdict = check.exact_verdict(local.solver, fen, length, puzzle.solution,
                                          args.exact_up_to)
        return verdict, time.monotonic() - begun

    failing = {n for n in range(1, len(puzzles) + 1)
               if any(p.startswith(f"puzzle {n} ") for p in problems)}
    try:
        with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
            for puzzle, (verdict, seconds) in zip(chosen, pool.map(verdict_of, chosen)):
                status = "ok  " if verdict.ok else "FAIL"
                print(f"{status} {puzzle.number} {puzzle.name} ({seconds:.1f} s)"
                      + "".join(f"\n     {problem}" for problem in verdict.problems), flush=True)
                if not verdict.ok:
                    failing.add(puzzle.number)
    except (EngineError, solver.SolverError) as error:
        print(f"failure: {error}", file=sys.stderr)
        return 2
    finally:
        for tool in tools:
            tool.close()
    print(f"the {'engine' if args.engine else 'exact'} checks took "
          f"{time.monotonic() - started:.0f} s")
    # With the engine only the puzzles it checked count; without, every puzzle of the file.
    counted = {p.number for p in chosen} if args.engine else set(range(1, len(puzzles) + 1))
    print(f"{len(counted - failing)} passed, {len(counted & failing)} failed")
    return 0 if puzzles and not problems and not failing and (chosen or not args.engine) else 1


if __name__ == "__main__":
    sys.exit(main())
