"""A puzzle's solution: its main line in the program's engine text, from the key move to the
mate, as the fourth field of a puzzle line ("h6h8 f9f8 h8f8")."""

import cchess


def text(moves):
    return " ".join(cchess.ucci_text(move) for move in moves)


def problems(fen, line_text, length):
    """Why `line_text` is not a main line of a mate in `length` from `fen`: every move legal in
    turn, the last one leaving the defender without a move, `length` moves of the attacker."""
    board = cchess.Board(fen)
    words = line_text.split()
    if len(words) != 2 * length - 1:
        return [f"the line has {(len(words) + 1) // 2} attacking moves, the name says {length}"]
    status = 0
    for ply, word in enumerate(words, 1):
        try:
            status = board.play(cchess.parse_ucci(word))
        except ValueError as error:
            return [f"move {ply} of the line: {error}"]
    if not status & cchess.STATUS_LOST:
        return ["the line does not end in mate"]
    return []


def taking_part(fen, line):
    """Letters of the attacker's pieces that move in the line (move numbers) or give the final
    check, one per piece, as they stand in `fen`."""
    board = cchess.Board(fen)
    attacker = board.side
    origin = {square: square for square, _ in board.pieces()}  # where each piece started
    involved = set()
    for ply, move in enumerate(line):
        start, end = move % 256, move // 256
        origin[end] = origin.pop(start)
        if ply % 2 == 0:
            involved.add(origin[end])
        board.play(move)
    involved.update(origin[square] for square in board.checkers(attacker))
    start = cchess.Board(fen)
    return [start.piece_at(square) for square in involved]
