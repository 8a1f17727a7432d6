"""A puzzle's difficulty, 1 to 5 stars, from what can be counted on its main line and the exact
solver's effort to prove it. The README gives the formula and how it was calibrated."""

import math

import cchess

# Points of each measure; the stars are the points against the thresholds below.
PER_EXTRA_MOVE = 0.5
PER_QUIET_MOVE = 1.0
PER_SACRIFICE = 0.75
PER_BRANCHING_DOUBLING = 0.5
PER_EFFORT_DECADE = 1.0
# The fewest points of two, three, four and five stars: where 15, 40, 65 and 85 % of a collection
# of the generator's default quotas lie (the README says on which puzzles).
STAR_FROM = (1.75, 5.25, 10.0, 13.75)


class Measures:
    """length: the attacker's moves; quiet: those that give no check; sacrifices: those after
    which the defender may take the piece that moved, or takes material in the line; branching:
    the defender's replies along the line that do not lose at once; nodes: the solver's effort,
    the positions its full proof searched (None until asked)."""

    def __init__(self, length, quiet, sacrifices, branching, nodes=None):
        self.length, self.quiet, self.sacrifices = length, quiet, sacrifices
        self.branching, self.nodes = branching, nodes


def measure(fen, line_text):
    """The Measures of a main line (engine text) from `fen`, the solver's effort left unset."""
    board = cchess.Board(fen)
    words = line_text.split()
    quiet = sacrifices = branching = 0
    for ply, word in enumerate(words):
        move = cchess.parse_ucci(word)
        if ply % 2 == 1:
            board.play(move)
            continue
        status = board.play(move)
        quiet += not status & cchess.STATUS_CHECK
        if ply + 1 == len(words):
            break
        reply = cchess.parse_ucci(words[ply + 1])
        replies = board.legal_moves()
        takes_mover = any(r // 256 == move // 256 for r in replies)
        takes_material = board.piece_at(reply // 256) is not None
        sacrifices += takes_mover or takes_material
        branching += sum(not _mates_at_once(board, r) for r in replies)
    return Measures((len(words) + 1) // 2, quiet, sacrifices, branching)


def _mates_at_once(board, reply):
    """Whether after the defender's `reply` the attacker has a move that mates."""
    board.play(reply)
    try:
        for move in board.legal_moves():
            status = board.play(move)
            board.undo()
            if status & cchess.STATUS_LOST:
                return True
        return False
    finally:
        board.undo()


def points(measures):
    return (PER_EXTRA_MOVE * (measures.length - 1) + PER_QUIET_MOVE * measures.quiet
            + PER_SACRIFICE * measures.sacrifices
            + PER_BRANCHING_DOUBLING * math.log2(1 + measures.branching)
            + PER_EFFORT_DECADE * math.log10(max(measures.nodes, 1)))


def stars(measures):
    """1 to 5; the solver's effort must be known."""
    if measures.nodes is None:
        raise ValueError("the solver's effort is not known")
    return 1 + sum(points(measures) >= threshold for threshold in STAR_FROM)
