"""The puzzle file as the program reads it: GBK text, CR LF line ends, one puzzle a line as
number,name,FEN with the numbers running from 1 in order of difficulty."""

import os

ENCODING = "gbk"
# The program's opening puzzle closes the collection as its hardest; it is kept as it is, so the
# one-key-move rule is not asked of it.
with open(os.path.join(os.path.dirname(__file__), "..", "..", "assets", "opening_puzzle.fen"),
          encoding="ascii") as _file:
    OPENING_PUZZLE = _file.readline().rstrip("\n")


class Puzzle:
    def __init__(self, number, name, fen, line=None):
        self.number, self.name, self.fen, self.line = number, name, fen, line

    @property
    def position_fen(self):
        """Placement and side, without the counters."""
        return " ".join(self.fen.split(" ")[:2])


def full_fen(placement_and_side):
    return placement_and_side + " - - 0 0"


def write(path, entries):
    """entries: (name, FEN) in order of difficulty."""
    text = "".join(f"{number},{name},{fen}\r\n" for number, (name, fen) in enumerate(entries, 1))
    for number, (name, fen) in enumerate(entries, 1):
        if "," in name or "," in fen or "\r" in name + fen or "\n" in name + fen:
            raise ValueError(f"puzzle {number} cannot be written as one line of three fields")
    with open(path, "wb") as file:
        file.write(text.encode(ENCODING))


def read(path):
    """(puzzles, problems): what could be read, and every way the file breaks the format."""
    with open(path, "rb") as file:
        data = file.read()
    problems = []
    try:
        text = data.decode(ENCODING)
    except UnicodeDecodeError as error:
        return [], [f"not GBK text: {error}"]
    lines = text.split("\r\n")
    if lines and lines[-1] == "":
        lines.pop()
    puzzles = []
    for line_number, line in enumerate(lines, 1):
        if "\r" in line or "\n" in line:
            problems.append(f"line {line_number}: a line end other than CR LF")
            continue
        fields = line.split(",")
        if len(fields) != 3:
            problems.append(f"line {line_number}: {len(fields)} fields instead of 3")
            continue
        number, name, fen = fields
        if not number.isdigit() or int(number) != len(puzzles) + 1:
            problems.append(f"line {line_number}: number {number!r}, expected {len(puzzles) + 1}")
        puzzles.append(Puzzle(len(puzzles) + 1, name, fen, line_number))
    return puzzles, problems
