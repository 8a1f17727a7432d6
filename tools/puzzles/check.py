"""Whether a position is a sound mate puzzle: legal, a forced mate the engine finds within the
program's budget, and only one first move that mates that fast."""

import subprocess

import xiangqi
from engine import PROGRAM_NODE_BUDGET

# A deeper search than the mate strictly needs, so that a second mate as short as the first has
# room to show up in the second line, without spending the whole budget on every short mate.
DEPTH_MARGIN = 12
# Every other first move also gets a search of its own, narrower than the shared second line and
# so surer to see a mate as short: MultiPV 2 alone lets through a few puzzles with a second key
# and even some whose announced mate is not the shortest. A tenth of the budget for each keeps the
# rare slow position to a minute or two.
EACH_MOVE_MARGIN = 6
EACH_MOVE_NODES = PROGRAM_NODE_BUDGET // 10
# The engine prunes quiet moves and so misses some mates in zugzwang; up to this length the rules
# library's exact search (mate_keys) has the last word on the key move.
EXACT_UP_TO = 3


class Verdict:
    def __init__(self, problems, moves=None, key=None, pv=(), first_mate_nodes=None):
        self.problems = problems
        self.moves = moves  # the mate length the engine reports
        self.key = key
        self.pv = list(pv)
        self.first_mate_nodes = first_mate_nodes

    @property
    def ok(self):
        return not self.problems


def search_depth(moves):
    return 2 * moves + DEPTH_MARGIN


def check(engine, position, moves, unique=True, mate_keys=None):
    """Checks position as a mate in `moves`. Without `unique` (the opening puzzle) the search is
    the program's own: one line, the whole budget. mate_keys: the exact search's program."""
    faults = position.faults()
    if faults:
        return Verdict(faults)
    fen = position.fen()
    engine.new_game()
    engine.set_multipv(2 if unique else 1)
    result = engine.search(fen, depth=search_depth(moves) if unique else None,
                           nodes=PROGRAM_NODE_BUDGET)
    best = result.line(1)
    if best is None or best.mate is None or best.mate <= 0:
        shown = "nothing" if best is None else _score_text(best)
        return Verdict([f"no forced mate found, the engine reports {shown}"])
    verdict = Verdict([], best.mate, best.pv[0] if best.pv else result.best_move, best.pv,
                      result.first_mate_nodes)
    if best.mate != moves:
        verdict.problems.append(f"the engine reports mate in {best.mate}, not {moves}")
    if not unique:
        return verdict
    second = result.line(2)
    if second is not None and second.mate is not None and 0 < second.mate <= best.mate:
        verdict.problems.append(f"{second.pv[0]} also mates in {second.mate}")
    else:
        verdict.problems += _other_quick_mates(engine, fen, verdict.key, best.mate)
    if mate_keys and not verdict.problems and moves <= EXACT_UP_TO:
        verdict.problems += _exact_keys_problems(mate_keys, fen, verdict.key, moves)
    return verdict


def _exact_keys_problems(mate_keys, fen, key, moves):
    run = subprocess.run([mate_keys, fen, str(moves)], capture_output=True, text=True, timeout=600)
    if run.returncode != 0:
        return [f"mate_keys failed: {run.stderr.strip()}"]
    found = [tuple(line.split()) for line in run.stdout.splitlines()]
    if found != [(key, str(moves))]:
        shown = ", ".join(f"{move} in {n}" for move, n in found) or "none"
        return [f"exact search, first moves mating within {moves}: {shown}"]
    return []


def _other_quick_mates(engine, fen, key, moves):
    problems = []
    engine.set_multipv(1)
    for move in engine.legal_moves(fen):
        if move == key:
            continue
        reply = engine.search(fen, [move], depth=2 * (moves - 1) + EACH_MOVE_MARGIN,
                              nodes=EACH_MOVE_NODES).line(1)
        # From the defender's side: mated now (0) or in so many of the attacker's moves.
        if reply is not None and reply.mate is not None and -(moves - 1) <= reply.mate <= 0:
            problems.append(f"{move} also mates in {1 - reply.mate}")
    return problems


def _score_text(line):
    return f"mate {line.mate}" if line.mate is not None else f"{line.centipawns} centipawns"


def taking_part(position, pv, moves):
    """Letters of the attacker's pieces that move in the mating line or give the final check."""
    board = position.copy()
    attacker = board.side
    where = {at: at for at, piece in board.pieces()}  # current point -> starting point
    involved = set()
    for ply, move in enumerate(pv[:2 * moves - 1]):
        start, end = xiangqi.parse_move(move)
        origin = where.pop(start, start)
        where.pop(end, None)
        where[end] = origin
        board.play(move)
        if ply % 2 == 0:
            involved.add(origin)
    king = board.king(board.side)
    if king is not None:
        for at in board.attackers(king, attacker):
            involved.add(where.get(at, at))
    return [position.grid[r][c] for r, c in involved]
