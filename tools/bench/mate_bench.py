#!/usr/bin/env python3
"""Times the mate solver over a puzzle file beside Fairy-Stockfish, on one core, and prints a table
by length: tarvelle-mate's full proof (length, key and no second key), its --first (the first key
proven), and the engine's `go mate N` (from the command to its first report of a mate within N).
Each puzzle's length is its main line's. With --mate-keys, the older exact search from a build
before tarvelle-mate replaced it, it times that too.

    python3 tools/bench/mate_bench.py build/bin/tarvelle-mate assets/fens.txt \\
        [--engine /usr/games/fairy-stockfish] [--mate-keys build/bin/mate_keys] [--seconds 60]
"""

import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "puzzles"))
import collection  # noqa: E402
from solver import LONGEST  # noqa: E402  (the opening puzzle's mate in twenty is beyond it)


def solver_times(binary, puzzles, extra, seconds):
    """Milliseconds of search for each puzzle, and whether the answer had the puzzle's length
    (and, for a full proof, its key and no second key)."""
    command = ["taskset", "-c", "0", binary, "--stats", "--seconds", str(seconds)] + extra
    lines = "".join(f"{p.fen}\t{p.length}\n" for p in puzzles)
    run = subprocess.run(command, input=lines, capture_output=True, text=True, check=True)
    answers = run.stdout.splitlines()
    stats = [line.split() for line in run.stderr.splitlines() if line.startswith("nodes ")]
    results = []
    for puzzle, answer, stat in zip(puzzles, answers, stats):
        words = answer.split()
        agrees = words[:2] == ["mate", str(puzzle.length)]
        if "--first" not in extra:
            agrees = agrees and words[2] == puzzle.key and "|" not in words
        results.append((int(stat[3]), agrees, answer))
    return results


class MateEngine:
    def __init__(self, path):
        self.process = subprocess.Popen(["taskset", "-c", "0", path], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        text=True, bufsize=1)
        self.send("uci")
        self.wait_for("uciok")
        for name, value in (("UCI_Variant", "xiangqi"), ("Threads", 1), ("Hash", 64)):
            self.send(f"setoption name {name} value {value}")

    def send(self, text):
        self.process.stdin.write(text + "\n")
        self.process.stdin.flush()

    def wait_for(self, word):
        while True:
            line = self.process.stdout.readline()
            if not line:
                raise RuntimeError("the engine closed its output")
            if line.split()[:1] == [word]:
                return line

    def time_to_mate(self, fen, moves, seconds):
        """Milliseconds until the engine first reports a mate within `moves`, or None."""
        self.send("ucinewgame")
        self.send("isready")
        self.wait_for("readyok")
        self.send(f"position fen {fen}")
        started = time.monotonic()
        self.send(f"go mate {moves} movetime {seconds * 1000}")
        found = None
        while True:
            words = self.process.stdout.readline().split()
            if words and words[0] == "bestmove":
                return found
            if found is None and "mate" in words and words[words.index("mate") - 1] == "score":
                mate = int(words[words.index("mate") + 1])
                if 0 < mate <= moves:
                    found = round((time.monotonic() - started) * 1000)
                    self.send("stop")

    def close(self):
        self.send("quit")
        self.process.wait(timeout=10)


def mate_keys_time(binary, puzzle, seconds):
    started = time.monotonic()
    try:
        subprocess.run(["taskset", "-c", "0", binary, puzzle.fen, str(puzzle.length)],
                       capture_output=True, timeout=seconds, check=True)
    except subprocess.TimeoutExpired:
        return None
    return round((time.monotonic() - started) * 1000)


def summary(values):
    known = sorted(v for v in values if v is not None)
    if not known:
        return "-"
    text = f"{statistics.median(known):g} / {known[min(len(known) - 1, int(0.95 * len(known)))]}"
    text += f" / {known[-1]}"
    if len(known) < len(values):
        text += f" ({len(values) - len(known)} over the limit)"
    return text


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("solver")
    parser.add_argument("puzzles")
    parser.add_argument("--engine", default="/usr/games/fairy-stockfish")
    parser.add_argument("--mate-keys")
    parser.add_argument("--seconds", type=int, default=60, help="limit per search")
    args = parser.parse_args()

    puzzles, problems = collection.read(args.puzzles)
    if problems:
        sys.exit("\n".join(problems))
    timed = []
    for puzzle in puzzles:
        if not puzzle.solution:
            continue
        moves = puzzle.solution.split()
        puzzle.length, puzzle.key = (len(moves) + 1) // 2, moves[0]
        if puzzle.length <= LONGEST:
            timed.append(puzzle)

    full = solver_times(args.solver, timed, [], args.seconds)
    first = solver_times(args.solver, timed, ["--first"], args.seconds)
    engine = MateEngine(args.engine) if os.path.exists(args.engine) else None
    fsf = [engine.time_to_mate(p.fen, p.length, args.seconds) if engine else None for p in timed]
    if engine:
        engine.close()
    keys = [mate_keys_time(args.mate_keys, p, args.seconds) if args.mate_keys and p.length <= 9
            else None for p in timed]

    print("Milliseconds, median / p95 / max, on one core; a full proof (length, key, no second key) "
          "and --first (a key) of tarvelle-mate, Fairy-Stockfish's go mate N")
    columns = ["moves", "puzzles", "full proof", "--first", "Fairy-Stockfish"]
    if args.mate_keys:
        columns.append("mate_keys")
    print("| " + " | ".join(columns) + " |")
    print("|" + "---|" * len(columns))
    for length in sorted({p.length for p in timed}):
        rows = [i for i, p in enumerate(timed) if p.length == length]
        cells = [str(length), str(len(rows)), summary([full[i][0] if full[i][1] else None
                                                       for i in rows]),
                 summary([first[i][0] if first[i][1] else None for i in rows]),
                 summary([fsf[i] for i in rows])]
        if args.mate_keys:
            cells.append(summary([keys[i] for i in rows]))
        print("| " + " | ".join(cells) + " |")
    proofs = [ms for ms, agrees, _ in full if agrees]
    print(f"full proof over all {len(timed)}: {summary(proofs)}; "
          f"{len(timed) - len(proofs)} not proven within {args.seconds} s or disagreeing")
    for puzzle, (ms, agrees, answer) in zip(timed, full):
        if not agrees:
            print(f"  {puzzle.number} {puzzle.fen} ({puzzle.length}, {puzzle.key}): {answer}")


if __name__ == "__main__":
    main()
