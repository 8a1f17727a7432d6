#!/usr/bin/env python3
"""Starts the real program in a real X window and plays it as a user would. With an engine beside the
program, the computer plays Red: its move appears on the board, the thinking box shows depth, score
and moves, and a take-back from the menu restores the board. Then, while the engine searches again,
a move is played with two clicks and taken back. Then the first puzzle of the puzzle list is picked
in the position editor, sent to the main board with the computer playing Black, and a move is played
in it. Then Page Down loads the first puzzles for training in turn: their key moves mate, the solves
are recorded, and Ctrl+O opens the puzzle picker: the preview follows a click, and with the
length filter on two moves, Enter loads the first mate in two, and Page Up and Page Down go round
the mates in two alone. Then the trainer judges a mate in two: a wrong
move's verdict and refutation, Ctrl+Z, the key's reply and the mate, the attempt kept as a mistake;
and in the next puzzle H marks the key, and the puzzle left unsolved is kept as failed. Last the
window is closed; no engine process may outlive the program.

With --uci ENGINE it plays a game against that engine in UCI instead, chosen in the settings file:
the engine moves, the thinking box shows its depth, score and moves, the user replies, the engine
moves again, and Escape leaves no engine process behind. What the engine received shows that it
was spoken to in UCI, with Fairy-Stockfish's ranks 1 to 10.

usage: tarvelle_smoke.py PROGRAM BOARD_BMP [--with-engine | --uci ENGINE] [--screenshots DIR]
"""

import argparse
import os
import re
import struct
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "xsession"))
from x11_session import XvfbSession, child_pids, scratch_directory, write_png  # noqa: E402
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools", "puzzles"))
import collection  # noqa: E402

WOOD_TOLERANCE = 40
# The engine searches 6^9 nodes for its move: some tens of seconds on a loaded machine.
ENGINE_MOVE_SECONDS = 240
THINKING_SUMMARY = re.compile(
    r"^ *思考深度：\d+ *得分\((-?\d+|被?杀\d+)\)得分( \([A-I]\d-[A-I]\d\))?( [A-I]\d-[A-I]\d)+$")
THINKING_BOX = (260, 576 + 16)  # a point inside the thinking box, below the board
FEN_BOX = (260, 640 + 12)
FEN = re.compile(r"^[1-9a-zA-Z/]+ [wb] ")
UCI_MOVE = re.compile(r"^[a-i](10|[1-9])[a-i](10|[1-9])$")
# Positions per move in the UCI game: a real search that ends in moments.
UCI_NODES = 200000
VERDICT = re.compile(r"^此着不能在(\d+)步内成杀：[红黑]方 \S+$")


def occupied_cells(placement):
    """Cell numbers (reading order from the top-left) that hold a piece."""
    cells = set()
    for row, rank in enumerate(placement.split("/")):
        column = 0
        for char in rank:
            if char.isdigit():
                column += int(char)
            else:
                cells.add(9 * row + column)
                column += 1
    return cells


def read_bmp(path):
    """An 8-bit paletted bottom-up BMP as rows of (r, g, b)."""
    data = open(path, "rb").read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    colours, = struct.unpack_from("<I", data, 46)
    assert bits == 8, "board picture is not 8-bit"
    palette_start = 14 + struct.unpack_from("<I", data, 14)[0]
    palette = [struct.unpack_from("<BBBx", data, palette_start + 4 * i)[::-1]
               for i in range(colours or 256)]
    stride = (width + 3) & ~3
    rows = []
    for y in range(abs(height)):
        source = height - 1 - y if height > 0 else y
        line = data[offset + source * stride: offset + source * stride + width]
        rows.append([palette[index] for index in line])
    return rows


def board_top(image):
    """The first window row showing the board picture: below the menu bar."""
    _, height, rows = image
    for y in range(height):
        r, g, b = rows[y][100]
        if abs(r - 224) < WOOD_TOLERANCE and abs(g - 190) < WOOD_TOLERANCE and abs(b - 136) < WOOD_TOLERANCE:
            return y
    raise AssertionError("no board in the window")


def cell_pixels(image, top, cell):
    _, _, rows = image
    left = 8 + 56 * (cell % 9)
    upper = top + 8 + 56 * (cell // 9)
    return [rows[upper + dy][left:left + 56] for dy in range(56)]


def background_pixels(board, cell):
    left = 8 + 56 * (cell % 9)
    upper = 8 + 56 * (cell // 9)
    return [board[upper + dy][left:left + 56] for dy in range(56)]


def shown_occupancy(image, top, board):
    """Cells whose pixels differ from the empty board picture."""
    return {cell for cell in range(90)
            if cell_pixels(image, top, cell) != background_pixels(board, cell)}


def grab_until(x, window, shows, timeout=60):
    """Grabs the window until `shows` accepts the image or the time is up; the last image.
    Waiting on what is shown, not on a fixed pause, keeps a loaded machine from failing the test."""
    deadline = time.monotonic() + timeout
    while True:
        image = x.grab(window)
        if shows(image) or time.monotonic() > deadline:
            return image
        time.sleep(0.1)


def visible_windows(x):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", ""], env=x.env(),
                           capture_output=True, text=True)
    return set(found.stdout.split())


def cell_centre(top, cell):
    return 8 + 56 * (cell % 9) + 28, top + 8 + 56 * (cell // 9) + 28


def one_move_from(before, after):
    """Whether the occupied cells `after` follow from `before` by one move, capture or not."""
    return len(before - after) == 1 and len(after - before) <= 1 and len(after) >= len(before) - 1


def box_text(x, window, top, box, pattern):
    """A box's text, copied through the clipboard as a user would copy it, once it matches. The
    thinking box is rewritten by every report of the engine, which may drop the selection; so it
    is tried again."""
    deadline = time.monotonic() + 60
    text = ""
    while time.monotonic() < deadline:
        x.click(window, box[0], top + box[1])
        x.key(window, "ctrl+a", "ctrl+c")
        copied = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=x.env(),
                                capture_output=True, timeout=30)
        text = copied.stdout.decode("utf-8", "replace")
        if pattern.match(text):
            return text
        time.sleep(0.2)
    return text


def thinking_text(x, window, top):
    return box_text(x, window, top, THINKING_BOX, THINKING_SUMMARY)


def choose_menu_item(x, window, top, downs):
    before_menu = visible_windows(x)
    x.click(window, 20, top // 2)  # the menu
    deadline = time.monotonic() + 60
    while not visible_windows(x) - before_menu and time.monotonic() < deadline:
        time.sleep(0.1)
    x.xdotool("key", *["Down"] * downs, "Return")


def take_back(x, window, top):
    choose_menu_item(x, window, top, 3)


def open_editor(x, window, top):
    choose_menu_item(x, window, top, 1)


def cell_of(coord):
    """Cell of a point given as coordinate text such as "e0", in the normal view."""
    return 9 * (9 - int(coord[1])) + ord(coord[0]) - ord("a")


def quiet_legal_move(perft, fen):
    """A legal move of the side to move that leaves the opponent a reply, as two cells."""
    counts = subprocess.run([perft, fen, "2"], capture_output=True, text=True, check=True,
                            timeout=60).stdout.split("\n")
    for line in counts:
        fields = line.split()
        if len(fields) == 2 and int(fields[1]) > 0:
            return cell_of(fields[0][:2]), cell_of(fields[0][2:])
    raise AssertionError("no legal move in " + fen)


def play_puzzle_from_the_editor(x, window, top, board, program, screenshots):
    """Picks the first puzzle in the editor's picker, sends it to the main board with the computer
    playing Black and plays a move in it."""
    program_directory = os.path.dirname(os.path.abspath(program))
    puzzles, _ = collection.read(os.path.join(program_directory, "fens.txt"))
    assert puzzles, "no puzzle beside the program"
    puzzle = puzzles[0].fen
    placement = puzzle.split()[0]
    open_editor(x, window, top)
    editor = x.wait_for_window("^编辑局面$")
    x.click(editor, 664 + 36, 536 + 16)  # 打开棋局库
    picker = x.wait_for_window("^点选加载棋局$")
    x.click(picker, 8 + 150, 8 + 29)  # the first row, just below the headings
    loaded = x.wait_for_window("^加载的棋局：$")
    x.key(loaded, "Return")
    assert x.window_gone(picker), "the picker stayed open"
    shown = grab_until(x, editor, lambda image: shown_occupancy(image, 0, board) ==
                       occupied_cells(placement))
    assert shown_occupancy(shown, 0, board) == occupied_cells(placement), \
        "the editor does not show the first puzzle"
    if screenshots:
        write_png(os.path.join(screenshots, "position-editor.png"), shown)

    x.click(editor, 664 + 36, 568 + 16)  # 回传主棋盘
    question = x.wait_for_window("^走棋方提示$")
    x.key(question, "Escape")  # No: the computer plays Black
    assert x.window_gone(editor), "the editor stayed open"
    puzzle_cells = occupied_cells(placement)
    sent = grab_until(x, window, lambda image: shown_occupancy(image, top, board) == puzzle_cells)
    assert shown_occupancy(sent, top, board) == puzzle_cells, "the main board does not show the puzzle"

    from_cell, to_cell = quiet_legal_move(os.path.join(program_directory, "perft"), puzzle)
    x.click(window, *cell_centre(top, from_cell))
    x.click(window, *cell_centre(top, to_cell))
    expected = puzzle_cells - {from_cell} | {to_cell}
    moved = grab_until(x, window, lambda image: shown_occupancy(image, top, board) == expected)
    assert shown_occupancy(moved, top, board) == expected, "the move in the puzzle was not played"


def solve_first_puzzles(x, window, top, board, program, state_home, screenshots, count=2):
    """Loads the first puzzles one after another with Page Down, mates in each with its stored key
    move and finds them recorded as solved; then the picker (pick_within_a_length). The number of
    the puzzle loaded last."""
    puzzles, _ = collection.read(os.path.join(os.path.dirname(os.path.abspath(program)), "fens.txt"))
    for number, puzzle in enumerate(puzzles[:count], 1):
        key = puzzle.solution.split()
        assert len(key) == 1, "puzzle %d is no mate in one" % number
        x.key(window, "Next")
        x.wait_for_window("^Tarvelle — %d " % number)
        puzzle_cells = occupied_cells(puzzle.fen.split()[0])
        loaded = grab_until(x, window, lambda image: shown_occupancy(image, top, board) == puzzle_cells)
        assert shown_occupancy(loaded, top, board) == puzzle_cells, "puzzle %d was not loaded" % number
        x.click(window, *cell_centre(top, cell_of(key[0][:2])))
        x.click(window, *cell_centre(top, cell_of(key[0][2:])))
        result = x.wait_for_window("^胜负：$")
        x.key(result, "Return")
        assert x.window_gone(result), "the result box stayed open"
    with open(os.path.join(state_home, "tarvelle", "solved.txt"), encoding="ascii") as record:
        assert record.read() == "".join(sorted(" ".join(puzzle.fen.split()[:2]) + "\n"
                                               for puzzle in puzzles[:count])), \
            "the solves were not recorded"

    return pick_within_a_length(x, window, board, puzzles, screenshots)


# Where the picker's preview lies and at what scale it shows the board.
PREVIEW_LEFT, PREVIEW_TOP, PREVIEW_SCALE = 526, 40, 0.6
LIST_LEFT = 8


def preview_occupancy(image, board):
    """Cells of the preview that differ from the empty board picture over the same part of the
    board, away from the cell's edges, by more than the scaling blurs: on average, pixel for pixel."""
    _, _, rows = image
    occupied = set()
    for cell in range(90):
        left, upper = 8 + 56 * (cell % 9) + 12, 8 + 56 * (cell // 9) + 12
        points = [(x, y) for y in range(upper, upper + 32, 2) for x in range(left, left + 32, 2)]
        difference = sum(
            sum(abs(a - b) for a, b in zip(board[y][x], rows[PREVIEW_TOP + int(y * PREVIEW_SCALE)]
                                           [PREVIEW_LEFT + int(x * PREVIEW_SCALE)]))
            for x, y in points) / len(points)
        # Empty points differ by up to about 90, pieces by 140 and more.
        if difference > 115:
            occupied.add(cell)
    return occupied


def selected_rows(image):
    """The first and last window row of the list's highlighted row: blue, left of any text."""
    _, height, rows = image
    marked = [y for y in range(PREVIEW_TOP, height)
              if rows[y][LIST_LEFT + 40][2] > rows[y][LIST_LEFT + 40][0] + 60]
    assert marked, "no row is selected in the picker"
    return marked[0], marked[-1]


def pick_within_a_length(x, window, board, puzzles, screenshots):
    """Ctrl+O opens the picker on the puzzle being played (the second), its preview showing it; a
    click on the fourth row shows that puzzle instead. With the length filter on two moves, Enter
    loads the first mate in two, and 上一题 and 下一题 go round the mates in two alone."""
    x.key(window, "ctrl+o")
    picker = x.wait_for_window("^选题$")
    shown = grab_until(x, picker, lambda image: preview_occupancy(image, board) ==
                       occupied_cells(puzzles[1].fen.split()[0]))
    assert preview_occupancy(shown, board) == occupied_cells(puzzles[1].fen.split()[0]), \
        "the preview does not show the puzzle being played"
    first, last = selected_rows(shown)
    height = last - first + 1
    x.click(picker, LIST_LEFT + 100, first + 2 * height + height // 2)
    fourth = occupied_cells(puzzles[3].fen.split()[0])
    clicked = grab_until(x, picker, lambda image: preview_occupancy(image, board) == fourth)
    assert preview_occupancy(clicked, board) == fourth, "the preview does not show the clicked row"
    assert not x.window_gone(picker, timeout=0.5), "a click loaded the puzzle"
    if screenshots:
        write_png(os.path.join(screenshots, "puzzle-picker.png"), clicked)

    two = [puzzle for puzzle in puzzles if puzzle.name.startswith("两步杀")]
    x.click(picker, 76, 20)  # 步数: its list opens on 全部, then 1步, 2步
    time.sleep(0.5)
    x.xdotool("key", "Down", "Down", "Return")
    wanted = occupied_cells(two[0].fen.split()[0])
    grab_until(x, picker, lambda image: preview_occupancy(image, board) == wanted)
    x.key(picker, "Return")
    assert x.window_gone(picker), "Enter did not load the selected puzzle"
    for press, puzzle in (("Return", two[0]), ("Prior", two[-1]), ("Next", two[0]),
                          ("Next", two[1])):
        if press != "Return":
            x.key(window, press)
        x.wait_for_window("^Tarvelle — %d %s$" % (puzzle.number, puzzle.name), timeout=30)
    return two[1].number


def box_pixels(image, top):
    """The thinking box's pixels."""
    _, _, rows = image
    return [row[0:520] for row in rows[top + 576:top + 640]]


def load_puzzle(x, window, top, board, puzzles, number, current):
    """Pages down from puzzle `current` to puzzle `number` (both 1-based) and waits until the
    board shows it; the window's image then."""
    x.key(window, *["Next"] * (number - current))
    x.wait_for_window("^Tarvelle — %d " % number)
    cells = occupied_cells(puzzles[number - 1].fen.split()[0])
    loaded = grab_until(x, window, lambda image: shown_occupancy(image, top, board) == cells)
    assert shown_occupancy(loaded, top, board) == cells, "puzzle %d was not loaded" % number
    return loaded


def play(x, window, top, move):
    x.click(window, *cell_centre(top, cell_of(move[:2])))
    x.click(window, *cell_centre(top, cell_of(move[2:])))


def attempt_lines(state_home):
    with open(os.path.join(state_home, "tarvelle", "attempts.txt"), encoding="utf-8") as record:
        return [line.rstrip("\n").split("\t") for line in record]


def train_with_verdicts(x, window, top, board, program, state_home, screenshots, current):
    """In a mate in two, a wrong first move is refuted: the verdict shows at once, the refutation
    after the pace. Ctrl+Z takes both back; the key is answered and the mate follows. The attempt
    is kept as a mistake. In the next puzzle H marks the key's piece, then its destination; the
    puzzle left unsolved is kept as failed. Puzzle `current` is the one loaded now."""
    program_directory = os.path.dirname(os.path.abspath(program))
    puzzles, _ = collection.read(os.path.join(program_directory, "fens.txt"))
    number = next(i for i, puzzle in enumerate(puzzles, 1)
                  if puzzle.fen.startswith("4k4/3r4R/3N5/9/9/9/9/4B4/9/3AKAB2 w"))
    start = load_puzzle(x, window, top, board, puzzles, number, current)
    cells = occupied_cells(puzzles[number - 1].fen.split()[0])

    # i8i9 checks; the king's step up holds, and the verdict must say so before it is played.
    x.click(window, *cell_centre(top, cell_of("i8")))
    before = x.grab(window)
    x.click(window, *cell_centre(top, cell_of("i9")))
    wrong = cells - {cell_of("i8")} | {cell_of("i9")}
    refuted = wrong - {cell_of("e9")} | {cell_of("e8")}
    verdict_first = False
    deadline = time.monotonic() + 60
    while time.monotonic() < deadline:
        image = x.grab(window)
        shown = shown_occupancy(image, top, board)
        if shown == refuted:
            break
        if shown == wrong and box_pixels(image, top) != box_pixels(before, top):
            verdict_first = True
        time.sleep(0.02)
    assert shown == refuted, "the refutation was not played"
    assert verdict_first, "the verdict did not show before the refutation"
    if screenshots:
        write_png(os.path.join(screenshots, "puzzle-verdict.png"), image)
    text = box_text(x, window, top, THINKING_BOX, VERDICT)
    assert text == "此着不能在2步内成杀：黑方 将5进1", "the thinking box shows %r" % text

    x.key(window, "ctrl+z")
    assert_board_is(x, window, top, start, "after 重走此步")

    play(x, window, top, "i8d8")
    keyed = cells - {cell_of("i8")}
    answered = grab_until(x, window, lambda image: one_move_from(
        keyed, shown_occupancy(image, top, board)))
    assert one_move_from(keyed, shown_occupancy(answered, top, board)), "the key got no reply"
    fen = box_text(x, window, top, FEN_BOX, re.compile(r"^\S+ w - - 0 $"))
    found = subprocess.run([os.path.join(program_directory, "tarvelle-mate"), "--first"],
                           input=fen.strip() + "\t1\n", capture_output=True, text=True,
                           check=True, timeout=60).stdout.split()
    assert found[:2] == ["mate", "1"], "no mate in one after the reply: %r" % found
    play(x, window, top, found[2])
    result = x.wait_for_window("^胜负：$")
    x.key(result, "Return")
    assert x.window_gone(result), "the result box stayed open"
    placement = " ".join(puzzles[number - 1].fen.split()[:2])
    assert attempt_lines(state_home)[-1][1:] == [placement, "mistake", "i8d8 " + found[2]], \
        "the attempt was not kept as a mistake: %r" % attempt_lines(state_home)[-1]

    following = puzzles[number]
    key = following.solution.split()[0]
    start = load_puzzle(x, window, top, board, puzzles, number + 1, number)
    for press, marked in enumerate(([cell_of(key[:2])], [cell_of(key[:2]), cell_of(key[2:])])):
        x.key(window, "h")
        shown = grab_until(x, window, lambda image: all(
            (cell_pixels(image, top, cell) != cell_pixels(start, top, cell)) == (cell in marked)
            for cell in range(90)))
        for cell in range(90):
            assert (cell_pixels(shown, top, cell) != cell_pixels(start, top, cell)) == \
                (cell in marked), "press %d of H: cell %d is%s marked" % (
                    press + 1, cell, " not" if cell in marked else "")
    load_puzzle(x, window, top, board, puzzles, number + 2, number + 1)
    assert attempt_lines(state_home)[-1][1:3] == [" ".join(following.fen.split()[:2]), "failed"], \
        "the puzzle left was not kept as failed: %r" % attempt_lines(state_home)[-1]


def assert_board_is(x, window, top, expected, what):
    shown = grab_until(x, window, lambda image: all(
        cell_pixels(image, top, cell) == cell_pixels(expected, top, cell) for cell in range(90)))
    for cell in range(90):
        assert cell_pixels(shown, top, cell) == cell_pixels(expected, top, cell), \
            "cell %d differs %s" % (cell, what)


def descendants(pid):
    """Every process below `pid`: its children, theirs, and so on."""
    found = child_pids(pid)
    for child in list(found):
        found += descendants(child)
    return found


def logging_engine(workdir, engine):
    """An engine file that starts `engine` and writes every line it receives to a log beside it."""
    path = os.path.join(workdir, "logging-engine")
    log = os.path.join(workdir, "engine-received.log")
    with open(path, "w") as script:
        script.write("#!/bin/sh\ntee -a '%s' | exec '%s'\n" % (log, engine))
    os.chmod(path, 0o755)
    return path, log


def write_uci_settings(workdir, engine_file):
    os.makedirs(os.path.join(workdir, "tarvelle"))
    with open(os.path.join(workdir, "tarvelle", "tarvelle.conf"), "w") as settings:
        settings.write("[engine]\npath=%s\nprotocol=uci\nnodes=%d\n" % (engine_file, UCI_NODES))


def answered(x):
    """Closes a result box; whether none was open, so that a window grabbed before shows the board
    uncovered."""
    shown = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^胜负：$"],
                           env=x.env(), capture_output=True, text=True).stdout.split()
    for box in shown:
        x.key(box, "Return")
        x.window_gone(box)
    return not shown


def play_uci_game(x, app, window, top, board, program, opening, log):
    """The engine moves, shows its thinking, the user replies, the engine moves again; Escape."""
    engines = descendants(app.pid)
    assert engines, "no engine runs beside the program"
    played = grab_until(x, window, lambda image: one_move_from(
        opening, shown_occupancy(image, top, board)), ENGINE_MOVE_SECONDS)
    after_engine = shown_occupancy(played, top, board)
    assert one_move_from(opening, after_engine), "the engine's move did not appear"
    text = thinking_text(x, window, top)
    assert THINKING_SUMMARY.match(text), "the thinking box shows %r" % text

    fen = box_text(x, window, top, FEN_BOX, FEN)
    assert FEN.match(fen), "the FEN box shows %r" % fen
    perft = os.path.join(os.path.dirname(os.path.abspath(program)), "perft")
    from_cell, to_cell = quiet_legal_move(perft, fen.strip())
    x.click(window, *cell_centre(top, from_cell))
    x.click(window, *cell_centre(top, to_cell))
    after_user = after_engine - {from_cell} | {to_cell}
    # The puzzle is Red's mate: the reply may end the game, and its result box covers the board.
    replied = grab_until(x, window, lambda image: answered(x) and one_move_from(
        after_user, shown_occupancy(image, top, board)), ENGINE_MOVE_SECONDS)
    assert one_move_from(after_user, shown_occupancy(replied, top, board)), \
        "the engine's reply did not appear"

    x.key(window, "Escape")
    code = app.wait(timeout=30)
    assert code == 0, "exit code %d" % code
    for pid in engines:
        assert not os.path.exists("/proc/%d" % pid), "an engine process outlived the program"
    with open(log) as received:
        lines = received.read().splitlines()
    assert lines[:2] == ["uci", "setoption name UCI_Variant value xiangqi"], lines[:2]
    assert "isready" in lines and "go nodes %d" % UCI_NODES in lines, lines
    moves = [line.split(" moves ")[1].split() for line in lines
             if line.startswith("position fen ") and " moves " in line]
    assert len(moves) >= 2 and all(UCI_MOVE.match(move) for move in sum(moves, [])), moves


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("board_bmp")
    parser.add_argument("--with-engine", action="store_true")
    parser.add_argument("--uci", metavar="ENGINE", help="play against ENGINE in UCI instead")
    parser.add_argument("--screenshots", help="folder for pictures of the three windows and a verdict")
    args = parser.parse_args()
    board = read_bmp(args.board_bmp)
    # No board/ folder here: the pictures must be found beside the program.
    workdir = scratch_directory()
    if args.uci:
        engine_file, engine_log = logging_engine(workdir, args.uci)
        write_uci_settings(workdir, engine_file)

    with XvfbSession() as x:
        env = x.env()
        # Under LeakSanitizer, what system libraries keep for the process is not ours to report.
        env.setdefault("LSAN_OPTIONS", "suppressions=" + os.path.join(HERE, "lsan.supp"))
        env["XDG_DATA_HOME"] = workdir  # the shipped puzzles, not the user's own
        env["XDG_STATE_HOME"] = workdir  # no puzzle solved yet
        env["XDG_CONFIG_HOME"] = workdir  # no settings but the test's own
        app = subprocess.Popen([os.path.abspath(args.program)], cwd=workdir, env=env)
        engines = []
        try:
            question = x.wait_for_window("^走棋方提示$")
            x.key(question, "Return")  # Yes: the computer plays Red
            assert x.window_gone(question), "the side question stayed open"
            window = x.wait_for_window("^Tarvelle$")

            opening = occupied_cells(collection.OPENING_PUZZLE.split(" ")[0])
            start = x.grab(window)
            top = board_top(start)
            start = grab_until(x, window, lambda image: shown_occupancy(image, top, board) == opening)
            assert shown_occupancy(start, top, board) == opening, \
                "the opening puzzle is not drawn piece for piece"

            if args.uci:
                play_uci_game(x, app, window, top, board, args.program, opening, engine_log)
                print("smoke test passed")
                return 0

            if args.with_engine:
                engines = child_pids(app.pid)  # the engine is the program's only child
                assert len(engines) == 1, "no engine runs beside the program"
                played = grab_until(x, window, lambda image: one_move_from(
                    opening, shown_occupancy(image, top, board)), ENGINE_MOVE_SECONDS)
                assert one_move_from(opening, shown_occupancy(played, top, board)), \
                    "the engine's move did not appear"
                if args.screenshots:
                    write_png(os.path.join(args.screenshots, "main-window.png"), played)
                text = thinking_text(x, window, top)
                assert THINKING_SUMMARY.match(text), "the thinking box shows %r" % text
                take_back(x, window, top)
                assert_board_is(x, window, top, start, "after taking back the engine's move")

            # With an engine, it is searching again now: the move stops it.
            from_cell, to_cell = 9 * 6 + 2, 9 * 5 + 2  # Red's pawn c3 to c4
            x.click(window, *cell_centre(top, from_cell))
            x.click(window, *cell_centre(top, to_cell))
            expected = opening - {from_cell} | {to_cell}
            moved = grab_until(x, window, lambda image: shown_occupancy(image, top, board) == expected)
            assert shown_occupancy(moved, top, board) == expected, "the move was not played"
            if args.screenshots and not args.with_engine:
                write_png(os.path.join(args.screenshots, "main-window.png"), moved)

            take_back(x, window, top)
            assert_board_is(x, window, top, start, "after the take-back")

            assert not subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^走棋方提示$"],
                                      env=x.env(), capture_output=True, text=True).stdout.strip(), \
                "the side question was asked again"
            play_puzzle_from_the_editor(x, window, top, board, args.program, args.screenshots)
            current = solve_first_puzzles(x, window, top, board, args.program, workdir,
                                          args.screenshots)
            # The picker left its filter on the mates in two, which the trainer's puzzles are.
            train_with_verdicts(x, window, top, board, args.program, workdir, args.screenshots,
                                current)
            x.key(window, "Escape")
            code = app.wait(timeout=30)
            assert code == 0, "exit code %d" % code
            for pid in engines:
                assert not os.path.exists("/proc/%d" % pid), "the engine outlived the program"
        finally:
            if app.poll() is None:
                app.kill()
                app.wait()
    print("smoke test passed")


if __name__ == "__main__":
    sys.exit(main())
