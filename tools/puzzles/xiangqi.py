"""Board points, FEN text and the rules a puzzle position has to obey.

Rows run 0..9 from Black's home rank (the top of a FEN) to Red's; columns 0..8 from file a.
Upper-case letters are Red, lower-case Black, as in the FEN.
"""

ROWS, COLUMNS = 10, 9
START_COUNTS = {"k": 1, "a": 2, "b": 2, "n": 2, "r": 2, "c": 2, "p": 5}
RED, BLACK = "w", "b"

# Points reachable by each kind from its own side, written for Black (rows 0..4); Red's mirror
# them top to bottom.
_BLACK_POINTS = {
    "k": {(r, c) for r in range(3) for c in range(3, 6)},
    "a": {(0, 3), (0, 5), (1, 4), (2, 3), (2, 5)},
    "b": {(0, 2), (0, 6), (2, 0), (2, 4), (2, 8), (4, 2), (4, 6)},
    # Unmoved or one step on, on the five start files; any point once across the river.
    "p": {(r, c) for r in (3, 4) for c in range(0, 9, 2)}
    | {(r, c) for r in range(5, 10) for c in range(9)},
}


def _points(letter):
    kind = letter.lower()
    points = _BLACK_POINTS.get(kind)
    if points is None or letter.islower():
        return points
    return {(ROWS - 1 - r, c) for r, c in points}


class Position:
    """A placement and the side to move. Only what puzzles need: no move legality."""

    def __init__(self, grid, side):
        self.grid = grid  # grid[row][column]: a piece letter or None
        self.side = side

    @classmethod
    def from_fen(cls, fen):
        """Reads the placement and side of a FEN; raises ValueError on anything malformed."""
        fields = fen.split(" ")
        if len(fields) < 2 or fields[1] not in (RED, BLACK):
            raise ValueError(f"no side to move in {fen!r}")
        ranks = fields[0].split("/")
        if len(ranks) != ROWS:
            raise ValueError(f"{len(ranks)} ranks in {fen!r}")
        grid = []
        for rank in ranks:
            row = []
            for ch in rank:
                if ch.isdigit():
                    row.extend([None] * int(ch))
                elif ch.lower() in START_COUNTS:
                    row.append(ch)
                else:
                    raise ValueError(f"unknown piece {ch!r} in {fen!r}")
            if len(row) != COLUMNS:
                raise ValueError(f"rank {rank!r} is not nine points wide")
            grid.append(row)
        return cls(grid, fields[1])

    def placement(self):
        ranks = []
        for row in self.grid:
            text, empty = "", 0
            for piece in row:
                if piece is None:
                    empty += 1
                    continue
                if empty:
                    text += str(empty)
                    empty = 0
                text += piece
            ranks.append(text + (str(empty) if empty else ""))
        return "/".join(ranks)

    def fen(self):
        """Placement and side, the part both the program and the engine read."""
        return f"{self.placement()} {self.side}"

    def copy(self):
        return Position([row[:] for row in self.grid], self.side)

    def colours_swapped(self):
        """The same puzzle with the colours swapped and the board turned top to bottom."""
        grid = [[p.swapcase() if p else None for p in row] for row in reversed(self.grid)]
        return Position(grid, BLACK if self.side == RED else RED)

    def pieces(self):
        for r, row in enumerate(self.grid):
            for c, piece in enumerate(row):
                if piece:
                    yield (r, c), piece

    def play(self, move):
        """Plays a move in the engine's notation (file letter, rank 1..10 from Red's side)."""
        start, end = parse_move(move)
        piece = self.grid[start[0]][start[1]]
        if piece is None:
            raise ValueError(f"no piece to move in {move}")
        self.grid[end[0]][end[1]] = piece
        self.grid[start[0]][start[1]] = None
        self.side = BLACK if self.side == RED else RED
        return piece

    def king(self, side):
        letter = "K" if side == RED else "k"
        return next((at for at, piece in self.pieces() if piece == letter), None)

    def attackers(self, target, side):
        """Points of the pieces of side that attack target (kings facing each other excluded)."""
        mine = str.isupper if side == RED else str.islower
        found = []
        tr, tc = target
        for dr, dc in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            r, c, screens = tr + dr, tc + dc, 0
            while 0 <= r < ROWS and 0 <= c < COLUMNS:
                piece = self.grid[r][c]
                if piece:
                    kind = piece.lower()
                    if mine(piece) and ((screens == 0 and kind == "r") or
                                        (screens == 1 and kind == "c")):
                        found.append((r, c))
                    screens += 1
                    if screens == 2:
                        break
                r, c = r + dr, c + dc
        for dr, dc in ((2, 1), (2, -1), (-2, 1), (-2, -1), (1, 2), (1, -2), (-1, 2), (-1, -2)):
            r, c = tr - dr, tc - dc  # the horse, which would move by (dr, dc) onto the target
            if not (0 <= r < ROWS and 0 <= c < COLUMNS):
                continue
            piece = self.grid[r][c]
            leg = (r + dr // 2 if abs(dr) == 2 else r, c + dc // 2 if abs(dc) == 2 else c)
            if piece and mine(piece) and piece.lower() == "n" and not self.grid[leg[0]][leg[1]]:
                found.append((r, c))
        forward = -1 if side == RED else 1  # the direction the side's pawns advance
        crossed = (lambda r: r <= 4) if side == RED else (lambda r: r >= 5)
        for r, c in ((tr - forward, tc), (tr, tc - 1), (tr, tc + 1)):
            if not (0 <= r < ROWS and 0 <= c < COLUMNS):
                continue
            piece = self.grid[r][c]
            sideways = r == tr
            if piece and mine(piece) and piece.lower() == "p" and (not sideways or crossed(r)):
                found.append((r, c))
        return found

    def kings_face(self):
        red, black = self.king(RED), self.king(BLACK)
        if not red or not black or red[1] != black[1]:
            return False
        column = red[1]
        return all(self.grid[r][column] is None for r in range(black[0] + 1, red[0]))

    def faults(self):
        """Why the position could not arise in a game; empty when it could."""
        problems = []
        counts = {}
        for (r, c), piece in self.pieces():
            counts[piece] = counts.get(piece, 0) + 1
            points = _points(piece)
            if points is not None and (r, c) not in points:
                problems.append(f"{piece} on a point it cannot reach ({square_name((r, c))})")
        for kind, limit in START_COUNTS.items():
            for letter in (kind.upper(), kind):
                if counts.get(letter, 0) > limit:
                    problems.append(f"{counts[letter]} of {letter}, more than at the start")
        for letter in ("K", "k"):
            if counts.get(letter, 0) != 1:
                problems.append(f"{counts.get(letter, 0)} of {letter}")
        if problems:
            return problems
        if self.kings_face():
            problems.append("the kings face each other")
        waiting = BLACK if self.side == RED else RED
        if self.attackers(self.king(waiting), self.side):
            problems.append("the side not to move is in check")
        return problems


def parse_move(move):
    """(row, column) of the start and end points of a move such as h7h10."""
    digits = next(i for i in range(2, len(move)) if move[i].isalpha())
    points = []
    for text in (move[:digits], move[digits:]):
        column, rank = ord(text[0]) - ord("a"), int(text[1:])
        if not (0 <= column < COLUMNS and 1 <= rank <= ROWS):
            raise ValueError(f"not a board point: {text}")
        points.append((ROWS - rank, column))
    return points[0], points[1]


def square_name(point):
    return f"{chr(ord('a') + point[1])}{ROWS - point[0]}"
