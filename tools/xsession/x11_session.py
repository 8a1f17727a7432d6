"""A throw-away X server and the few things the smoke test does in it: find windows, click,
press keys and read back the pixels of a window; and the child processes of a program."""

import os
import struct
import subprocess
import tempfile
import time
import zlib


class XvfbSession:
    """Starts Xvfb on a free display; stops it on exit."""

    def __enter__(self):
        # A server that goes away at once (a display another run grabbed) is replaced.
        for _ in range(3):
            self._start()
            probe = subprocess.run(["xdotool", "getdisplaygeometry"], env=self.env(),
                                   capture_output=True, timeout=30)
            if probe.returncode == 0:
                return self
            self.__exit__()
        raise RuntimeError("Xvfb does not answer")

    def _start(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as display_number:
            number = display_number.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number

    def __exit__(self, *exc):
        self.server.terminate()
        self.server.wait(timeout=10)

    def env(self):
        env = dict(os.environ, DISPLAY=self.display)
        env.pop("QT_QPA_PLATFORM", None)
        return env

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env(), check=True,
                              capture_output=True, text=True, timeout=30).stdout

    def wait_for_window(self, title_pattern, timeout=60):
        """The id of the first visible window whose title matches, waiting for it to appear."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title_pattern],
                                   env=self.env(), capture_output=True, text=True, timeout=30)
            ids = found.stdout.split()
            if ids:
                return ids[0]
            time.sleep(0.1)
        raise TimeoutError("no window titled " + title_pattern)

    def window_gone(self, window, timeout=30):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            shown = subprocess.run(["xdotool", "getwindowname", window], env=self.env(),
                                   capture_output=True, timeout=30)
            visible = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                                     env=self.env(), capture_output=True, text=True, timeout=30)
            if shown.returncode != 0 or window not in visible.stdout.split():
                return True
            time.sleep(0.1)
        return False

    def click(self, window, x, y):
        self.xdotool("mousemove", "--window", window, str(x), str(y))
        self.xdotool("click", "1")

    def key(self, window, *keys):
        self.xdotool("windowfocus", "--sync", window)
        self.xdotool("key", "--clearmodifiers", *keys)

    def grab(self, window):
        """The window's pixels as (width, height, rows of (r, g, b) tuples)."""
        dump = subprocess.run(["xwd", "-silent", "-id", window], env=self.env(), check=True,
                              capture_output=True, timeout=30).stdout
        return parse_xwd(dump)


def parse_xwd(dump):
    """Reads a 24/32-bit TrueColor ZPixmap XWD dump, as xwd writes for an Xvfb screen."""
    fields = struct.unpack(">25I", dump[:100])
    header_size, _, _, depth, width, height = fields[:6]
    byte_order, bits_per_pixel, bytes_per_line = fields[7], fields[11], fields[12]
    red_mask, green_mask, blue_mask = fields[14:17]
    colormap_entries = fields[19]
    if bits_per_pixel != 32 or depth < 24:
        raise ValueError("unexpected XWD pixel format %d/%d" % (bits_per_pixel, depth))
    data = dump[header_size + 12 * colormap_entries:]
    order = "<" if byte_order == 0 else ">"

    def shift(mask):
        return (mask & -mask).bit_length() - 1

    shifts = shift(red_mask), shift(green_mask), shift(blue_mask)
    rows = []
    for y in range(height):
        line = struct.unpack_from(order + "%dI" % width, data, y * bytes_per_line)
        rows.append([((p >> shifts[0]) & 255, (p >> shifts[1]) & 255, (p >> shifts[2]) & 255)
                     for p in line])
    return width, height, rows


def write_png(path, image):
    """Writes (width, height, rows) as an RGB PNG."""
    width, height, rows = image
    raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in rows)

    def chunk(kind, payload):
        body = kind + payload
        return struct.pack(">I", len(payload)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def child_pids(parent):
    """Pids of the processes whose parent is `parent`, running or not yet reaped."""
    found = []
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open("/proc/%s/stat" % entry) as stat:
                    # "pid (name) state ppid ...": the name may hold blanks and parentheses.
                    if int(stat.read().rsplit(")", 1)[1].split()[1]) == parent:
                        found.append(int(entry))
            except (OSError, IndexError):
                pass
    return found


def scratch_directory():
    return tempfile.mkdtemp(prefix="tarvelle-smoke-")
