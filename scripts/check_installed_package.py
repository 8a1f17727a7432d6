#!/usr/bin/env python3
"""The timed part of scripts/check-package.sh: in the Debian root ROOT (a chroot with the package
file in /tmp and a user USER), `apt install` the package, then start `tarvelle` from the user's
login shell in /tmp and the desktop entry's Exec line in the user's home, each in an Xvfb of this
machine, and check the window, the pieces and the engine as the install test does. Prints the time
from `apt install` to the window mapped.

usage: check_installed_package.py ROOT DEB_NAME USER
"""

import os
import shlex
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "install"))
from install_test import check_program_window, check_without_display, desktop_command  # noqa: E402
from x11_session import XvfbSession  # noqa: E402


def main():
    root, deb, user = sys.argv[1:4]

    # A desktop install sets a UTF-8 locale, which a debootstrap lacks; Qt then writes the legacy
    # window names in a way the window search does not read.
    def as_user(line):
        return ["chroot", root, "runuser", "--login", user, "--command", "export LANG=C.UTF-8; " + line]

    engine = os.path.join(root, "usr/games/fairy-stockfish")
    with XvfbSession() as x:
        started = time.monotonic()
        subprocess.run(["chroot", root, "sh", "-c", "cd /tmp && apt install -y ./" + deb],
                       env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"), check=True)
        installed = time.monotonic() - started
        mapped = check_program_window(
            x, as_user("cd /tmp && DISPLAY=%s exec tarvelle" % x.display), os.environ, engine)
        print("apt install: %.1f s; then the window mapped after %.1f s; in all %.1f s"
              % (installed, mapped, installed + mapped))

        desktop = shlex.join(desktop_command(os.path.join(root, "usr")))
        check_program_window(x, as_user("DISPLAY=%s exec %s" % (x.display, desktop)), os.environ,
                             engine)
        print("the desktop entry's Exec line (%s) starts the same" % desktop)
    check_without_display(as_user("cd /tmp && exec tarvelle"), os.environ)
    print("without a display: one line and exit status 1")


if __name__ == "__main__":
    sys.exit(main())
