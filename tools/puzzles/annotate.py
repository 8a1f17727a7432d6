#!/usr/bin/env python3
"""Fills in the mating patterns (fifth field) and the stars (sixth) of every puzzle of a puzzle
file and rewrites it in place. The solver's effort for each puzzle is kept in a cache, so that a
run asks the solver only about positions it has not seen at that length.

Prints, by stars, how many puzzles, their median effort and their share of quiet moves; exits 1
when those do not rise with the stars, or when a puzzle cannot be annotated.
"""

import argparse
import json
import os
import statistics
import sys
import time

import cchess
import collection
import difficulty
import solver
import themes


class EffortCache:
    """The solver's effort (nodes) by position and length, one JSON a line in `path` (or only in
    memory without one). A line cut short by a stopped run is passed over and asked again."""

    def __init__(self, path=None):
        self.path_, self.nodes_, self.cut_short_ = path, {}, False
        if path and os.path.exists(path):
            with open(path, encoding="utf-8") as file:
                text = file.read()
            self.cut_short_ = bool(text) and not text.endswith("\n")
            for line in text.splitlines():
                try:
                    entry = json.loads(line)
                    self.nodes_[(entry["fen"], entry["moves"])] = int(entry["nodes"])
                except (ValueError, KeyError, TypeError):
                    continue

    def effort(self, mate, fen, moves):
        """The nodes of the solver's full proof of `fen` (placement and side) within `moves`;
        raises solver.SolverError when it proves no mate of that length."""
        if (fen, moves) not in self.nodes_:
            answer = mate.solve(fen, moves)
            if not answer.mates or answer.moves != moves or answer.nodes is None:
                raise solver.SolverError(f"{fen}: the solver answered {answer.text!r} to a mate "
                                         f"in {moves}" + ("" if answer.nodes is not None else
                                                          ", without its effort (--stats)"))
            self.nodes_[(fen, moves)] = answer.nodes
            if self.path_:
                with open(self.path_, "a", encoding="utf-8") as file:
                    # A line cut short ends first, so that this one stands on its own.
                    file.write("\n" * self.cut_short_ + json.dumps(
                        {"fen": fen, "moves": moves, "nodes": answer.nodes}) + "\n")
                self.cut_short_ = False
        return self.nodes_[(fen, moves)]


class Annotated:
    """A puzzle with its patterns, its measures and its stars; `row` is what collection.write
    takes."""

    def __init__(self, name, fen, line, names, measures, stars):
        self.measures, self.stars = measures, stars
        self.row = (name, fen, line, names, stars)


def annotate(entries, mate, cache=None):
    """entries: (name, FEN, main line) in the file's order; mate: a solver.Solver with stats. A
    mate longer than the solver reaches has five stars and no effort. Raises ValueError for a
    line that does not mate, solver.SolverError where the solver disagrees with its length."""
    cache = cache or EffortCache()
    annotated = []
    for name, fen, line in entries:
        if not line:
            raise ValueError(f"{name} {fen}: no main line")
        position = cchess.Board(fen).fen()
        measures = difficulty.measure(position, line)
        if measures.length <= solver.LONGEST:
            measures.nodes = cache.effort(mate, position, measures.length)
            stars = difficulty.stars(measures)
        else:
            stars = 5
        annotated.append(Annotated(name, fen, line, themes.themes(position, line), measures,
                                   stars))
    return annotated


def star_table(annotated):
    """Rows (stars, puzzles, median effort, quiet-move share) of the puzzles the solver measured,
    one per star that has any, and whether effort and quiet share rise with the stars."""
    rows = []
    for stars in range(1, 6):
        group = [a.measures for a in annotated if a.stars == stars and a.measures.nodes]
        if group:
            quiet = sum(m.quiet for m in group) / sum(m.length for m in group)
            rows.append((stars, len(group), statistics.median(m.nodes for m in group), quiet))
    rising = all(a[2] < b[2] and a[3] < b[3] for a, b in zip(rows, rows[1:]))
    return rows, rising


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("file")
    solver.add_options(parser)
    parser.add_argument("--cache", metavar="PATH",
                        help="the solver's efforts kept across runs, one JSON a line")
    args = parser.parse_args()
    if not os.access(args.mate, os.X_OK):
        print(f"no tarvelle-mate at {args.mate!r}", file=sys.stderr)
        return 2
    cchess.load(args.cchess or cchess.library_beside(args.mate))
    puzzles, problems = collection.read(args.file)
    if problems:
        print("\n".join(problems), file=sys.stderr)
        return 1
    started = time.monotonic()
    try:
        with solver.Solver(args.mate, stats=True) as mate:
            annotated = annotate([(p.name, p.fen, p.solution) for p in puzzles], mate,
                                 EffortCache(args.cache))
    except (ValueError, solver.SolverError) as error:
        print(f"not annotated: {error}", file=sys.stderr)
        return 1
    collection.write(args.file, [a.row for a in annotated])
    rows, rising = star_table(annotated)
    print(f"{len(annotated)} puzzles annotated in {time.monotonic() - started:.0f} s")
    print("stars  puzzles  median effort  quiet moves")
    for stars, count, effort, quiet in rows:
        print(f"{stars:5}  {count:7}  {effort:13,.0f}  {quiet:11.0%}")
    if not rising:
        print("the median effort and the share of quiet moves do not rise with the stars")
    return 0 if rising else 1


if __name__ == "__main__":
    sys.exit(main())
