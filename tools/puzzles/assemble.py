#!/usr/bin/env python3
"""Writes the collection from the puzzles of a puzzle file and of harvest.py's work files: each
position once, annotated with its patterns and stars, in order of difficulty (by length, then
stars, then the solver's effort), the program's opening puzzle last. With --audit, only the
puzzles whose every search of engine_audit.py is in its cache and agrees are written: a puzzle
the engine has not yet seen waits for a later run, and one it disagrees with is never shipped."""

import argparse
import json
import sys

import annotate
import cchess
import collection
import engine_audit
import solver


def harvested(paths):
    """(name, FEN, main line) of the puzzles the work files kept."""
    for path in paths:
        with open(path, encoding="utf-8") as file:
            for entry in map(json.loads, filter(str.strip, file)):
                if "fen" in entry:
                    yield entry["name"], collection.full_fen(entry["fen"]), entry["line"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    solver.add_options(parser)
    parser.add_argument("--base", required=True, help="the puzzle file to start from")
    parser.add_argument("--work", action="append", default=[], help="a harvest.py work file")
    parser.add_argument("--effort-cache", metavar="PATH",
                        help="the solver's effort by position and length, kept across runs")
    parser.add_argument("--audit", metavar="PATH", help="engine_audit.py's cache")
    parser.add_argument("--out", required=True, help="the collection to write")
    args = parser.parse_args()
    cchess.load(args.cchess or cchess.library_beside(args.mate))
    puzzles, problems = collection.read(args.base)
    if problems:
        print("\n".join(problems), file=sys.stderr)
        return 1
    rows, seen = [], set()
    for name, fen, line in [(p.name, p.fen, p.solution) for p in puzzles
                            if p.fen != collection.OPENING_PUZZLE] + list(harvested(args.work)):
        position = " ".join(fen.split(" ")[:2])
        if position not in seen:
            seen.add(position)
            rows.append((name, fen, line))
    if args.audit:
        cached = engine_audit.read_cache(args.audit)
        counts = {"agrees": 0, "fails": 0, "waiting": 0}
        kept = []
        for row in rows:
            verdict = engine_audit.standing(collection.Puzzle(0, *row[:2], solution=row[2]),
                                            cached)
            counts[verdict] += 1
            if verdict == "agrees":
                kept.append(row)
        rows = kept
        print("the engine's audit: {agrees} agree, {fails} fail, {waiting} wait".format(**counts))
    opening = next(p for p in puzzles if p.fen == collection.OPENING_PUZZLE)
    with solver.Solver(args.mate, stats=True) as mate:
        cache = annotate.EffortCache(args.effort_cache)
        done = annotate.annotate(rows, mate, cache)
        last = annotate.annotate([(opening.name, opening.fen, opening.solution)], mate, cache)
    done.sort(key=lambda a: (a.measures.length, a.stars, a.measures.nodes or 0, a.row[1]))
    collection.write(args.out, [a.row for a in done + last])
    print(f"{len(done) + 1} puzzles written to {args.out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
