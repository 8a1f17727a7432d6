#!/usr/bin/env python3
"""Measures the trainer's verdicts in the real program under Xvfb, as a user sees them. For the
first puzzle of each length in the shipped collection that has a wrong first move (the first legal
move in the rules library's order that is not the key): the time from the click that completes it
to the verdict in the thinking box, then, after Ctrl+Z, the same for the key; beside them, what the
click and the grab alone take, timed on the click that selects the piece. Then it plays the mate in
nine, the longest puzzle whose every move the solver is asked about, to its mate (the stored line's
moves while the replies follow it, else the ones tarvelle-mate finds) and reports the program's
resident memory after it.

usage: verdict_clicks.py BUILD_BIN_DIRECTORY
"""

import os
import struct
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "xsession"))
sys.path.insert(0, os.path.join(HERE, "..", "puzzles"))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "smoke"))
from x11_session import XvfbSession, scratch_directory  # noqa: E402
import cchess  # noqa: E402
import collection  # noqa: E402
import tarvelle_smoke as smoke  # noqa: E402
from program_bench import resident_kib  # noqa: E402


def board_bytes(x, window, top):
    """The raw pixels of the board and the thinking box below it, from one grab cheap enough to
    repeat every few milliseconds."""
    dump = subprocess.run(["xwd", "-silent", "-id", window], env=x.env(), check=True,
                          capture_output=True, timeout=30).stdout
    fields = struct.unpack(">25I", dump[:100])
    data = dump[fields[0] + 12 * fields[19]:]
    line = fields[12]
    return data[top * line:(top + 576) * line], data[(top + 576) * line:(top + 640) * line]


def click_until(x, window, top, cell, changed, timeout):
    """Seconds from a click on `cell` until `changed(board, box)` holds of the pixels, or None."""
    before = board_bytes(x, window, top)
    x.xdotool("mousemove", "--window", window, *map(str, smoke.cell_centre(top, cell)))
    clicked = time.monotonic()
    x.xdotool("click", "1")
    while time.monotonic() - clicked < timeout:
        if changed(before, board_bytes(x, window, top)):
            return time.monotonic() - clicked
    return None


def time_to_verdict(x, window, top, move, timeout=10.0):
    """Seconds from the click that completes `move` to a change of the thinking box, and from the
    click before it, which selects the piece, to the selection on the board: what clicking and
    grabbing alone take here. None for a verdict that did not come within `timeout`."""
    selected = click_until(x, window, top, smoke.cell_of(move[:2]),
                           lambda before, now: now[0] != before[0], timeout)
    verdict = click_until(x, window, top, smoke.cell_of(move[2:]),
                          lambda before, now: now[1] != before[1], timeout)
    return verdict, selected


def mating_move(binaries, fen, moves):
    found = subprocess.run([os.path.join(binaries, "tarvelle-mate"), "--first", "--seconds", "60"],
                           input="%s\t%d\n" % (fen.strip(), moves), capture_output=True, text=True,
                           check=True, timeout=120).stdout.split()
    return found[2] if found[:1] == ["mate"] else None


def main():
    binaries = os.path.abspath(sys.argv[1])
    cchess.load(os.path.join(binaries, "libcchess.so"))
    puzzles, _ = collection.read(os.path.join(binaries, "fens.txt"))
    lengths = {}
    for number, puzzle in enumerate(puzzles, 1):
        # A puzzle whose key is the only legal move has no wrong first move.
        if len(cchess.Board(puzzle.fen).legal_moves()) > 1:
            lengths.setdefault((len(puzzle.solution.split()) + 1) // 2, number)
    workdir = scratch_directory()
    with XvfbSession() as x:
        env = dict(x.env(), XDG_DATA_HOME=workdir, XDG_STATE_HOME=workdir)
        app = subprocess.Popen([os.path.join(binaries, "tarvelle")], cwd=workdir, env=env,
                               stderr=subprocess.DEVNULL)
        try:
            x.key(x.wait_for_window("^走棋方提示$"), "Escape")
            window = x.wait_for_window("^Tarvelle$")
            top = smoke.board_top(x.grab(window))
            current = 0
            print("| Puzzle | Length | Wrong first move | Verdict ms | Key | Verdict ms "
                  "| Selection ms (click and grab alone) |")
            print("| --- | --- | --- | --- | --- | --- | --- |")
            for length, number in sorted(lengths.items()):
                if length > 9:
                    continue
                load(x, window, top, puzzles, number, current)
                current = number
                puzzle = puzzles[number - 1]
                key = puzzle.solution.split()[0]
                board = cchess.Board(puzzle.fen)
                wrong = next(cchess.ucci_text(m) for m in board.legal_moves()
                             if cchess.ucci_text(m) != key)
                wrong_ms, selection = time_to_verdict(x, window, top, wrong)
                selections = [selection]
                time.sleep(2.5)  # the refutation after the pace
                close_result_box(x)  # a refutation may mate the player
                x.key(window, "ctrl+z")
                time.sleep(0.3)
                if length == 1:  # the key mates: no verdict, the result box
                    smoke.play(x, window, top, key)
                    x.key(x.wait_for_window("^胜负：$"), "Return")
                    key_text = "mate"
                else:
                    key_ms, selection = time_to_verdict(x, window, top, key)
                    selections.append(selection)
                    key_text = "%.0f" % (1000 * key_ms) if key_ms else "none"
                print("| %d | %d | %s | %s | %s | %s | %s |" % (
                    number, length, wrong, "%.0f" % (1000 * wrong_ms) if wrong_ms else "none",
                    key, key_text, ", ".join("%.0f" % (1000 * s) for s in selections if s)))
            number = lengths[9]
            load(x, window, top, puzzles, number, current)
            fen = puzzles[number - 1].fen
            stored = puzzles[number - 1].solution.split()
            line = cchess.Board(fen)
            for left in range(9, 0, -1):
                # The stored line's move while the replies follow it, else the solver's.
                on_line = line.fen() == " ".join(fen.split()[:2])
                move = stored[0] if on_line else mating_move(binaries, fen, left)
                assert move, "no mate in %d in %s" % (left, fen)
                if on_line:
                    for _ in range(min(2, len(stored))):
                        line.play(cchess.parse_ucci(stored.pop(0)))
                smoke.play(x, window, top, move)
                if left == 1:
                    x.key(x.wait_for_window("^胜负：$"), "Return")
                    break
                fen = wait_for_red_to_move(x, window, top)
            print("resident memory after the mate in nine: %d KiB" % resident_kib(app.pid))
        finally:
            app.kill()
            app.wait()


def close_result_box(x):
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^胜负：$"],
                           env=x.env(), capture_output=True, text=True, timeout=30).stdout.split()
    if found:
        x.key(found[0], "Return")
        x.window_gone(found[0])


def load(x, window, top, puzzles, number, current):
    # The puzzle loaded now starts again with 重做本题.
    x.key(window, *(["Next"] * (number - current) or ["ctrl+r"]))
    x.wait_for_window("^Tarvelle — %d " % number)
    time.sleep(0.5)


def wait_for_red_to_move(x, window, top, timeout=300):
    """The FEN box's text once the reply has been played."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        text = smoke.box_text(x, window, top, smoke.FEN_BOX, smoke.re.compile(r"^\S+ w - - 0 $"))
        if text.endswith(" w - - 0 "):
            return text
    raise TimeoutError("no reply")


if __name__ == "__main__":
    main()
