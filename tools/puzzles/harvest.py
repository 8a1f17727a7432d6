#!/usr/bin/env python3
"""Grows a puzzle collection with puzzles the exact solver proves.

Sources: the engine's games against itself, one side strong and one weak, where at each of the
weak side's turns every legal move is tried as a blunder: the solver's probe (a full proof under a
small budget) finds the mates of up to --probe-moves that it allows, a glance of the engine's the
longer ones; the positions on the game's path where the strong side's search reported a forced
mate; and random endings (generate.ENDGAMES), where the long mates are. A longer mate the engine
reported is sifted by a short MultiPV 2 search first. A candidate is kept when the solver proves
it: exactly one first move mates within its length and nothing mates faster. The engine's own
verdict on the kept puzzles is engine_audit.py's. Kept puzzles go to the work file as they come,
so a stopped run resumes.
"""

import argparse
import json
import os
import random
import sys
import time

import cchess
import collection
import generate
import names
import solution
import solver
from engine import Engine

START = generate.START
# New totals, counting the --base collection: length:puzzles:of them at most so many poor in
# material (fewer than generate.RICH_PIECES defending pieces).
DEFAULT_QUOTAS = "1:200:80,2:200:80,3:185:80,4:170:90,5:125:85,6:82:82,7:42:42,8:21:21"
PROBE_FROM = 10
# A probe is a full proof under a small budget: an answer is exact, an unknown passed over.
PROBE_NODES = 20000
# The solver's proof of a reported or an ending's mate, at most.
PROOF_SECONDS = 10
SIFT_NODES = 100000
# The engine's glance at a blunder the solver's probe saw no mate after, and how many of the
# longer mates it sees are sifted and proven at one turn at most.
GLANCE_NODES = 3000
LONG_TRIED_A_TURN = 2
# An ending is first asked for any mate within --ending-reach moves, the first one found, under
# this budget.
ENDING_NODES = 300000
# Puzzles of one length kept from one game at most, and the plies between two of them: the later
# is then no tail of the earlier.
PER_LENGTH_A_GAME = 3
PLY_GAP = 4


def red_to_move(fen):
    return fen if fen.endswith(" w") else cchess.colours_swapped(fen)


class Harvest:
    def __init__(self, args):
        self.args_ = args
        self.quotas_ = generate.parse_quotas(args.quotas)
        self.kept_, self.decided_, self.done_ = [], set(), set()
        if args.base:
            puzzles, _ = collection.read(args.base)
            for p in puzzles:
                if p.fen == collection.OPENING_PUZZLE:
                    continue
                fen = " ".join(p.fen.split(" ")[:2])
                self.kept_.append({"fen": fen, "moves": names.mate_length(p.name),
                                   "defenders": generate.defenders(fen)})
                self.decided_.add(fen)
        if os.path.exists(args.work):
            with open(args.work, encoding="utf-8") as file:
                for entry in map(json.loads, filter(str.strip, file)):
                    if "fen" in entry:
                        self.kept_.append(entry)
                        self.decided_.add(entry["fen"])
                    elif "rejected" in entry:
                        self.decided_.add(entry["rejected"])
                    elif "done" in entry:
                        self.done_.add(entry["done"])
        self.started_ = time.monotonic()

    def record_(self, entry):
        with open(self.args_.work, "a", encoding="utf-8") as file:
            file.write(json.dumps(entry, ensure_ascii=False) + "\n")

    def wanted_(self):
        return generate.wanted_of(self.quotas_, self.kept_)

    def all_met_(self):
        return all(left <= 0 for left, _ in self.wanted_().values())

    def keep_(self, fen, answer, source):
        """Records a proven candidate when its length is still wanted; the entry or None."""
        pieces = generate.defenders(fen)
        if fen in self.decided_ or not generate.welcome(self.wanted_(), answer.moves, pieces):
            return None
        line = [cchess.parse_ucci(word) for word in answer.line]
        entry = {"fen": fen, "moves": answer.moves, "defenders": pieces,
                 "line": " ".join(answer.line),
                 "name": names.puzzle_name(answer.moves, solution.taking_part(fen, line), True),
                 "source": source}
        self.kept_.append(entry)
        self.decided_.add(fen)
        self.record_(entry)
        return entry

    def reject_(self, fen):
        self.decided_.add(fen)
        self.record_({"rejected": fen})

    def prove_(self, proof, fen, claimed, source):
        """The solver's full proof of a reported mate; kept as the length it has when that is
        the fewest with one key."""
        if fen in self.decided_:
            return None
        answer = proof.solve(fen, min(claimed, solver.LONGEST))
        if answer.mates and len(answer.keys) == 1:
            return self.keep_(fen, answer, source)
        if answer.mates and answer.moves < claimed:
            answer = proof.solve(fen, answer.moves)
            if answer.mates and len(answer.keys) == 1:
                return self.keep_(fen, answer, source)
        self.reject_(fen)
        return None

    def most_wanted_(self, found):
        """The (FEN, answer) of `found` whose length has the largest share of its quota still
        wanted and may still take it, or None."""
        wanted = self.wanted_()
        found = [(fen, answer) for fen, answer in found
                 if generate.welcome(wanted, answer.moves, generate.defenders(fen))]
        if not found:
            return None
        return max(found, key=lambda item: self.share_(wanted, item[1].moves))

    def share_(self, wanted, moves):
        """The share of the quota of `moves` still wanted."""
        left, _ = wanted.get(generate.bucket(moves), (0, 0))
        return left / self.quotas_.get(generate.bucket(moves), (1, 0))[0]

    def blunders_(self, sifter, probe, proof, board, room, source):
        """Keeps the most wanted of the mates the other side has after one of the side to move's
        legal moves: what a weak player might allow with the board still full. The solver's
        probe sees the short mates; a glance of the engine's the longer ones, which the solver
        then proves. The entry kept, or None."""
        short, long = [], []
        for move in board.legal_moves():
            board.play(move)
            fen = red_to_move(board.fen())
            if fen not in self.decided_ and board.legal_moves():
                answer = probe.solve(fen, self.args_.probe_moves)
                if answer.mates:
                    if len(answer.keys) == 1 and room(answer.moves):
                        short.append((fen, answer))
                else:
                    sifter.new_game()
                    best = sifter.search(fen, nodes=GLANCE_NODES).line(1)
                    if best and best.mate and best.mate > self.args_.probe_moves and \
                            room(best.mate):
                        long.append((fen, best.mate))
            board.undo()
        wanted = self.wanted_()
        long = [(fen, moves) for fen, moves in long
                if generate.welcome(wanted, moves, generate.defenders(fen))]
        long.sort(key=lambda item: -self.share_(wanted, item[1]))
        for fen, moves in long[:LONG_TRIED_A_TURN]:
            if self.engine_unique_(sifter, fen, moves):
                entry = self.prove_(proof, fen, moves, source)
                if entry:
                    return entry
        found = self.most_wanted_(short)
        return self.keep_(*found, source) if found else None

    def engine_unique_(self, sifter, fen, moves):
        """Whether a short search, MultiPV 2, sees the mate and no second first move as fast:
        most reported mates with a second key fail here, at a fraction of the solver's proof."""
        sifter.new_game()
        result = sifter.search(fen, nodes=SIFT_NODES)
        best, second = result.line(1), result.line(2)
        return best is not None and best.mate == moves and \
            not (second is not None and second.mate is not None and 0 < second.mate <= moves)

    def game_(self, engine, sifter, probe, proof, number):
        rng = random.Random(f"{self.args_.seed}/{number}")
        engine.new_game()
        engine.set_multipv(1)
        board, moves = cchess.Board(START), []
        for _ in range(rng.randint(2, 5)):
            move = rng.choice(board.legal_moves())
            board.play(move)
            moves.append(cchess.uci_text(move))
        weak = rng.choice(("w", "b"))
        weak_nodes = self.args_.weak_nodes * rng.choice((1, 3, 10))
        taken = []  # (ply, length) of the puzzles kept from this game

        def room(ply, moves=None):
            return all(abs(ply - other) >= PLY_GAP for other, _ in taken) and \
                sum(length == moves for _, length in taken) < PER_LENGTH_A_GAME

        while len(moves) < generate.MAX_PLIES and not self.all_met_():
            ply = len(moves)
            source = f"game {self.args_.seed}/{number}"
            if board.side == weak and ply >= PROBE_FROM and room(ply):
                entry = self.blunders_(sifter, probe, proof, board,
                                       lambda moves: room(ply, moves), source)
                if entry:
                    taken.append((ply, entry["moves"]))
            result = engine.search(START, moves, nodes=weak_nodes if board.side == weak
                                   else self.args_.play_nodes)
            if result.best_move is None:
                break
            line = result.line(1)
            if board.side != weak and line and line.mate and line.mate > 1 and \
                    room(ply, line.mate):
                fen = red_to_move(board.fen())
                if generate.welcome(self.wanted_(), line.mate, generate.defenders(fen)) and \
                        self.engine_unique_(sifter, fen, line.mate):
                    entry = self.prove_(proof, fen, line.mate, source)
                    if entry:
                        taken.append((ply, entry["moves"]))
            board.play(cchess.parse_uci(result.best_move))
            moves.append(result.best_move)
        return len(moves), len(taken)

    def ending_(self, probe_far, proof, number):
        fen = generate.endgame_position(random.Random(f"{self.args_.seed}/ending/{number}"),
                                        self.args_.materials.split(","))
        if fen is None or fen in self.decided_:
            return 0
        first = probe_far.solve(fen, self.args_.ending_reach)
        if not first.mates or first.moves < self.args_.ending_shortest or not generate.welcome(self.wanted_(), first.moves,
                                                   generate.defenders(fen)):
            return 0
        return int(self.prove_(proof, fen, first.moves, f"ending {self.args_.seed}/{number}")
                   is not None)

    def run(self, engine, sifter, probe, probe_far, proof):
        game, ending = 0, 0
        while not self.all_met_() and (game < self.args_.games or self.args_.games == 0):
            if self.args_.games and f"game {self.args_.seed}/{game}" not in self.done_:
                plies, kept = self.game_(engine, sifter, probe, proof, game)
                self.record_({"done": f"game {self.args_.seed}/{game}"})
                self.log_(f"game {game}: {plies} plies, kept {kept}")
            game += 1
            for _ in range(self.args_.endings_per_game):
                if f"ending {self.args_.seed}/{ending}" not in self.done_:
                    self.ending_(probe_far, proof, ending)
                    self.record_({"done": f"ending {self.args_.seed}/{ending}"})
                ending += 1
            if not self.args_.games and ending % 500 == 0:
                self.log_(f"ending {ending}")

    def log_(self, text):
        wanted = {b: left for b, (left, _) in self.wanted_().items() if left > 0}
        print(f"{text}; {len(self.kept_)} in all, still wanted {wanted}, "
              f"{(time.monotonic() - self.started_) / 60:.1f} min", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    solver.add_options(parser)
    parser.add_argument("--engine", default="/usr/games/fairy-stockfish")
    parser.add_argument("--work", required=True, help="kept puzzles, one JSON a line; resumed")
    parser.add_argument("--base", metavar="FILE",
                        help="a puzzle file whose puzzles count toward the quotas")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--games", type=int, default=100000, help="0: endings only")
    parser.add_argument("--endings-per-game", type=int, default=20)
    parser.add_argument("--play-nodes", type=int, default=20000,
                        help="the strong side's search a move, which also reports its mates")
    parser.add_argument("--weak-nodes", type=int, default=100)
    parser.add_argument("--probe-moves", type=int, default=3,
                        help="the reach of the probe of each blunder")
    parser.add_argument("--proof-seconds", type=float, default=PROOF_SECONDS,
                        help="the solver's proof of one candidate at most")
    parser.add_argument("--materials", default=",".join(generate.ENDGAMES),
                        help="the endings' materials, Red's pieces / Black's, kings included: "
                             "KRAA/kaa,...")
    parser.add_argument("--ending-reach", type=int, default=10,
                        help="the moves an ending's first probe reaches")
    parser.add_argument("--ending-shortest", type=int, default=4,
                        help="the shortest mate an ending gives: the shorter ones come from the "
                             "games, with the board still full")
    parser.add_argument("--ending-nodes", type=int, default=ENDING_NODES,
                        help="the budget of an ending's first probe")
    parser.add_argument("--quotas", default=DEFAULT_QUOTAS,
                        help="length:count:poor,...; the totals wanted, --base included")
    args = parser.parse_args()
    cchess.load(args.cchess or cchess.library_beside(args.mate))
    harvest = Harvest(args)
    with Engine(args.engine) as engine, Engine(args.engine) as sifter, \
            solver.Solver(args.mate, nodes=PROBE_NODES) as probe, \
            solver.Solver(args.mate, nodes=args.ending_nodes, first=True) as probe_far, \
            solver.Solver(args.mate, seconds=args.proof_seconds) as proof:
        sifter.set_multipv(2)
        harvest.run(engine, sifter, probe, probe_far, proof)
    return 0


if __name__ == "__main__":
    sys.exit(main())
