"""The puzzle file as the program reads it: GBK text, CR LF line ends, one puzzle a line as
number,name,FEN[,main line] with the numbers running from 1 in order of difficulty. A reader that
takes three fields ignores the main line."""

import os

ENCODING = "gbk"
# The program's opening puzzle closes the collection as its hardest; it is kept as it is, so the
# one-key-move rule is not asked of it.
with open(os.path.join(os.path.dirname(__file__), "..", "..", "assets", "opening_puzzle.fen"),
          encoding="ascii") as _file:
    OPENING_PUZZLE = _file.readline().rstrip("\n")


class Puzzle:
    def __init__(self, number, name, fen, line_number=None, solution=None):
        self.number, self.name, self.fen = number, name, fen
        self.line_number, self.solution = line_number, solution


def full_fen(placement_and_side):
    return placement_and_side + " - - 0 0"


def row_text(name, fen, solution):
    """A puzzle's line without its number: what a verdict on it is kept under."""
    return ",".join(filter(None, (name, fen, solution)))


def write(path, entries):
    """entries: (name, FEN, main line or None) in order of difficulty."""
    lines = []
    for number, fields in enumerate(entries, 1):
        fields = [str(number)] + [field for field in fields if field is not None]
        if any("," in field or "\r" in field or "\n" in field for field in fields):
            raise ValueError(f"puzzle {number} cannot be written as one line of fields")
        lines.append(",".join(fields) + "\r\n")
    text = "".join(lines)
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
        if len(fields) not in (3, 4):
            problems.append(f"line {line_number}: {len(fields)} fields instead of 3 or 4")
            continue
        number, name, fen = fields[:3]
        if not number.isdigit() or int(number) != len(puzzles) + 1:
            problems.append(f"line {line_number}: number {number!r}, expected {len(puzzles) + 1}")
        puzzles.append(Puzzle(len(puzzles) + 1, name, fen, line_number,
                              fields[3] if len(fields) == 4 else None))
    return puzzles, problems
