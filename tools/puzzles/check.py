"""Whether a position is a sound mate puzzle: legal, a forced mate of the named length, and only
one first move that mates that fast; and its main line."""

import cchess
import legality
import solution
import solver
from engine import PROGRAM_NODE_BUDGET

# The engine's check runs at twice the program's budget, so that a mate the program's search could
# just find is surely found here, with a depth limit well beyond the mate: a short mate settles in
# seconds instead of running the budget out to the engine's deepest iteration. Where the exact
# search has already proved key and length the engine only confirms them, with a smaller margin.
CHECK_NODES = 2 * PROGRAM_NODE_BUDGET
DEPTH_MARGIN = 24
CONFIRMING_DEPTH_MARGIN = 12
# Every other first move also gets a search of its own, narrower than the shared second line and
# so surer to see a mate as short: MultiPV 2 alone lets through a few puzzles with a second key.
# A fortieth of the program's budget each keeps a puzzle rich in material to a few minutes.
EACH_MOVE_MARGIN = 6
EACH_MOVE_NODES = PROGRAM_NODE_BUDGET // 40
# The engine prunes quiet moves and so misses some mates in zugzwang, and it counts a win by the
# rule against perpetual check as a mate; up to this length the exact solver (tarvelle-mate) has
# the last word on key and length, gives the main line, and the engine's per-move searches add
# nothing. A longer mate still has the solver's proof that nothing mates this fast: the engine,
# which searches for the shortest mate, can settle on a longer one.
EXACT_UP_TO = solver.LONGEST
# Up to this length the engine, confirming a proven mate, needs no more depth than the confirming
# margin; held to it on a proven mate in 6 it reported a mate in 8.
CONFIRMING_UP_TO = 5
# Each further move of the main line, where the engine's line stops short of the mate.
LINE_NODES = PROGRAM_NODE_BUDGET // 10


class Verdict:
    def __init__(self, problems, moves=None, line=(), first_mate_nodes=None):
        self.problems = problems
        self.moves = moves  # the mate length found, when one was
        self.line = list(line)  # the main line, move numbers
        self.first_mate_nodes = first_mate_nodes

    @property
    def ok(self):
        return not self.problems


def check(engine, fen, moves, mate=None, line_text=None, unique=True, strength=1,
          exact_up_to=EXACT_UP_TO):
    """Checks fen as a mate in `moves`. Without `unique` (the opening puzzle) the search is the
    program's own: one line, the program's budget. mate: the exact solver (solver.Solver).
    line_text: the stored main line to check; without it the solver's main line is taken where it
    proved the mate, else one is made from the engine's. `strength` multiplies the engine's node
    budgets and depth margins for a puzzle's key and length, to try to break a verdict with a
    stronger check; `exact_up_to` lowers the length up to which the solver proves key and
    length."""
    faults = legality.faults(cchess.Board(fen))
    if faults:
        return Verdict(faults)
    exact = None
    if unique and mate:
        exact = exact_verdict(mate, fen, moves, line_text, exact_up_to)
        if not exact.ok:
            return exact
    key = cchess.uci_text(exact.line[0]) if exact and exact.line else None
    engine.new_game()
    engine.set_multipv(2 if unique else 1)
    margin = CONFIRMING_DEPTH_MARGIN if key and moves <= CONFIRMING_UP_TO else DEPTH_MARGIN
    result = engine.search(fen, depth=2 * moves + margin * strength if unique else None,
                           nodes=CHECK_NODES * strength if unique else PROGRAM_NODE_BUDGET)
    best = result.line(1)
    verdict = Verdict(engine_problems(result, moves, key, unique),
                      best.mate if best is not None else None,
                      first_mate_nodes=result.first_mate_nodes)
    if verdict.problems or best.mate != moves:
        return verdict
    if unique and key is None:
        verdict.problems += _other_quick_mates(engine, fen, best.pv[0], moves, strength)
    if line_text is None:
        verdict.line = exact.line if key else main_line(engine, fen, best.pv, moves)
        line_text = solution.text(verdict.line)
    else:
        verdict.line = [cchess.parse_ucci(word) for word in line_text.split()]
    verdict.problems += solution.problems(fen, line_text, moves)
    if verdict.line and cchess.uci_text(verdict.line[0]) != best.pv[0]:
        verdict.problems.append(f"the line starts with {line_text.split()[0]}, "
                                f"the engine's key is {_shown(best.pv[0])}")
    return verdict


def engine_problems(result, moves, key=None, unique=True):
    """What the engine's search (MultiPV 2 where `unique`) says against a mate in `moves` whose
    key, where the exact solver has proved it, is `key` (UCI text): its first line must mate in
    `moves`, with the key, and its second no faster."""
    best = result.line(1)
    if best is None or best.mate is None or best.mate <= 0 or not best.pv:
        shown = "nothing" if best is None else _score_text(best)
        return [f"no forced mate found, the engine reports {shown}"]
    if best.mate != moves:
        return [f"the engine reports mate in {best.mate}, not {moves}"]
    problems = []
    if key is not None and best.pv[0] != key:
        problems.append(f"the engine's key {_shown(best.pv[0])}, the exact search's {_shown(key)}")
    second = result.line(2)
    if unique and second is not None and second.mate is not None and 0 < second.mate <= moves:
        problems.append(f"{_shown(second.pv[0])} also mates in {second.mate}")
    return problems


def confirming_depth(moves):
    """The depth limit of the engine's search confirming a mate the exact solver proved."""
    return 2 * moves + (CONFIRMING_DEPTH_MARGIN if moves <= CONFIRMING_UP_TO else DEPTH_MARGIN)


def exact_verdict(mate, fen, moves, line_text=None, exact_up_to=EXACT_UP_TO):
    """The exact solver's part of the check. Up to `exact_up_to` moves: exactly one first move
    mates within `moves`, it needs them all, and the stored line (line_text) starts with it; the
    verdict's line is then the solver's main line. Beyond, nothing mates within `exact_up_to`, and
    the line is empty. A failed verdict's `moves` is the fewest when one first move alone mates
    that fast: a sound puzzle of that shorter length."""
    within = min(moves, exact_up_to)
    answer = mate.solve(fen, within)
    if answer.outcome == "unknown":
        return Verdict([f"the exact search took longer than {mate.seconds:g} s"])
    # Past its range the search only shows that nothing mates within it.
    if moves > exact_up_to:
        proven = not answer.mates
    else:
        proven = answer.mates and answer.moves == moves and len(answer.keys) == 1
    if not proven:
        shown = ", ".join(f"{key} in {answer.moves}" for key in answer.keys) or "none"
        return Verdict([f"exact search, first moves mating within {within}: {shown}"],
                       answer.moves if len(answer.keys) == 1 else None)
    verdict = Verdict([], moves, [cchess.parse_ucci(word) for word in answer.line])
    if line_text and answer.line and line_text.split()[0] != answer.line[0]:
        verdict.problems.append(f"the line starts with {line_text.split()[0]}, "
                                f"the exact search's key is {answer.line[0]}")
    elif line_text and moves <= exact_up_to:
        verdict.problems += _unforced_moves(mate, fen, moves, line_text)
    return verdict


def _unforced_moves(mate, fen, moves, line_text):
    """The stored line's attacking moves that some defence outlasts: a line the engine found may
    rely on the rule against perpetual check, which the board alone does not make. Each
    attacking move but the mate is tried against every reply."""
    board, words = cchess.Board(fen), line_text.split()
    for ply, word in enumerate(words[:-1]):
        try:
            board.play(cchess.parse_ucci(word))
        except ValueError:
            return []  # the line's own check reports it
        if ply % 2 == 1:
            continue
        left = moves - ply // 2 - 1
        for reply in board.legal_moves():
            board.play(reply)
            mates = mate.solve(board.fen(), left).mates
            board.undo()
            if not mates:
                return [f"after {' '.join(words[:ply + 1])} the defence "
                        f"{cchess.ucci_text(reply)} escapes a mate in {left}"]
    return []


def main_line(engine, fen, pv, moves):
    """The engine's line from the key to the mate, as move numbers: its principal variation as far
    as it goes, then a move at a time where it stops short."""
    board, line = cchess.Board(fen), []
    status = 0
    for word in pv[:2 * moves - 1]:
        try:
            move = cchess.parse_uci(word)
            status = board.play(move)
        except ValueError:
            break
        line.append(move)
    engine.set_multipv(1)
    while not status & cchess.STATUS_LOST and len(line) < 2 * moves - 1:
        best = engine.search(fen, [cchess.uci_text(m) for m in line], nodes=LINE_NODES).best_move
        try:
            status = board.play(cchess.parse_uci(best or ""))
        except ValueError:
            break  # the line is checked move by move afterwards
        line.append(cchess.parse_uci(best))
    return line


def _other_quick_mates(engine, fen, key, moves, strength):
    problems = []
    engine.set_multipv(1)
    for move in cchess.Board(fen).legal_moves():
        text = cchess.uci_text(move)
        if text == key:
            continue
        reply = engine.search(fen, [text], depth=2 * (moves - 1) + EACH_MOVE_MARGIN * strength,
                              nodes=EACH_MOVE_NODES * strength).line(1)
        # From the defender's side: mated now (0) or in so many of the attacker's moves.
        if reply is not None and reply.mate is not None and -(moves - 1) <= reply.mate <= 0:
            problems.append(f"{cchess.ucci_text(move)} also mates in {1 - reply.mate}")
    return problems


def _shown(word):
    """A move of the engine's (UCI text, ranks 1 to 10) as the puzzle file
    and the book write it (ranks 0 to 9), so that a report can be read against the file."""
    try:
        return cchess.ucci_text(cchess.parse_uci(word))
    except ValueError:
        return word


def _score_text(line):
    return f"mate {line.mate}" if line.mate is not None else f"{line.centipawns} centipawns"
