#!/usr/bin/env python3
"""Installs the build into a scratch prefix and starts the installed program the way its desktop
entry does, from a folder without pictures, in Xvfb: the window maps with the opening puzzle drawn
piece for piece and the engine file's Fairy-Stockfish running below it (checked only when the engine
is installed). Without any display the program says so in one line and ends with status 1.

usage: install_test.py BUILD_DIR ENGINE
"""

import os
import shlex
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.join(HERE, "..", "..")
sys.path.insert(0, os.path.join(TOP, "tests", "smoke"))
from tarvelle_smoke import board_top, grab_until, occupied_cells, read_bmp, shown_occupancy  # noqa: E402
from x11_session import XvfbSession, child_pids  # noqa: E402

DESKTOP_ENTRY = "share/applications/org.tarvelle.Tarvelle.desktop"
LSAN_OPTIONS = "suppressions=" + os.path.join(TOP, "tests", "smoke", "lsan.supp")


def desktop_command(prefix):
    """The words of the desktop entry's Exec line under `prefix`."""
    with open(os.path.join(prefix, DESKTOP_ENTRY)) as entry:
        return shlex.split(next(line for line in entry if line.startswith("Exec="))[len("Exec="):])


def check_without_display(command, env):
    env = {k: v for k, v in env.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    run = subprocess.run(command, env=env, capture_output=True, text=True, timeout=60)
    assert run.returncode == 1, "exit status %d without a display" % run.returncode
    assert len(run.stderr.splitlines()) == 1 and "X" in run.stderr, "printed %r" % run.stderr


def descendants(pid):
    found, waiting = [], [pid]
    while waiting:
        children = child_pids(waiting.pop())
        found += children
        waiting += children
    return found


def check_program_window(x, command, env, engine, cwd=None):
    """Starts `command`, answers the side question with No and checks that the main window shows
    the opening puzzle and that `engine` (when it exists) runs below the program; then closes the
    window. Returns the seconds from the start until the window was seen mapped."""
    board = read_bmp(os.path.join(TOP, "assets", "board.bmp"))
    with open(os.path.join(TOP, "assets", "opening_puzzle.fen")) as fen:
        opening = occupied_cells(fen.readline().split(" ")[0])
    started = time.monotonic()
    app = subprocess.Popen(command, cwd=cwd, env=env)
    try:
        window = x.wait_for_window("^Tarvelle$")
        seconds = time.monotonic() - started
        x.key(x.wait_for_window("^走棋方提示$"), "Escape")  # the computer plays Black
        top = board_top(x.grab(window))
        image = grab_until(x, window, lambda shown: shown_occupancy(shown, top, board) == opening)
        assert shown_occupancy(image, top, board) == opening, "the pieces are not drawn"
        if os.path.exists(engine):
            running = [os.path.realpath("/proc/%d/exe" % pid) for pid in descendants(app.pid)]
            assert os.path.realpath(engine) in running, "no engine runs: %r" % running
        else:
            print("no %s: the engine is not checked" % engine)
        x.key(window, "Escape")
        assert app.wait(timeout=30) == 0, "the program did not end normally"
    finally:
        if app.poll() is None:
            app.kill()
            app.wait()
    return seconds


def run_installed(build, engine, prefix, elsewhere):
    subprocess.run(["cmake", "--install", build, "--prefix", prefix], check=True,
                   stdout=subprocess.DEVNULL, timeout=120)
    check_without_display([os.path.join(prefix, "games", "tarvelle")], os.environ)
    # The prefix's games folder is where a desktop's menu finds games.
    path = os.path.join(prefix, "games") + os.pathsep + os.environ.get("PATH", "")
    with XvfbSession() as x:
        env = dict(x.env(), PATH=path, XDG_DATA_HOME=elsewhere, XDG_CONFIG_HOME=elsewhere,
                   LSAN_OPTIONS=LSAN_OPTIONS)
        check_program_window(x, desktop_command(prefix), env, engine, cwd=elsewhere)


def main():
    build, engine = sys.argv[1:3]
    prefix = tempfile.mkdtemp(prefix="tarvelle-install-")
    elsewhere = tempfile.mkdtemp(prefix="tarvelle-elsewhere-")
    try:
        run_installed(build, engine, prefix, elsewhere)
    finally:
        shutil.rmtree(prefix)
        shutil.rmtree(elsewhere)
    print("install test passed")


if __name__ == "__main__":
    sys.exit(main())
