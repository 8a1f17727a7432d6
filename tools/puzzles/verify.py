#!/usr/bin/env python3
"""Checks a puzzle file: its format and order, every position's legality, every main line, its
patterns and stars, every mate's key and length by the exact solver and, given the engine, every
mate with the engine.

Prints one line per puzzle checked by the solver or the engine, the collection's counts by length,
pattern and stars and its share of rich and of sparse defences, then "N passed, N failed". Exits 0
when all is well, 1 when anything is wrong, 2 on a bad command line or a tool that cannot be run.
"""

import argparse
import collections
import concurrent.futures
import json
import os
import sys
import threading
import time

import cchess
import check
import collection
import generate
import legality
import names
import solution
import solver
import themes
from engine import Engine, EngineError

# A sparse defence: the king and two pieces or fewer.
SPARSE_PIECES = 3


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
            faults = solution.problems(board.fen(), puzzle.solution, length)
            problems += [f"{where}: {fault}" for fault in faults
                         + annotation_faults(puzzle, board.fen(), not faults,
                                             optional=puzzle is puzzles[-1])]
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


def annotation_faults(puzzle, position, line_mates, optional):
    """What is wrong with a puzzle's patterns and stars: both there (unless `optional`), every
    pattern a known one and, when its main line mates, the ones the line shows; stars 1 to 5."""
    if puzzle.themes is None and puzzle.stars is None:
        return [] if optional else ["no patterns and stars (annotate.py fills them in)"]
    faults = []
    unknown = [name for name in puzzle.themes or () if name not in themes.PATTERNS]
    if unknown:
        faults.append(f"unknown patterns {'/'.join(unknown)}")
    elif puzzle.themes is not None and line_mates:
        shown = themes.themes(position, puzzle.solution)
        if shown != puzzle.themes:
            faults.append(f"the patterns {'/'.join(puzzle.themes) or 'none'}, the main line "
                          f"shows {'/'.join(shown) or 'none'}")
    if puzzle.stars is None or len(puzzle.stars) != 1 or puzzle.stars not in "12345":
        faults.append(f"stars {puzzle.stars!r}, not 1 to 5")
    return faults


def summary(puzzles, positions):
    """The collection's counts by length, pattern and stars, and its shares of rich and of sparse
    defences, as lines of text."""
    lengths = collections.Counter(length for _, length in positions.values())
    patterns = collections.Counter(name for p in puzzles for name in p.themes or ())
    stars = collections.Counter(p.stars for p in puzzles if p.stars)
    pieces = [generate.defenders(fen) for fen, _ in positions.values()]
    total = max(len(pieces), 1)
    return [
        "by length: " + ", ".join(f"{n}: {lengths[n]}" for n in sorted(lengths)),
        "by pattern: " + ", ".join(f"{name} {patterns[name]}" for name in themes.PATTERNS)
        + f"; none {sum(p.themes == [] for p in puzzles)}",
        "by stars: " + ", ".join(f"{n}: {stars[n]}" for n in sorted(stars)),
        f"defences of {generate.RICH_PIECES} pieces or more (the king included): "
        f"{sum(n >= generate.RICH_PIECES for n in pieces) / total:.0%}; "
        f"of the king and {SPARSE_PIECES - 1} pieces or fewer: "
        f"{sum(n <= SPARSE_PIECES for n in pieces) / total:.0%}"]


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
    print("\n".join(summary(puzzles, positions)))
    print(f"{len(counted - failing)} passed, {len(counted & failing)} failed")
    return 0 if puzzles and not problems and not failing and (chosen or not args.engine) else 1


if __name__ == "__main__":
    sys.exit(main())
