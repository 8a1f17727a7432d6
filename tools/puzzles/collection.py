"""The puzzle file as the program reads it: GBK text, CR LF line ends, one puzzle a line as
number,name,FEN[,main line[,patterns,stars]] with the numbers running from 1 in order of
difficulty: the main line in engine text, the mating patterns "/"-joined (empty when none shows)
and the difficulty, 1 to 5. A reader that takes three or four fields ignores the rest."""

import os

ENCODING = "gbk"
# The program's opening puzzle closes the collection as its hardest; it is kept as it is, so the
# one-key-move rule is not asked of it.
with open(os.path.join(os.path.dirname(__file__), "..", "..", "assets", "opening_puzzle.fen"),
          encoding="ascii") as _file:
    OPENING_PUZZLE = _file.readline().rstrip("\n")


FIELDS_AT_MOST = 6
PATTERN_SEPARATOR = "/"


class Puzzle:
    """themes: the pattern names of the fifth field, None without one; stars: the sixth field's
    text as it stands, None without one."""

    def __init__(self, number, name, fen, line_number=None, solution=None, themes=None,
                 stars=None):
        self.number, self.name, self.fen = number, name, fen
        self.line_number, self.solution = line_number, solution
        self.themes, self.stars = themes, stars


def full_fen(placement_and_side):
    return placement_and_side + " - - 0 0"


def row_text(name, fen, solution):
    """A puzzle's line without its number: what a verdict on it is kept under."""
    return ",".join(filter(None, (name, fen, solution)))


def write(path, entries):
    """entries: (name, FEN, main line[, patterns, stars]) in order of difficulty; patterns a list
    of names, stars a number. Fields left None at the end are left out, and within a row they are
    written empty, so that every field keeps its place."""
    lines = []
    for number, fields in enumerate(entries, 1):
        fields = list(fields)
        while fields and fields[-1] is None:
            fields.pop()
        if len(fields) > 3 and fields[3] is not None:
            if isinstance(fields[3], str):
                raise TypeError(f"puzzle {number}: patterns are a list of names")
            fields[3] = PATTERN_SEPARATOR.join(fields[3])
        fields[4:] = [None if f is None else str(f) for f in fields[4:]]
        fields = [str(number)] + ["" if field is None else field for field in fields]
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
        if not 3 <= len(fields) <= FIELDS_AT_MOST:
            problems.append(f"line {line_number}: {len(fields)} fields instead of 3 to "
                            f"{FIELDS_AT_MOST}")
            continue
        number, name, fen = fields[:3]
        if not number.isdigit() or int(number) != len(puzzles) + 1:
            problems.append(f"line {line_number}: number {number!r}, expected {len(puzzles) + 1}")
        solution, themes, stars = (fields[3:] + [None] * 3)[:3]
        if themes is not None:
            themes = themes.split(PATTERN_SEPARATOR) if themes else []
        puzzles.append(Puzzle(len(puzzles) + 1, name, fen, line_number, solution, themes, stars))
    return puzzles, problems
