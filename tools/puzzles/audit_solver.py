#!/usr/bin/env python3
"""Audits the exact mate solver against Fairy-Stockfish on positions nobody chose by hand: random
endings and positions from the engine's games against itself, the generator's own sources.

Every position is asked of tarvelle-mate (full proof) and of the engine (MultiPV 2). They agree
when the mate lengths are the same, the engine's first move is one of the solver's keys, and, where
the solver finds one key alone, the engine's second line mates no faster; on "none N" when the
engine sees no mate within N. Where they differ the plain search of the test tree (plain-mate)
settles it: when it sides with the solver the position is set aside with the reason, never counted
as agreement; when it does not, the solver is at fault. Every verdict is kept in the work file by
position and budget, so that a run started again checks only what is new.
"""

import argparse
import json
import os
import random
import subprocess
import sys
import time

import cchess
import check
import generate
import solver
from engine import Engine

# The engine's budget for each position: the puzzle check's, rounded. Its depth limit beyond the
# solver's mate (or its bound, where it finds none) is the one check.py gives it to confirm a
# proven mate: it lets a settled mate end before the budget does.
ENGINE_NODES = 20_000_000
# The bound asked of random endings and of the positions of a game where the engine saw a mate;
# the other positions of a game, full boards, are asked about short mates only.
ENDING_MOVES = 7
QUIET_MOVES = 3
# The mate lengths audited, each with a quota of its own (--per-length) in each source.
LENGTHS = range(1, ENDING_MOVES + 1)


class Work:
    """The work file: one JSON a line, {"kind", "key", ...}; later lines win, and a line cut short
    by a stopped run is asked again."""

    def __init__(self, path):
        self.path_, self.entries_ = path, {}
        if os.path.exists(path):
            with open(path, encoding="utf-8") as file:
                for line in file:
                    try:
                        entry = json.loads(line)
                    except json.JSONDecodeError:
                        continue
                    self.entries_[(entry["kind"], entry["key"])] = entry

    def get(self, kind, key):
        return self.entries_.get((kind, key))

    def put(self, kind, key, **fields):
        entry = {"kind": kind, "key": key, **fields}
        self.entries_[(kind, key)] = entry
        with open(self.path_, "a", encoding="utf-8") as file:
            file.write(json.dumps(entry, ensure_ascii=False) + "\n")
        return entry


def game_positions(work, engine_path, seed, games, log):
    """(FEN, bound, mate reported) of the positions of `games` games of generate.py's kind: the
    ones where the side to move reported a mate, and the blunders found on the way, with
    ENDING_MOVES; the rest with QUIET_MOVES."""
    found = []
    for game in range(games):
        key = f"{seed}/{game}"
        entry = work.get("game", key)
        if entry is None:
            with Engine(engine_path) as engine:
                record = generate.play_game(engine, random.Random(f"audit/{key}"), 10000, 300, 4)
            entry = work.put("game", key, positions=record)
            log(f"game {key}: {len(record)} positions")
        for fen, mate in entry["positions"]:
            found.append((fen, ENDING_MOVES if mate is not None else QUIET_MOVES, mate))
    return found


def candidates(work, args, log):
    """{source: [(FEN, bound, mate reported or None)]}, each position once, in a fixed order."""
    endings = [generate.endgame_position(random.Random(f"audit/{args.seed}/{i}"))
               for i in range(args.endings)]
    sources = {"ending": [(fen, ENDING_MOVES, None) for fen in endings if fen],
               "game": game_positions(work, args.engine, args.seed, args.games, log)}
    seen = set()
    for name, positions in sources.items():
        unique = []
        for fen, bound, reported in positions:
            if fen not in seen:
                seen.add(fen)
                unique.append((fen, bound, reported))
        sources[name] = unique
    return sources


def solver_answer(work, mate, fen, bound, seconds):
    key = f"{fen}\t{bound}\t{seconds:g}"
    entry = work.get("solver", key)
    if entry is None:
        begun = time.monotonic()
        answer = mate.solve(fen, bound)
        entry = work.put("solver", key, answer=answer.text,
                         seconds=round(time.monotonic() - begun, 2))
    return solver.Answer(entry["answer"])


def chosen(work, mate, sources, args, log):
    """[(source, FEN, bound, Answer)]: per source up to --per-length positions of each mate length
    and --none without a mate, by the solver's verdict, in the sources' order; and how many were
    passed over as unknown within the solver's time."""
    picked, unknown = [], 0
    for name, positions in sources.items():
        wanted = {n: args.per_length for n in LENGTHS}
        wanted[None] = args.none
        # The positions of a game are in the order they were played: a spread over all the games
        # keeps one game's long finish from filling every length.
        order = positions[::3] + positions[1::3] + positions[2::3] if name == "game" else positions
        for fen, bound, reported in order:
            if not any(wanted.values()):
                break
            # The mate the game's search reported saves asking about lengths no longer wanted.
            if name == "game" and not wanted.get(reported if reported in wanted else None):
                continue
            answer = solver_answer(work, mate, fen, bound, args.solver_seconds)
            if answer.outcome == "unknown":
                unknown += 1
                continue
            bucket = answer.moves if answer.mates else None
            if wanted.get(bucket):
                wanted[bucket] -= 1
                picked.append((name, fen, bound, answer))
        log(f"{name}: {sum(p[0] == name for p in picked)} positions chosen, "
            f"still wanted {wanted}")
    return picked, unknown


def engine_lines(work, engine, fen, moves):
    """[[mate or None, centipawns or None, pv], ...] of the engine's two lines."""
    margin = check.CONFIRMING_DEPTH_MARGIN if moves <= check.CONFIRMING_UP_TO else \
        check.DEPTH_MARGIN
    depth = 2 * moves + margin
    key = f"{fen}\t{depth}\t{ENGINE_NODES}"
    entry = work.get("engine", key)
    if entry is None:
        begun = time.monotonic()
        engine.new_game()
        engine.set_multipv(2)
        result = engine.search(fen, depth=depth, nodes=ENGINE_NODES)
        lines = [[line.mate, line.centipawns, line.pv] if line else None
                 for line in (result.line(1), result.line(2))]
        entry = work.put("engine", key, lines=lines, nodes=result.nodes,
                         seconds=round(time.monotonic() - begun, 1))
    return entry["lines"]


def plain_answer(work, plain, fen, bound, seconds):
    """The plain search's answer line, or None when it did not finish within `seconds`."""
    key = f"{fen}\t{bound}\t{seconds:g}"
    entry = work.get("plain", key)
    if entry is None:
        try:
            run = subprocess.run([plain], input=f"{fen}\t{bound}\n", capture_output=True,
                                 text=True, timeout=seconds, check=True)
            text = run.stdout.strip()
        except subprocess.TimeoutExpired:
            text = None
        entry = work.put("plain", key, answer=text)
    return entry["answer"]


def engine_text(line):
    """The engine's move (ranks 1 to 10) as the solver writes it (ranks 0 to 9)."""
    try:
        return cchess.ucci_text(cchess.parse_uci(line))
    except ValueError:
        return line


def difference(answer, bound, lines):
    """How the engine's lines differ from the solver's answer, or None when they agree."""
    first, second = lines
    mate = first[0] if first and first[0] is not None and first[0] > 0 and first[2] else None
    if not answer.mates:
        return f"the engine reports mate in {mate}" if mate and mate <= bound else None
    if mate != answer.moves:
        return f"the engine reports {f'mate in {mate}' if mate else 'no mate'}"
    if engine_text(first[2][0]) not in answer.keys:
        return f"the engine's key {engine_text(first[2][0])} is not the solver's"
    if len(answer.keys) == 1 and second and second[0] is not None and 0 < second[0] <= mate:
        return f"the engine's second line {engine_text(second[2][0])} mates in {second[0]}"
    return None


def defender_checks(fen, pv):
    """How many of the defender's moves in the engine's line give check."""
    board, checks = cchess.Board(fen), 0
    for ply, word in enumerate(pv):
        try:
            status = board.play(cchess.parse_uci(word))
        except ValueError:
            break
        checks += ply % 2 == 1 and bool(status & cchess.STATUS_CHECK)
    return checks


def settled(fen, answer, lines, plain):
    """(verdict, reason) of a difference: "set aside" when the plain search sides with the
    solver, "disagree" when it does not, "unsettled" when it did not finish."""
    if plain is None:
        return "unsettled", "the plain search did not finish"
    words = plain.split()
    if not answer.mates:
        if words[0] != "none":
            return "disagree", f"the plain search finds {plain}"
    elif words[:2] != ["mate", str(answer.moves)] or sorted(words[2:]) != sorted(answer.keys):
        return "disagree", f"the plain search finds {plain}"
    first = lines[0]
    mate = first[0] if first and first[0] is not None and first[0] > 0 else None
    if mate and (not answer.mates or mate < answer.moves):
        return "set aside", (f"the engine's mate in {mate} is not forced on the board "
                             f"(the defender gives check {defender_checks(fen, first[2])} times in "
                             f"its line)")
    if not answer.mates or mate is None or mate > answer.moves:
        return "set aside", "the engine did not find the fastest mate"
    if engine_text(first[2][0]) not in answer.keys:
        return "set aside", "the engine's key does not mate as fast on the board"
    return "set aside", "the engine's second line does not mate as fast on the board"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    solver.add_options(parser)
    parser.add_argument("--plain", required=True, metavar="PATH",
                        help="the test tree's plain search (build target plain-mate)")
    parser.add_argument("--engine", default="/usr/games/fairy-stockfish")
    parser.add_argument("--work", required=True, help="verdicts kept across runs, one JSON a line")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--endings", type=int, default=200, help="random endings drawn")
    parser.add_argument("--games", type=int, default=6, help="games played for positions")
    parser.add_argument("--per-length", type=int, default=15,
                        help="positions of each source and each mate length 1..7")
    parser.add_argument("--none", type=int, default=20,
                        help="positions of each source without a mate")
    parser.add_argument("--solver-seconds", type=float, default=60)
    parser.add_argument("--plain-seconds", type=float, default=300)
    args = parser.parse_args()
    cchess.load(args.cchess or cchess.library_beside(args.mate))

    def log(text):
        print(text, flush=True)

    started = time.monotonic()
    work = Work(args.work)
    sources = candidates(work, args, log)
    with solver.Solver(args.mate, args.solver_seconds) as mate:
        picked, unknown = chosen(work, mate, sources, args, log)
    counts = {}
    with Engine(args.engine) as engine:
        for number, (source, fen, bound, answer) in enumerate(picked, 1):
            lines = engine_lines(work, engine, fen, answer.moves)
            differs = difference(answer, bound, lines)
            if differs is None:
                verdict, reason = "agree", ""
            else:
                plain = plain_answer(work, args.plain, fen, bound, args.plain_seconds)
                verdict, reason = settled(fen, answer, lines, plain)
                reason = f"{differs}; {reason}"
                log(f"{verdict}: {source} {fen} (within {bound}): solver {answer.text}; "
                    f"{reason}")
            counts.setdefault(verdict, {}).setdefault(reason.split("; ")[-1], 0)
            counts[verdict][reason.split("; ")[-1]] += 1
            if number % 20 == 0:
                log(f"{number} of {len(picked)} audited, "
                    f"{(time.monotonic() - started) / 60:.1f} min")
    mates = {}
    for _, _, _, answer in picked:
        mates[answer.moves if answer.mates else "none"] = \
            mates.get(answer.moves if answer.mates else "none", 0) + 1
    log(f"{len(picked)} positions ({sum(p[0] == 'ending' for p in picked)} endings, "
        f"{sum(p[0] == 'game' for p in picked)} from games), by the solver's verdict {mates}; "
        f"{unknown} passed over, unknown to the solver within {args.solver_seconds:g} s")
    for verdict in ("agree", "set aside", "unsettled", "disagree"):
        for reason, count in sorted(counts.get(verdict, {}).items()):
            log(f"{verdict}: {count}" + (f" ({reason})" if reason else ""))
    log(f"{(time.monotonic() - started) / 60:.1f} min")
    return 1 if counts.get("disagree") or counts.get("unsettled") else 0


if __name__ == "__main__":
    sys.exit(main())
