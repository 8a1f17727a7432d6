#!/usr/bin/env python3
"""Makes the puzzle collection from the engine's games against itself.

Each game opens with a few random moves, so that no two games run alike, and is then played by the
engine with a strong side and a weak one. Wherever the side to move reported a forced mate, the
position is a candidate; so is every position, off the game's path, where one of the weak side's
moves drawn at random (a blunder) lets the other side mate while the board is still full.
Candidates of the lengths still wanted are checked (check.py) with the colours swapped where needed
so that Red attacks, and the ones that pass are kept with their main line. Kept puzzles go to a
work file as they come, so a stopped run resumes.
"""

import argparse
import json
import os
import random
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
from engine import Engine

START = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w"
LONGEST_BUCKET = 8  # mates of this length or longer share one quota
# length:puzzles:of them at most so many poor in material. Rich defences come mostly as short
# mates after a blunder; long mates are nearly all endings.
DEFAULT_QUOTAS = "1:52:24,2:52:24,3:50:24,4:34:20,5:26:18,6:22:22,7:11:11,8:6:6"
# A defence with this many pieces, the king included, counts as rich in material.
RICH_PIECES = 7
MAX_PLIES = 260
# From this ply on, each turn of the weak side tries so many of its moves at random, each answered
# by a search this size: cheap enough to try a dozen a turn, deep enough to see most short mates.
PROBE_FROM = 10
PROBE_NODES = 3000
# Puzzles kept from one game at most, and how far apart their lengths must be: the shorter mates of
# one finish are the tails of its longer ones.
PER_GAME = 2
LENGTH_GAP = 3
# The first sifting of a candidate, a hundredth of the program's budget, and how many candidates
# of one game are sifted at most.
QUICK_NODES = check.PROGRAM_NODE_BUDGET // 100
SIFTED_PER_GAME = 10
# Red's pieces / Black's, kings included, of endings in which long forced mates are common; games
# seldom reach them with a mate of eight or more still ahead, so --endgames puts them on the board
# at random.
ENDGAMES = ("KRAA/kaa", "KRAA/kbb", "KRAABB/kaab", "KRNAA/kaabb", "KRCAA/kaabb", "KNNAA/kaa",
            "KRPAA/kaab", "KRPAABB/kaabb", "KCNAA/ka", "KNPAA/ka", "KRRAA/kraabb",
            "KRNAABB/kaabbp", "KRCAABB/kaabbn", "KRPAABB/kr")


def bucket(moves):
    return min(moves, LONGEST_BUCKET)


def defenders(fen):
    """Pieces of the side not to move, its king included."""
    board = cchess.Board(fen)
    return sum(1 for _, letter in board.pieces() if (letter.isupper()) != (board.side == "w"))


def play_game(engine, rng, strong_nodes, weak_nodes, probes):
    """[(FEN, mate the side to move reported or None)] of one game: the positions it went through
    and the blunders found on the way (see blunders()). One side, drawn at random, plays on the
    weak budget or three or ten times it."""
    engine.new_game()
    engine.set_multipv(1)
    board, moves, record = cchess.Board(START), [], []
    for _ in range(rng.randint(2, 5)):
        move = rng.choice(board.legal_moves())
        board.play(move)
        moves.append(cchess.uci_text(move))
    weak, weak_nodes = rng.choice(("w", "b")), weak_nodes * rng.choice((1, 3, 10))
    while len(moves) < MAX_PLIES:
        if board.side == weak and len(moves) >= PROBE_FROM:
            record += blunders(engine, board, moves, rng, probes)
        nodes = weak_nodes if board.side == weak else strong_nodes
        result = engine.search(START, moves, nodes=nodes)
        if result.best_move is None:
            break
        line = result.line(1)
        record.append((board.fen(), line.mate if line and line.mate and line.mate > 0 else None))
        board.play(cchess.parse_uci(result.best_move))
        moves.append(result.best_move)
    return record


def blunders(engine, board, moves, rng, count):
    """[(FEN, mate)] of the positions after `count` of the side to move's legal moves, drawn at
    random, where the other side then reports a forced mate: what a weak player might allow with
    most of its material still on the board. `board` is left as it was."""
    legal = board.legal_moves()
    found = []
    for move in rng.sample(legal, min(count, len(legal))):
        board.play(move)
        line = engine.search(START, moves + [cchess.uci_text(move)], nodes=PROBE_NODES).line(1)
        if line is not None and line.mate is not None and line.mate > 0:
            found.append((board.fen(), line.mate))
        board.undo()
    return found


def endgame_position(rng, materials=ENDGAMES):
    """One of `materials` (as ENDGAMES) with every piece on a random point it can reach, Red to
    move; None when the position drawn is not legal or Red has no move."""
    red, black = rng.choice(materials).split("/")
    placed = {}
    for letter in red + black:
        own_rows = range(9, -1, -1) if letter.isupper() else range(10)
        free = [(row, column) for own_row, row in enumerate(own_rows) for column in range(9)
                if (row, column) not in placed
                and legality.reachable(letter.lower(), own_row, column)]
        placed[rng.choice(free)] = letter
    rows = []
    for row in range(10):
        text = "".join(placed.get((row, column), "1") for column in range(9))
        for run in range(9, 1, -1):
            text = text.replace("1" * run, str(run))
        rows.append(text)
    board = cchess.Board("/".join(rows) + " w")
    return board.fen() if not legality.faults(board) and board.legal_moves() else None


def parse_quotas(text):
    """{length bucket: (puzzles, of them at most so many poor in material)} of "1:52:24,..."."""
    quotas = {}
    for item in text.split(","):
        length, count, poor = (int(field) for field in item.split(":"))
        quotas[length] = (count, poor)
    return quotas


def wanted_of(quotas, kept):
    """Per length bucket: (puzzles still wanted, of them how many may be poor in material)."""
    wanted = {}
    for b, (count, poor_most) in quotas.items():
        mine = [e for e in kept if bucket(e["moves"]) == b]
        poor = sum(e["defenders"] < RICH_PIECES for e in mine)
        wanted[b] = (count - len(mine), poor_most - poor)
    return wanted


def welcome(wanted, moves, pieces):
    left, poor_left = wanted.get(bucket(moves), (0, 0))
    return left > 0 and (pieces >= RICH_PIECES or poor_left > 0)


def choose_candidates(record, quotas, kept, rng):
    """(FEN with Red to move, reported length, defenders), the lengths with the largest share of
    their quota still wanted first: counted in puzzles, the long mates' small quotas would hardly
    ever come first, and they are the rarest."""
    wanted = wanted_of(quotas, kept)
    found = []
    for fen, mate in record:
        red_to_move = fen if fen.endswith(" w") else cchess.colours_swapped(fen)
        if mate is not None and welcome(wanted, mate, defenders(red_to_move)):
            found.append((red_to_move, mate, defenders(red_to_move)))
    rng.shuffle(found)
    found.sort(key=lambda item: (-wanted[bucket(item[1])][0] / quotas[bucket(item[1])][0],
                                 -item[2]))
    return found


def quick_length(engine, fen):
    """The mate length a short search sees, or None when it sees none or a second key as fast:
    most candidates fail that way, and this costs a fraction of the full check."""
    engine.new_game()
    engine.set_multipv(2)
    result = engine.search(fen, nodes=QUICK_NODES)
    best, second = result.line(1), result.line(2)
    if best is None or best.mate is None or best.mate <= 0:
        return None
    if second is not None and second.mate is not None and 0 < second.mate <= best.mate:
        return None
    return best.mate


def try_candidate(engine, mate, fen, pieces, wanted, log, strength=1,
                  exact_up_to=check.EXACT_UP_TO):
    """The kept puzzle as a work-file entry, or None. mate: the exact solver, whose time limit
    passes over a position that would cost the full verification as much again. Beyond the
    exact search's lengths a kept puzzle must also pass the check at `strength` times the
    engine's budgets: in sparse endings the usual one can miss a second key or a shorter mate."""
    claimed = quick_length(engine, fen)
    if claimed is None or not welcome(wanted, claimed, pieces):
        return None
    begun = time.monotonic()
    verdict = check.check(engine, fen, claimed, mate=mate, exact_up_to=exact_up_to)
    if not verdict.ok and verdict.moves and verdict.moves != claimed \
            and welcome(wanted, verdict.moves, pieces):
        log(f"  {fen} as mate in {claimed}: {'; '.join(verdict.problems)}; "
            f"tried as mate in {verdict.moves}")
        claimed = verdict.moves
        verdict = check.check(engine, fen, claimed, mate=mate, exact_up_to=exact_up_to)
    seconds = time.monotonic() - begun  # the time of the check verify.py makes
    if verdict.ok and strength > 1 and claimed > exact_up_to:
        verdict.problems = check.check(engine, fen, claimed, line_text=solution.text(verdict.line),
                                       strength=strength).problems
    if not verdict.ok:
        log(f"  {fen} dropped as mate in {claimed}: {'; '.join(verdict.problems)} "
            f"({time.monotonic() - begun:.0f} s)")
        return None
    log(f"  {fen} kept as mate in {claimed} ({seconds:.0f} s)")
    part = solution.taking_part(fen, verdict.line)
    return {"fen": fen, "moves": claimed, "nodes": verdict.first_mate_nodes,
            "defenders": pieces, "line": solution.text(verdict.line),
            "name": names.puzzle_name(claimed, part, True), "seconds": round(seconds, 1)}


def write_collection(path, kept, opening):
    entries = sorted(kept, key=lambda e: (e["moves"], e["nodes"] or 0, e["fen"]))
    rows = [(e["name"], collection.full_fen(e["fen"]), e["line"]) for e in entries]
    collection.write(path, rows + [opening])


def opening_entry(engine):
    """The opening puzzle's row, its line and length the engine's, searched as the program
    searches it."""
    fen = collection.OPENING_PUZZLE
    first = engine.search(fen, nodes=check.PROGRAM_NODE_BUDGET).line(1)
    if first is None or first.mate is None or first.mate <= 0:
        raise SystemExit("the engine finds no mate in the opening puzzle")
    verdict = check.check(engine, fen, first.mate, unique=False)
    if not verdict.ok:
        raise SystemExit("the opening puzzle: " + "; ".join(verdict.problems))
    part = solution.taking_part(fen, verdict.line)
    return names.puzzle_name(first.mate, part, True), fen, solution.text(verdict.line)


class Generator:
    """The games and the kept puzzles, shared by the worker threads; every change goes to the work
    file at once."""

    def __init__(self, args):
        self.args_ = args
        self.quotas_ = parse_quotas(args.quotas)
        entries = []
        if os.path.exists(args.work):
            with open(args.work, encoding="utf-8") as file:
                entries = [json.loads(line) for line in file if line.strip()]
        self.kept_ = [e for e in entries if "fen" in e]
        self.rejected_ = {e["rejected"] for e in entries if "rejected" in e}
        self.opening_ = next((tuple(e["opening"]) for e in entries if "opening" in e), None)
        self.games_done_ = {e["game"] for e in entries if "fen" not in e and "game" in e}
        self.next_game_ = 0
        self.seeds_ = []
        if args.candidates:
            puzzles, _ = collection.read(args.candidates)
            self.seeds_ = [" ".join(p.fen.split(" ")[:2]) for p in puzzles
                           if p.fen != collection.OPENING_PUZZLE]
        self.endgames_drawn_ = 0
        self.lock_ = threading.Lock()
        self.started_ = time.monotonic()

    def record_(self, entry, path=None):
        with open(path or self.args_.work, "a", encoding="utf-8") as file:
            file.write(json.dumps(entry, ensure_ascii=False) + "\n")

    def log(self, text):
        print(text, flush=True)

    def take_seed_(self):
        """The next position of --candidates not yet decided, or None."""
        with self.lock_:
            decided = self.rejected_ | {e["fen"] for e in self.kept_}
            while self.seeds_ and self.seeds_[0] in decided:
                self.seeds_.pop(0)
            return self.seeds_.pop(0) if self.seeds_ else None

    def try_(self, engine, mate, fen, pieces, origin):
        """Checks one candidate and records the outcome; the entry when it is kept."""
        with self.lock_:
            wanted = wanted_of(self.quotas_, self.kept_)
        entry = try_candidate(engine, mate, fen, pieces, wanted, self.log, self.args_.strength,
                              self.args_.exact_up_to)
        with self.lock_:
            if entry is None:
                self.rejected_.add(fen)
                self.record_({"rejected": fen})
                return None
            if not welcome(wanted_of(self.quotas_, self.kept_), entry["moves"], pieces):
                return None
            entry["game"] = origin
            self.kept_.append(entry)
            self.record_(entry)
            if self.args_.verified and self.args_.exact_up_to == check.EXACT_UP_TO:
                # The check it passed is verify.py's own, at the same budgets: no need to repeat it.
                # With the exact search's range changed it is another check.
                row = collection.row_text(entry["name"], collection.full_fen(fen), entry["line"])
                self.record_({"row": row, "problems": [], "seconds": entry["seconds"]},
                             self.args_.verified)
            self.write()
            return entry

    def take_endgame_(self):
        """The next of --endgames' positions not yet decided, or None when they are all drawn or
        every quota is met."""
        with self.lock_:
            decided = self.rejected_ | {e["fen"] for e in self.kept_}
            while self.endgames_drawn_ < self.args_.endgames and \
                    any(left > 0 for left, _ in wanted_of(self.quotas_, self.kept_).values()):
                rng = random.Random(f"{self.args_.seed}/endgame/{self.endgames_drawn_}")
                self.endgames_drawn_ += 1
                fen = endgame_position(rng)
                if fen is not None and fen not in decided:
                    return fen
            return None

    def take_game_(self):
        """The next game to play, or None when every quota is met."""
        with self.lock_:
            if all(left <= 0 for left, _ in wanted_of(self.quotas_, self.kept_).values()):
                return None
            while self.next_game_ in self.games_done_:
                self.next_game_ += 1
            self.next_game_ += 1
            return self.next_game_ - 1 if self.next_game_ <= self.args_.max_games else None

    def run(self, engine, mate):
        with self.lock_:
            if self.opening_ is None:
                self.opening_ = opening_entry(engine)
                self.record_({"opening": list(self.opening_)})
            self.write()
        while (fen := self.take_seed_()) is not None:
            self.try_(engine, mate, fen, defenders(fen), "candidates")
        while (fen := self.take_endgame_()) is not None:
            self.try_(engine, mate, fen, defenders(fen), "endgames")
        while (game := self.take_game_()) is not None:
            rng = random.Random(f"{self.args_.seed}/{game}")
            record = play_game(engine, rng, self.args_.play_nodes, self.args_.weak_nodes,
                               self.args_.probes)
            with self.lock_:
                candidates = choose_candidates(record, self.quotas_, self.kept_, rng)
            taken = []
            for fen, claimed, pieces in candidates[:SIFTED_PER_GAME]:
                with self.lock_:
                    if len(taken) == PER_GAME or fen in self.rejected_ or \
                            fen in {e["fen"] for e in self.kept_} or \
                            any(abs(claimed - moves) < LENGTH_GAP for moves in taken) or \
                            not welcome(wanted_of(self.quotas_, self.kept_), claimed, pieces):
                        continue
                entry = self.try_(engine, mate, fen, pieces, game)
                if entry is not None:
                    taken.append(entry["moves"])
            with self.lock_:
                self.record_({"game": game})
                self.log(f"game {game}: {len(record)} plies, kept {len(taken)}, "
                         f"{len(self.kept_)} in all, still wanted "
                         f"{wanted_of(self.quotas_, self.kept_)}, "
                         f"{(time.monotonic() - self.started_) / 60:.1f} min")

    def write(self):
        if self.opening_ is not None:
            write_collection(self.args_.out, self.kept_, self.opening_)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    solver.add_options(parser)
    parser.add_argument("--engine", default="/usr/games/fairy-stockfish")
    parser.add_argument("--out", required=True, help="the collection to write")
    parser.add_argument("--work", required=True, help="kept puzzles, one JSON a line; resumed")
    parser.add_argument("--verified", metavar="PATH",
                        help="verify.py's work file, where each kept puzzle's verdict is added")
    parser.add_argument("--candidates", metavar="FILE",
                        help="a puzzle file whose positions are tried before any game is played")
    parser.add_argument("--endgames", type=int, default=0, metavar="N",
                        help="random endings tried after the candidates and before any game")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=1,
                        help="games played and checked at once, one engine each")
    parser.add_argument("--play-nodes", type=int, default=10000)
    parser.add_argument("--weak-nodes", type=int, default=300)
    parser.add_argument("--exact-seconds", type=float, default=300,
                        help="time allowed to the exact search of one candidate")
    parser.add_argument("--exact-up-to", type=int, default=check.EXACT_UP_TO, metavar="N",
                        choices=range(1, solver.LONGEST + 1),
                        help=f"the exact solver proves key and length up to N moves instead of "
                             f"{check.EXACT_UP_TO}")
    parser.add_argument("--strength", type=int, default=1, metavar="K",
                        help="mates beyond the exact search's lengths must also pass the check "
                             "at K times the engine's budgets")
    parser.add_argument("--probes", type=int, default=12,
                        help="moves of the weak side tried as blunders at each of its turns")
    parser.add_argument("--quotas", default=DEFAULT_QUOTAS,
                        help=f"length:count:poor,...; {LONGEST_BUCKET} counts every longer mate "
                             f"too, poor the most with fewer than {RICH_PIECES} Black pieces")
    parser.add_argument("--max-games", type=int, default=3000)
    args = parser.parse_args()
    cchess.load(args.cchess or cchess.library_beside(args.mate))

    generator = Generator(args)

    def work():
        with Engine(args.engine) as engine, \
                solver.Solver(args.mate, args.exact_seconds) as mate:
            generator.run(engine, mate)

    workers = [threading.Thread(target=work) for _ in range(args.jobs)]
    for worker in workers:
        worker.start()
    for worker in workers:
        worker.join()
    generator.write()
    return 0


if __name__ == "__main__":
    sys.exit(main())
