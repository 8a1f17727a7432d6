"""What a puzzle position must obey to have come up in a game beyond what the rules library
checks (it reads no FEN with more pieces of a kind than at the start without repair): both kings
there and in their palaces, advisors, elephants and pawns on points they can reach, kings not
facing each other, the side not to move not in check. The puzzle tools and the collection's test
both ask here."""

import cchess


def reachable(kind, own_row, column):
    """Whether a piece of this kind can stand on the point; rows counted from its home rank."""
    palace = own_row <= 2 and 3 <= column <= 5
    if kind == "k":
        return palace
    if kind == "a":
        return palace and (own_row + column) % 2 == 1
    if kind == "b":
        return own_row in (0, 2, 4) and column % 2 == 0 and (own_row // 2 + column // 2) % 2 == 1
    if kind == "p":
        return own_row >= 5 or (own_row in (3, 4) and column % 2 == 0)
    return True


def faults(board):
    """Why the position on `board` could not arise in a game; empty when it could."""
    problems, kings = [], 0
    for square, letter in board.pieces():
        kings += letter in "Kk"
        row, column = cchess.row_column(square)
        if not reachable(letter.lower(), 9 - row if letter.isupper() else row, column):
            problems.append(f"{letter} on a point it cannot reach "
                            f"({cchess.point_text(square)})")
    if kings != 2:
        return problems + ["a king is missing"]
    if kings_face(board):
        problems.append("the kings face each other")
    elif board.checkers(board.side):
        problems.append("the side not to move is in check")
    return problems


def kings_face(board):
    red, black = board.king(cchess.RED), board.king(cchess.BLACK)
    if red % 16 != black % 16:
        return False
    return all(board.piece_at(square) is None for square in range(black + 16, red, 16))
