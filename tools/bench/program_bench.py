#!/usr/bin/env python3
"""Measures the real program under Xvfb, with and without its engine beside it: the time from start
to the first shown window (without an engine, with its engine, and with an engine that never
answers), beside XBoard's in the same X server when XBoard is installed, the processor time and
wake-ups of the program while it waits for the user and while the engine searches, its resident
memory, the delay from the engine's best move to the move on the board, and the time the puzzle
lists take to open on a file of 100,000 puzzles: in the real window, from the key press of Ctrl+O
to the puzzle menu's picker mapped, from a key typed into its search box to the picker redrawn, and
the program's resident memory then. --start-up-only stops after the start-up times;
--picker-only measures the picker alone.

usage: program_bench.py PROGRAM [--engine ENGINE] [--xboard XBOARD] [--runs N] [--seconds S]
                        [--start-up-only]
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "xsession"))
from x11_session import XvfbSession, child_pids, scratch_directory  # noqa: E402


def install(program, engine):
    """A directory with a copy of the program, its pictures and, when given, the engine file."""
    directory = tempfile.mkdtemp(prefix="tarvelle-bench-")
    shutil.copy2(program, directory)
    os.symlink(os.path.join(os.path.dirname(program), "board"), os.path.join(directory, "board"))
    if engine:
        os.symlink(engine, os.path.join(directory, "EEYE.dll"))
    return os.path.join(directory, os.path.basename(program))


def silent_engine():
    """An engine that reads everything and never answers, its output left open."""
    directory = tempfile.mkdtemp(prefix="tarvelle-silent-")
    path = os.path.join(directory, "silent-engine")
    with open(path, "w") as script:
        script.write("#!/bin/sh\nwhile read -r line; do :; done\n")
    os.chmod(path, 0o755)
    return path


def scheduler_totals(pid):
    """Processor seconds and the number of times it was put on a processor, over all threads, from
    the scheduler's own counts (finer than the tick-based user and system times)."""
    seconds, runs = 0, 0
    for task in os.listdir("/proc/%d/task" % pid):
        with open("/proc/%d/task/%s/schedstat" % (pid, task)) as stat:
            fields = stat.read().split()
        seconds += int(fields[0]) / 1e9
        runs += int(fields[2])
    return seconds, runs


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def first_window_seconds(x, command):
    """Time from start to the first window mapped, told by the X server's own MapNotify event: a
    watcher that polls would take processor time from the program and its engine as they start.
    The program finds no settings but its defaults."""
    watcher = subprocess.Popen(["xev", "-root", "-event", "substructure"], env=x.env(),
                               stdout=subprocess.PIPE, text=True)
    try:
        # Time to connect and listen; xev on the root window announces nothing itself.
        time.sleep(0.5)
        workdir = scratch_directory()
        env = dict(x.env(), XDG_CONFIG_HOME=workdir)
        started = time.monotonic()
        app = subprocess.Popen(command, cwd=workdir, env=env, stderr=subprocess.DEVNULL)
        try:
            for line in watcher.stdout:
                if line.startswith("MapNotify"):
                    return time.monotonic() - started
            raise RuntimeError("the program showed no window")
        finally:
            app.kill()
            app.wait()
    finally:
        watcher.kill()
        watcher.wait()


def engine_alone_seconds(engine):
    """Time from starting the engine by itself to its "ucciok": the least start-up it can add."""
    started = time.monotonic()
    process = subprocess.Popen([engine], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    try:
        process.stdin.write("ucci\n")
        process.stdin.flush()
        for line in process.stdout:
            if line.rstrip("\r\n") == "ucciok":
                return time.monotonic() - started
        raise RuntimeError("the engine never answered ucciok")
    finally:
        process.kill()
        process.wait()


def start_ups(x, commands, runs):
    """The median start-up of each labelled command, their runs taken in turn so that a change in
    the machine's load falls on all of them alike."""
    starts = {label: [] for label in commands}
    for _ in range(runs):
        for label, command in commands.items():
            starts[label].append(first_window_seconds(x, command))
    medians = {}
    for label, times in starts.items():
        medians[label] = statistics.median(times)
        print("start-up to first shown window, %s: median %.1f ms, min %.1f ms, max %.1f ms "
              "(%d runs)" % (label, 1000 * medians[label], 1000 * min(times), 1000 * max(times),
                             runs))
    return medians


def watch(x, program, answer, seconds, label):
    """Answers the side question (Return: the computer plays Red and searches at once; Escape is
    No: the user is to move), settles for two seconds, then watches the program for `seconds`."""
    workdir = scratch_directory()
    app = subprocess.Popen([program], cwd=workdir, env=dict(x.env(), XDG_CONFIG_HOME=workdir))
    try:
        question = x.wait_for_window("^走棋方提示$")
        x.key(question, answer)
        time.sleep(2)
        before = scheduler_totals(app.pid)
        time.sleep(seconds)
        after = scheduler_totals(app.pid)
        engines = child_pids(app.pid)
        print("%s: %.3f%% of one core, %.1f wake-ups/s; resident %d KiB (engine %s)"
              % (label, 100 * (after[0] - before[0]) / seconds, (after[1] - before[1]) / seconds,
                 resident_kib(app.pid),
                 ", ".join("%d KiB" % resident_kib(pid) for pid in engines) or "none"))
    finally:
        app.kill()
        app.wait()


def puzzle_file(lines, count):
    """A puzzle file of `count` rows in GBK with CR LF, cycling through `lines` (the shipped
    collection's), each given themes and stars."""
    directory = tempfile.mkdtemp(prefix="tarvelle-puzzles-")
    os.makedirs(os.path.join(directory, "tarvelle"))
    themes = ["马后炮", "卧槽马", "马后炮/卧槽马", ""]
    rows = []
    for k in range(count):
        fields = (lines[k % len(lines)].split(",") + [""])[1:4]
        rows.append(",".join([str(k + 1)] + fields + [themes[k % 4], str(k % 5 + 1)]))
    with open(os.path.join(directory, "tarvelle", "fens.txt"), "wb") as out:
        out.write(("\r\n".join(rows) + "\r\n").encode("gbk"))
    return directory


def picker_times(x, program, data_home, runs):
    """Ctrl+O to the picker mapped (the X server's MapNotify), then keys typed into its search box
    ("1", "2", BackSpace, BackSpace) to the picker's pixels changed, polled with xwd; and the
    program's resident memory with the picker open."""
    workdir = scratch_directory()
    env = dict(x.env(), XDG_CONFIG_HOME=workdir, XDG_STATE_HOME=workdir, XDG_DATA_HOME=data_home)
    app = subprocess.Popen([program], cwd=workdir, env=env, stderr=subprocess.DEVNULL)
    opened, typed, resident = [], [], 0
    try:
        x.key(x.wait_for_window("^走棋方提示$"), "Escape")
        window = x.wait_for_window("^Tarvelle$")
        time.sleep(1)
        for _ in range(runs):
            watcher = subprocess.Popen(["xev", "-root", "-event", "substructure"], env=x.env(),
                                       stdout=subprocess.PIPE, text=True)
            time.sleep(0.5)
            x.xdotool("windowfocus", "--sync", window)
            pressed = time.monotonic()
            x.xdotool("key", "ctrl+o")
            for line in watcher.stdout:
                if line.startswith("MapNotify"):
                    opened.append(time.monotonic() - pressed)
                    break
            watcher.kill()
            watcher.wait()
            picker = x.wait_for_window("^选题$")
            x.xdotool("windowfocus", "--sync", picker)
            time.sleep(1)
            resident = max(resident, resident_kib(app.pid))
            for key in ("1", "2", "BackSpace", "BackSpace"):
                before = subprocess.run(["xwd", "-silent", "-id", picker], env=x.env(),
                                        capture_output=True).stdout
                pressed = time.monotonic()
                x.xdotool("key", key)
                deadline = pressed + 10
                while subprocess.run(["xwd", "-silent", "-id", picker], env=x.env(),
                                     capture_output=True).stdout == before:
                    if time.monotonic() > deadline:
                        raise RuntimeError("the picker did not change after " + key)
                typed.append(time.monotonic() - pressed)
                time.sleep(0.3)
            x.key(picker, "Escape")
            x.window_gone(picker)
    finally:
        app.kill()
        app.wait()
    print("puzzle picker of 100,000 rows in the program: Ctrl+O to mapped median %.0f ms, max %.0f "
          "ms; a key in the search box to the picker redrawn median %.0f ms, max %.0f ms (%d keys, "
          "each measured through an xwd grab); resident %d KiB with the picker open"
          % (1000 * statistics.median(opened), 1000 * max(opened), 1000 * statistics.median(typed),
             1000 * max(typed), len(typed), resident))


def picker_bench(x, program, runs):
    with open(os.path.join(os.path.dirname(program), "fens.txt"), "rb") as shipped:
        lines = shipped.read().decode("gbk").splitlines()
    data_home = puzzle_file(lines, 100000)
    copy = install(program, None)
    try:
        picker_times(x, copy, data_home, runs)
    finally:
        shutil.rmtree(data_home)
        shutil.rmtree(os.path.dirname(copy))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--engine", default="/usr/games/fairy-stockfish")
    parser.add_argument("--xboard", default="/usr/games/xboard",
                        help="XBoard, measured in its xiangqi variant without an engine")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--start-up-only", action="store_true")
    parser.add_argument("--picker-only", action="store_true")
    args = parser.parse_args()
    program = os.path.abspath(args.program)
    if args.picker_only:
        with XvfbSession() as x:
            picker_bench(x, program, args.runs)
        return
    bare = install(program, None)
    with_engine = install(program, args.engine)
    silent = silent_engine()
    with_silent_engine = install(program, silent)
    commands = {"no engine": [bare], "with its engine": [with_engine],
                "engine that never answers": [with_silent_engine]}
    if os.path.exists(args.xboard):
        commands["XBoard (xiangqi, no engine)"] = [args.xboard, "-variant", "xiangqi", "-ncp"]
    with XvfbSession() as x:
        medians = start_ups(x, commands, args.runs)
        alone = medians["no engine"]
        print("start-up with the engine / without: %.2f; with a silent engine / without: %.2f"
              % (medians["with its engine"] / alone, medians["engine that never answers"] / alone))
        if "XBoard (xiangqi, no engine)" in medians:
            xboard = medians["XBoard (xiangqi, no engine)"]
            print("start-up / XBoard's: no engine %.2f, with its engine %.2f"
                  % (alone / xboard, medians["with its engine"] / xboard))
        if args.start_up_only:
            return
        engine_alone = statistics.median(engine_alone_seconds(args.engine) for _ in range(args.runs))
        print("the engine by itself, start to ucciok: median %.0f ms" % (1000 * engine_alone))
        watch(x, bare, "Escape", args.seconds, "idle, no engine")
        watch(x, with_engine, "Escape", args.seconds, "idle, engine Ready")
        watch(x, with_engine, "Return", args.seconds, "engine searching")
        subprocess.run([os.path.join(os.path.dirname(program), "engine_move_bench"), "20"],
                       env=x.env(), check=True)
        subprocess.run([os.path.join(os.path.dirname(program), "picker_bench"), "100000", "10"],
                       env=x.env(), check=True)
        picker_bench(x, program, args.runs)
    for copy in (bare, with_engine, with_silent_engine, silent):
        shutil.rmtree(os.path.dirname(copy))


if __name__ == "__main__":
    main()
