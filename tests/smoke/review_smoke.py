#!/usr/bin/env python3
"""Review and the statistics window in the real program under Xvfb, on an attempts file with a
history: N loads the puzzle due, its key mates, and the statistics window shows solved bars.
Started again with TARVELLE_TODAY on tomorrow, N loads the puzzle failed today.

usage: review_smoke.py PROGRAM BOARD_BMP [--screenshots DIR]
"""

import argparse
import datetime
import os
import subprocess
import sys
import time

from tarvelle_smoke import (HERE, board_top, collection, grab_until, occupied_cells, play,
                            read_bmp, shown_occupancy, visible_windows)
from x11_session import XvfbSession, scratch_directory, write_png

SOLVED_COLOUR = (46, 125, 50)  # the statistics window's colour for solved puzzles


def attempt_line(when, puzzle, result, moves=""):
    key = " ".join(puzzle.fen.split()[:2])
    return "%s\t%s\t%s\t%s\n" % (when.isoformat(timespec="seconds"), key, result, moves)


def write_history(state_home, puzzles, now):
    """Clean solves over three weeks, three after a mistake yesterday (due in two days); puzzle 4
    mated with a hint ten days ago (due) and puzzle 3 failed today (due tomorrow)."""
    lines = [attempt_line(now - datetime.timedelta(days=2 + number % 19, hours=number % 5),
                          puzzles[number - 1], "clean")
             for number in list(range(6, 16)) + list(range(50, 60)) + list(range(95, 103))]
    yesterday = now - datetime.timedelta(days=1)
    for number in 50, 51, 95:
        lines.append(attempt_line(yesterday, puzzles[number - 1], "mistake"))
        lines.append(attempt_line(yesterday + datetime.timedelta(minutes=5), puzzles[number - 1],
                                  "clean"))
    lines.append(attempt_line(now - datetime.timedelta(days=10), puzzles[3], "hint"))
    lines.append(attempt_line(now, puzzles[2], "failed"))
    os.makedirs(os.path.join(state_home, "tarvelle"))
    with open(os.path.join(state_home, "tarvelle", "attempts.txt"), "w", encoding="utf-8") as out:
        out.writelines(sorted(lines))


def start(x, program, env):
    """The program's process, its window and the board's top row, once the side is answered."""
    app = subprocess.Popen([os.path.abspath(program)], cwd=env["XDG_STATE_HOME"], env=env)
    question = x.wait_for_window("^走棋方提示$")
    x.key(question, "Return")
    assert x.window_gone(question), "the side question stayed open"
    window = x.wait_for_window("^Tarvelle$")
    return app, window, board_top(x.grab(window))


def review_loads(x, window, top, board, puzzles, number):
    x.key(window, "n")
    x.wait_for_window("^Tarvelle — %d " % number)
    cells = occupied_cells(puzzles[number - 1].fen.split()[0])
    shown = grab_until(x, window, lambda image: shown_occupancy(image, top, board) == cells)
    assert shown_occupancy(shown, top, board) == cells, "复习 did not load puzzle %d" % number


def open_statistics(x, window, top):
    """练习统计…, the last item of the second menu."""
    before = visible_windows(x)
    x.click(window, 20, top // 2)
    deadline = time.monotonic() + 60
    while not visible_windows(x) - before and time.monotonic() < deadline:
        time.sleep(0.1)
    x.xdotool("key", "Right", "Up", "Return")
    return x.wait_for_window("^练习统计$")


def solved_bars_shown(image):
    _, _, rows = image
    return sum(row.count(SOLVED_COLOUR) for row in rows) > 200


def finish(x, app, window):
    x.key(window, "Escape")
    code = app.wait(timeout=30)
    assert code == 0, "exit code %d" % code


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("board_bmp")
    parser.add_argument("--screenshots", help="folder for a picture of the statistics window")
    args = parser.parse_args()
    board = read_bmp(args.board_bmp)
    puzzles, _ = collection.read(
        os.path.join(os.path.dirname(os.path.abspath(args.program)), "fens.txt"))
    workdir = scratch_directory()
    now = datetime.datetime.now().astimezone()
    write_history(workdir, puzzles, now)

    with XvfbSession() as x:
        env = x.env()
        env.setdefault("LSAN_OPTIONS", "suppressions=" + os.path.join(HERE, "lsan.supp"))
        env.update(XDG_DATA_HOME=workdir, XDG_STATE_HOME=workdir, XDG_CONFIG_HOME=workdir)
        env.pop("TARVELLE_TODAY", None)
        app, window, top = start(x, args.program, env)
        try:
            review_loads(x, window, top, board, puzzles, 4)
            play(x, window, top, puzzles[3].solution.split()[0])
            result = x.wait_for_window("^胜负：$")
            x.key(result, "Return")
            assert x.window_gone(result), "the result box stayed open"

            statistics = open_statistics(x, window, top)
            shown = grab_until(x, statistics, solved_bars_shown)
            assert solved_bars_shown(shown), "the statistics window shows no solved bars"
            if args.screenshots:
                write_png(os.path.join(args.screenshots, "training-statistics.png"), shown)
            x.key(statistics, "Escape")
            assert x.window_gone(statistics), "the statistics window stayed open"

            finish(x, app, window)

            env["TARVELLE_TODAY"] = (now + datetime.timedelta(days=1)).date().isoformat()
            app, window, top = start(x, args.program, env)
            review_loads(x, window, top, board, puzzles, 3)
            finish(x, app, window)
        finally:
            if app.poll() is None:
                app.kill()
                app.wait()
    print("review smoke test passed")


if __name__ == "__main__":
    sys.exit(main())
