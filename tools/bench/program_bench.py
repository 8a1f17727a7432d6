#!/usr/bin/env python3
"""Measures the real program under Xvfb: time from start to the first shown window, and the
processor time its idle loop uses while nobody touches it.

usage: program_bench.py PROGRAM [--runs N] [--idle-seconds S]
"""

import argparse
import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "xsession"))
from x11_session import XvfbSession, scratch_directory  # noqa: E402



def cpu_seconds(pid):
    """Processor time of all the threads of a process, from the scheduler's own nanosecond count
    (finer than the tick-based user and system times)."""
    total = 0
    for task in os.listdir("/proc/%d/task" % pid):
        with open("/proc/%d/task/%s/schedstat" % (pid, task)) as stat:
            total += int(stat.read().split()[0])
    return total / 1e9


def first_window_seconds(x, program):
    started = time.monotonic()
    app = subprocess.Popen([program], cwd=scratch_directory(), env=x.env())
    try:
        while True:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Tarvelle$"],
                                   env=x.env(), capture_output=True, text=True)
            if found.stdout.strip():
                return time.monotonic() - started
            if app.poll() is not None or time.monotonic() - started > 60:
                raise RuntimeError("the program showed no window")
            time.sleep(0.005)
    finally:
        app.kill()
        app.wait()


def idle_share(x, program, seconds):
    app = subprocess.Popen([program], cwd=scratch_directory(), env=x.env())
    try:
        question = x.wait_for_window("^走棋方提示$")
        x.key(question, "Return")
        time.sleep(2)
        before = cpu_seconds(app.pid)
        time.sleep(seconds)
        return (cpu_seconds(app.pid) - before) / seconds
    finally:
        app.kill()
        app.wait()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--idle-seconds", type=float, default=10)
    args = parser.parse_args()
    program = os.path.abspath(args.program)
    with XvfbSession() as x:
        starts = [first_window_seconds(x, program) for _ in range(args.runs)]
        print("start-up to first shown window: median %.0f ms, min %.0f ms, max %.0f ms (%d runs)"
              % (1000 * statistics.median(starts), 1000 * min(starts), 1000 * max(starts), args.runs))
        share = idle_share(x, program, args.idle_seconds)
        print("idle loop: %.2f%% of one core over %.0f s" % (100 * share, args.idle_seconds))


if __name__ == "__main__":
    main()
