"""The rules library (libcchess, built with the program) over ctypes: every rule the puzzle tools
apply comes from it, so the tools and the program cannot disagree about a move.

Moves are the library's numbers (from-square + 256 x to-square); text comes in two notations:
the program's engine text, ranks 0..9 from Red's side ("h2e2"), and Fairy-Stockfish's UCI text,
ranks 1..10 ("h3e3").
"""

import ctypes
import os

RECORD_SIZE = 29076
MAX_MOVES = 128
STATUS_CHECK, STATUS_LOST = 2, 4
RED, BLACK = "w", "b"
# Board points: rows 3..12 of the record's 16 x 16 grid, from Black's home rank; columns 3..11.
TOP_ROW, LEFT_COLUMN = 3, 3
# Piece letters by offset within a side (record code - 16 or - 32).
LETTERS = "kaabbnnrrccppppp"


class Record(ctypes.Structure):
    _fields_ = [("side", ctypes.c_int32), ("squares", ctypes.c_uint8 * 256),
                ("piece_squares", ctypes.c_uint8 * 48),
                ("library_data", ctypes.c_uint8 * (RECORD_SIZE - 308))]


_library = None


def load(path):
    """Loads the library once; later calls keep the first one."""
    global _library
    if _library is None:
        library = ctypes.CDLL(os.path.abspath(path))
        record = ctypes.POINTER(Record)
        for name, arguments, result in (
                ("CchessInit", [ctypes.c_int], ctypes.c_int),
                ("CchessFen2Board", [record, ctypes.c_char_p], ctypes.c_int),
                ("CchessBoard2Fen", [record], ctypes.c_char_p),
                ("CchessTryMove", [record, ctypes.POINTER(ctypes.c_int), ctypes.c_int32],
                 ctypes.c_int),
                ("CchessUndoMove", [record], ctypes.c_int),
                ("CchessAddPiece", [record, ctypes.c_int, ctypes.c_int, ctypes.c_int],
                 ctypes.c_int),
                ("CchessLegalMoves", [record, ctypes.POINTER(ctypes.c_int32), ctypes.c_int],
                 ctypes.c_int)):
            function = getattr(library, name)
            function.argtypes, function.restype = arguments, result
        library.CchessInit(0)
        _library = library
    return _library


def library_beside(program):
    """Where the build puts the library: beside its programs (tarvelle-mate, perft)."""
    return os.path.join(os.path.dirname(os.path.abspath(program)), "libcchess.so")


class Board:
    """A position record with its undo history. Raises ValueError for a FEN the library would
    have to repair."""

    def __init__(self, fen):
        self.record_ = Record()
        if _library.CchessFen2Board(ctypes.byref(self.record_), fen.encode("ascii")) != 1:
            raise ValueError(f"not a complete FEN: {fen!r}")

    def fen(self):
        """Placement and side to move."""
        return _library.CchessBoard2Fen(ctypes.byref(self.record_)).decode("ascii")

    @property
    def side(self):
        return RED if self.record_.side == 0 else BLACK

    def legal_moves(self):
        moves = (ctypes.c_int32 * MAX_MOVES)()
        count = _library.CchessLegalMoves(ctypes.byref(self.record_), moves, MAX_MOVES)
        return list(moves[:min(count, MAX_MOVES)])

    def play(self, move):
        """Makes a legal move and returns its status bits; raises ValueError for any other."""
        status = ctypes.c_int()
        if not _library.CchessTryMove(ctypes.byref(self.record_), ctypes.byref(status), move):
            raise ValueError(f"illegal move {ucci_text(move)} in {self.fen()}")
        return status.value

    def undo(self):
        _library.CchessUndoMove(ctypes.byref(self.record_))

    def pieces(self):
        """(square, letter) of every piece: upper case Red, lower case Black."""
        for code in range(16, 48):
            square = self.record_.piece_squares[code]
            if square and self.record_.squares[square] == code:
                letter = LETTERS[code % 16]
                yield square, letter.upper() if code < 32 else letter

    def piece_at(self, square):
        code = self.record_.squares[square]
        if not code:
            return None
        return LETTERS[code % 16].upper() if code < 32 else LETTERS[code % 16]

    def king(self, side):
        return self.record_.piece_squares[16 if side == RED else 32] or None

    def checkers(self, side):
        """Squares of the pieces of `side` that attack the other side's king. The side's own king
        is lifted for the question, so that every move of its pieces is listed."""
        target = self.king(other(side))
        probe = Board(self.fen().split(" ")[0] + " " + side)
        own_king = probe.king(side)
        if own_king:
            _library.CchessAddPiece(ctypes.byref(probe.record_), own_king,
                                    16 if side == RED else 32, 1)
        return sorted({move % 256 for move in probe.legal_moves() if move // 256 == target})


def other(side):
    return BLACK if side == RED else RED


def row_column(square):
    """Row 0..9 from Black's home rank, column 0..8 from file a."""
    return square // 16 - TOP_ROW, square % 16 - LEFT_COLUMN


def square_at(row, column):
    return (row + TOP_ROW) * 16 + column + LEFT_COLUMN


def point_text(square, first_rank=0):
    row, column = row_column(square)
    return f"{chr(ord('a') + column)}{9 - row + first_rank}"


def ucci_text(move):
    return point_text(move % 256, 0) + point_text(move // 256, 0)


def uci_text(move):
    return point_text(move % 256, 1) + point_text(move // 256, 1)


def _parse(text, first_rank):
    """The move number of a move text; raises ValueError when it names no two board points."""
    split = next((i for i in range(2, len(text)) if text[i].isalpha()), None)
    squares = []
    for point in (text[:split], text[split:]) if split else ():
        column = ord(point[0]) - ord("a")
        rank = int(point[1:]) - first_rank if point[1:].isdigit() else -1
        if not (0 <= column <= 8 and 0 <= rank <= 9):
            break
        squares.append(square_at(9 - rank, column))
    if len(squares) != 2:
        raise ValueError(f"not a move: {text!r}")
    return squares[0] + 256 * squares[1]


def parse_ucci(text):
    return _parse(text, 0)


def parse_uci(text):
    return _parse(text, 1)


def colours_swapped(fen):
    """The same position with the colours swapped and the board turned top to bottom."""
    placement, side = fen.split(" ")[:2]
    return "/".join(reversed(placement.swapcase().split("/"))) + " " + other(side)
