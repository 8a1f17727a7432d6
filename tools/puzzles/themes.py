"""The classic mating patterns (杀法) a puzzle ends in, read off the position its main line mates
in, and where a pattern needs it off the last moves that lead there. Each pattern is one function
below, registered under its name; the README's table says the same rules in words.

Points are (row, column) as the defender sees its palace: the attacker's pieces are upper case,
the defender's palace is rows 0 to 2 (row 0 its home rank) and columns 3 to 5 (column 4 the
central file). A puzzle where Black attacks is turned round first, so every rule is written once.
"""

import cchess

PALACE_ROWS, PALACE_COLUMNS = range(3), range(3, 6)
CENTRE = 4
STEPS = ((1, 0), (-1, 0), (0, 1), (0, -1))

PATTERNS = {}  # name: the test of a Mate, in the order the README lists them


def pattern(name):
    def register(test):
        PATTERNS[name] = test
        return test
    return register


def themes(fen, line_text):
    """The names of the patterns the main line `line_text` (engine text) mates in from `fen`
    (placement and side, the attacker to move), in PATTERNS' order. Raises ValueError when the
    line is not legal or does not mate."""
    mate = Mate(fen, line_text)
    return [name for name, test in PATTERNS.items() if test(mate)]


class Ply:
    def __init__(self, piece, start, end, captured, checks, screen):
        self.piece, self.start, self.end = piece, start, end
        self.captured, self.checks = captured, checks
        self.screen = screen  # the one piece a cannon jumps to capture, else None


def _turned_word(word):
    """A move in engine text with the board turned top to bottom (rank r becomes 9 - r)."""
    split = next(i for i in range(2, len(word)) if word[i].isalpha())
    return f"{word[0]}{9 - int(word[1:split])}{word[split]}{9 - int(word[split + 1:])}"


def _between(a, b):
    """The points strictly between two points of one file or rank."""
    if a[0] == b[0]:
        return [(a[0], c) for c in range(min(a[1], b[1]) + 1, max(a[1], b[1]))]
    if a[1] == b[1]:
        return [(r, a[1]) for r in range(min(a[0], b[0]) + 1, max(a[0], b[0]))]
    return None


def _in_palace(point):
    return point[0] in PALACE_ROWS and point[1] in PALACE_COLUMNS


class Mate:
    """The mated position and the moves that led to it, with what the patterns ask of them."""

    def __init__(self, fen, line_text):
        words = line_text.split()
        if fen.split(" ")[1] == cchess.BLACK:
            fen, words = cchess.colours_swapped(fen), [_turned_word(w) for w in words]
        board = cchess.Board(fen)
        self.plies, status = [], 0
        for word in words:
            move = cchess.parse_ucci(word)
            start, end = cchess.row_column(move % 256), cchess.row_column(move // 256)
            before = self.grid_of_(board)
            path = [before[p] for p in _between(start, end) or () if p in before]
            screen = path[0] if before[start].lower() == "c" and end in before \
                and len(path) == 1 else None
            status = board.play(move)
            self.plies.append(Ply(before[start], start, end, before.get(end),
                                  bool(status & cchess.STATUS_CHECK), screen))
        if not status & cchess.STATUS_LOST or board.side != cchess.BLACK:
            raise ValueError(f"the line {line_text!r} does not end in the defender's mate")
        self.grid = self.grid_of_(board)
        self.king = cchess.row_column(board.king(cchess.BLACK))
        self.checkers = [cchess.row_column(s) for s in board.checkers(cchess.RED)]
        self.neighbours = [p for p in ((self.king[0] + dr, self.king[1] + dc) for dr, dc in STEPS)
                           if _in_palace(p)]
        self.cover = {p: self.attackers_(p) for p in self.neighbours}
        self.flights = [p for p in self.neighbours if not self.black(p)]

    @staticmethod
    def grid_of_(board):
        return {cchess.row_column(square): letter for square, letter in board.pieces()}

    def attackers_(self, point):
        """The attacker's pieces that would attack the defender's king standing on `point`; the
        attacker's king among them when it would face it on an open file."""
        grid = dict(self.grid)
        del grid[self.king]
        grid[point] = "k"
        rows = ["".join(grid.get((r, c), " ") for c in range(9)) for r in range(10)]
        placement = "/".join(_packed(row) for row in rows)
        found = {cchess.row_column(s) for s in cchess.Board(placement + " w").checkers(cchess.RED)}
        for red_king in (p for p, letter in grid.items() if letter == "K"):
            if red_king[1] == point[1] and not any(p in grid for p in _between(red_king, point)):
                found.add(red_king)
        return found

    def at(self, point):
        return self.grid.get(point)

    def black(self, point):
        return self.at(point) is not None and self.at(point).islower()

    def pieces(self, letter):
        return [p for p, piece in self.grid.items() if piece == letter]

    def checking(self, letter):
        return [p for p in self.checkers if self.at(p) == letter]

    def between(self, a, b):
        """The pieces' points between two points of one line, or None off a common line."""
        points = _between(a, b)
        return None if points is None else [p for p in points if p in self.grid]

    def covers_flight(self, piece):
        return any(piece in self.cover[p] for p in self.flights)

    def takes_part(self, piece):
        return piece in self.checkers or self.covers_flight(piece)

    def pins(self, piece, most):
        """Whether `piece` stands on a line with the king with 1 to `most` pieces between, all of
        them the defender's: none of them may leave the line without exposing the king."""
        between = self.between(piece, self.king)
        return between is not None and 1 <= len(between) <= most \
            and all(self.black(p) for p in between)


def _packed(row):
    text, empty = "", 0
    for cell in row:
        if cell == " ":
            empty += 1
            continue
        text += (str(empty) if empty else "") + cell
        empty = 0
    return text + (str(empty) if empty else "")


def _side_points(mate, checker):
    """The king's palace neighbours across the line of a check: where a step leaves that line."""
    return [p for p in mate.neighbours
            if (p[0] == mate.king[0]) != (checker[0] == mate.king[0])]


def _screens(mate):
    """The points of the pieces that checking cannons jump."""
    return {mate.between(c, mate.king)[0] for c in mate.checking("C")}


def _horse_leg(horse, target):
    dr, dc = target[0] - horse[0], target[1] - horse[1]
    return (horse[0] + dr // 2, horse[1]) if abs(dr) == 2 else (horse[0], horse[1] + dc // 2)


@pattern("马后炮")
def _horse_and_cannon(mate):
    """A cannon mates over its own horse, which stands two points from the king on the line of
    check and so holds the two points beside the king across that line."""
    for cannon in mate.checking("C"):
        screen = mate.between(cannon, mate.king)[0]
        if mate.at(screen) == "N" and len(_between(screen, mate.king)) == 1:
            return True
    return False


@pattern("重炮")
def _double_cannon(mate):
    """A cannon mates over the attacker's other cannon."""
    return any(mate.at(mate.between(c, mate.king)[0]) == "C" for c in mate.checking("C"))


@pattern("闷宫")
def _smothered_palace(mate):
    """A cannon mates, and every palace point beside the king across the line of check holds one
    of the defender's own advisors."""
    for cannon in mate.checking("C"):
        side = _side_points(mate, cannon)
        if side and all(mate.at(p) == "a" for p in side):
            return True
    return False


@pattern("铁门栓")
def _iron_bolt(mate):
    """The king is on the central file, where a cannon pins one or two of the defender's pieces
    to it (or the attacker's king pins one), and a chariot or pawn mates along the king's
    rank."""
    if mate.king[1] != CENTRE:
        return False
    held = any(c[1] == CENTRE and mate.pins(c, 2) for c in mate.pieces("C")) or any(
        k[1] == CENTRE and mate.pins(k, 1) for k in mate.pieces("K"))
    return held and any(mate.at(p) in ("R", "P") and p[0] == mate.king[0]
                        for p in mate.checkers)


@pattern("双车错")
def _two_chariots(mate):
    """A chariot mates along a line, and the other chariot holds the next line over, taking the
    king's flight point on it."""
    for chariot in mate.checking("R"):
        for other in mate.pieces("R"):
            if other == chariot:
                continue
            if chariot[1] == mate.king[1] and abs(other[1] - mate.king[1]) == 1:
                point = (mate.king[0], other[1])
            elif chariot[0] == mate.king[0] and abs(other[0] - mate.king[0]) == 1:
                point = (other[0], mate.king[1])
            else:
                continue
            if point in mate.flights and other in mate.cover[point]:
                return True
    return False


def _horse_on(mate, points, may_check):
    """Whether a horse on one of `points` does its own work there, not as a cannon's screen: it
    takes a flight point or, where `may_check`, gives the check."""
    for horse in mate.pieces("N"):
        if horse not in points or horse in _screens(mate):
            continue
        if may_check if horse in mate.checkers else mate.covers_flight(horse):
            return True
    return False


@pattern("卧槽马")
def _elbow_horse(mate):
    """A horse in the trough, the defender's second rank on the third or seventh file in front of
    the home elephant's point, gives the check or takes a flight point."""
    return _horse_on(mate, ((1, 2), (1, 6)), may_check=True)


@pattern("挂角马")
def _palace_corner_horse(mate):
    """A horse on a front corner of the palace gives the check or takes a flight point."""
    return _horse_on(mate, ((2, 3), (2, 5)), may_check=True)


@pattern("钓鱼马")
def _angler_horse(mate):
    """A horse on the defender's third rank on the third or seventh file takes a flight point of
    the king, and another piece mates."""
    return _horse_on(mate, ((2, 2), (2, 6)), may_check=False)


@pattern("高钓马")
def _high_angler_horse(mate):
    """The same from one rank higher, the defender's fourth rank."""
    return _horse_on(mate, ((3, 2), (3, 6)), may_check=False)


@pattern("八角马")
def _octagonal_horse(mate):
    """The king stands in a corner of the palace and a horse on the opposite corner takes both of
    its neighbours; another piece mates."""
    row, column = mate.king
    if row not in (0, 2) or column not in (3, 5):
        return False
    horse = (2 - row, 8 - column)
    return mate.at(horse) == "N" and all(horse in mate.cover[p] for p in mate.neighbours)


@pattern("白脸将")
def _kings_face(mate):
    """A flight point of the king is taken by the attacker's king alone, across an open file."""
    kings = set(mate.pieces("K"))
    return bool(kings) and any(mate.cover[p] == kings for p in mate.flights)


@pattern("天地炮")
def _heaven_and_earth_cannons(mate):
    """The king is on its home point, one cannon pinning one or two of the defender's pieces to it
    along the central file and another along the home rank."""
    if mate.king != (0, CENTRE):
        return False
    cannons = [c for c in mate.pieces("C") if mate.pins(c, 2)]
    return any(c[1] == CENTRE for c in cannons) and any(c[0] == 0 for c in cannons)


@pattern("大刀剜心")
def _heart_cut(mate):
    """A chariot takes the advisor in the palace centre with the mate or with the move before."""
    return any(ply.piece == "R" and ply.end == (1, CENTRE) and ply.captured == "a"
               for ply in mate.plies[-1::-2][:2])


@pattern("侧面虎")
def _side_tiger(mate):
    """A chariot mates along the king's rank, and a horse on the same side of the king takes a
    flight point."""
    for chariot in mate.checking("R"):
        if chariot[0] != mate.king[0]:
            continue
        side = chariot[1] > mate.king[1]
        if any((h[1] > mate.king[1]) == side and h[1] != mate.king[1] and mate.covers_flight(h)
               for h in mate.pieces("N")):
            return True
    return False


@pattern("海底捞月")
def _moon_from_the_sea(mate):
    """A chariot mates along the king's file from behind it, from the side of the defender's home
    rank."""
    return any(r[1] == mate.king[1] and r[0] < mate.king[0] for r in mate.checking("R"))


@pattern("二鬼拍门")
def _two_ghosts(mate):
    """Two of the attacker's pawns, or a pawn and a chariot, stand on both points beside the
    palace centre, at the king's door."""
    doors = [mate.at((1, 3)), mate.at((1, 5))]
    return all(d in ("P", "R") for d in doors) and "P" in doors


@pattern("拔簧马")
def _spring_horse(mate):
    """A chariot mates by leaving the leg of its own horse, which then gives check too."""
    last = mate.plies[-1]
    return last.piece == "R" and any(_horse_leg(h, mate.king) == last.start
                                     for h in mate.checking("N"))


@pattern("车马冷着")
def _chariot_horse_quiet(mate):
    """A chariot and a horse mate together (one checks, the other checks or takes a flight
    point) after a quiet move of either that gave no check."""
    if len(mate.plies) < 3:
        return False
    before = mate.plies[-3]
    if before.checks or before.piece not in ("R", "N"):
        return False
    chariots = [r for r in mate.pieces("R") if mate.takes_part(r)]
    horses = [h for h in mate.pieces("N") if mate.takes_part(h)]
    return bool(chariots and horses) and any(p in mate.checkers for p in chariots + horses)


@pattern("老兵擒王")
def _old_pawn(mate):
    """A pawn that has reached the defender's home rank mates."""
    return any(p[0] == 0 for p in mate.checking("P"))


@pattern("空头炮")
def _empty_headed_cannon(mate):
    """A cannon faces the king on its file across one empty point or more, nothing between, and
    another piece mates, not over it."""
    return any(c[1] == mate.king[1] and abs(c[0] - mate.king[0]) > 1
               and not mate.between(c, mate.king) and c not in _screens(mate)
               for c in mate.pieces("C"))


@pattern("困毙")
def _stalemate(mate):
    """The defender is not in check but has no move."""
    return not mate.checkers


@pattern("炮辗丹砂")
def _cannon_sweep(mate):
    """On the way to the mate a cannon takes a piece with the defender's king as its screen."""
    return any(ply.piece == "C" and ply.screen == "k" for ply in mate.plies[::2])
