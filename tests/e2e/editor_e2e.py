#!/usr/bin/env python3
"""Starts the built editor on a virtual X display and uses it as a person would, with real X
input only: pick a colour, draw, Clear, open the preferences, exit. Checks screenshots."""
import os
import subprocess
import sys
import tempfile
import time

SKIP = 77
editor, shots = sys.argv[1], sys.argv[2]
os.makedirs(shots, exist_ok=True)

RED = (0xCC, 0x00, 0x00)        # palette entry 2
BLACK = (0, 0, 0)
CHAR_GRID = (0xFF, 0xE0, 0x11)  # the character grid's yellow


def start_display():
    try:
        read, write = os.pipe()
        server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1920x1080x24",
                                   "-nolisten", "tcp"], pass_fds=[write], stderr=subprocess.DEVNULL)
    except FileNotFoundError:
        return None, None
    os.close(write)
    number = os.read(read, 16).decode().strip()
    if not number:
        server.kill()
        return None, None
    return server, ":" + number


class Screen:
    def __init__(self, display):
        self.env = dict(os.environ, DISPLAY=display)
        self.count = 0

    def run(self, *args):
        subprocess.run(args, env=self.env, check=True)

    def xdo(self, *args):
        self.run("xdotool", *map(str, args))
        time.sleep(0.15)

    def shot(self, name):
        self.count += 1
        path = os.path.join(shots, f"{self.count:02d}-{name}.png")
        self.run("import", "-window", "root", path)
        with tempfile.NamedTemporaryFile(suffix=".ppm") as ppm:
            self.run("convert", path, ppm.name)
            data = open(ppm.name, "rb").read()
        # P6 header: magic, width, height, maxval, then RGB bytes.
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            start = pos
            while not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        self.width, self.height = int(fields[1]), int(fields[2])
        self.pixels = data[pos + 1:]
        return path

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def find(self, color):
        for y in range(self.height):
            row = self.pixels[y * self.width * 3:(y + 1) * self.width * 3]
            i = row.find(bytes(color))
            while i >= 0 and i % 3:
                i = row.find(bytes(color), i + 1)
            if i >= 0:
                return i // 3, y
        return None


log_path = os.path.join(shots, "editor.log")


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what)
    if not condition:
        if app and app.poll() is None:
            app.kill()
            app.wait()
        print("the editor's output:\n" + open(log_path, errors="replace").read()[-3000:])
        sys.exit(1)


app = None
server, display = start_display()
if not server:
    print("SKIPPED: Xvfb cannot start here, so the editor was not driven through X")
    sys.exit(SKIP)
try:
    screen = Screen(display)
    log = open(log_path, "w")
    app = subprocess.Popen([editor], env=screen.env, stdout=log, stderr=log)
    origin = None
    for _ in range(50):
        time.sleep(0.2)
        screen.shot("start")
        origin = screen.find(CHAR_GRID)
        if origin:
            break
    check(origin is not None, "the zoom view shows its character grid")
    ox, oy = origin
    # The frame's client area begins under the menu bar, where the black surface starts.
    top = next(y for y in range(screen.height) if screen.pixel(1900, y) == BLACK)
    bottom = screen.height  # the palette bar is the frame's bottom 40 pixels
    check(screen.pixel(ox + 100, oy + 50) == BLACK, "the picture starts black")

    screen.xdo("mousemove", 118 + 16, bottom - 40 + 19, "click", 1)  # the red palette button
    screen.xdo("mousemove", ox + 60, oy + 50, "mousedown", 1)
    for x in range(60, 320, 20):
        screen.xdo("mousemove", ox + x, oy + 50)
    screen.xdo("mouseup", 1)
    time.sleep(0.3)
    screen.shot("drawn")
    check(screen.pixel(ox + 100, oy + 50) == RED, "the stroke shows in the zoom view")
    check(screen.pixel(ox + 300, oy + 50) == RED, "the stroke reaches where the pointer went")
    # Picture pixel (2, 2) is the 4 x 2 block at (10, 6) of the preview, which stands
    # 160 left of and 415 above the zoom window.
    px, py = ox - 160 + 10, oy - 415 + 6
    check(screen.pixel(px, py) == RED, "the stroke shows in the preview")

    screen.xdo("mousemove", 8 + 17, top + 272 + 17, "click", 1)  # Clear
    time.sleep(0.5)
    screen.shot("clear-asks")
    screen.xdo("key", "Return")
    time.sleep(0.5)
    screen.shot("cleared")
    check(screen.pixel(px, py) == BLACK, "Clear empties the preview")
    check(screen.pixel(ox + 100, oy + 50) == RED, "the zoom view keeps the old picture until it paints")

    screen.xdo("mousemove", 1900, 600, "click", 1)
    screen.xdo("key", "ctrl+p")
    time.sleep(0.6)
    screen.shot("preferences")
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "Vexloor preferences"],
                           env=screen.env, capture_output=True, text=True).stdout.split()
    check(bool(found), "Ctrl+P opens the preferences")
    screen.xdo("key", "Escape")
    time.sleep(0.5)
    screen.shot("after-preferences")
    check(screen.pixel(ox + 100, oy + 50) == BLACK, "closing the preferences repaints the zoom view")

    screen.xdo("mousemove", 15, top // 2, "click", 1)  # the File menu
    time.sleep(0.4)
    screen.shot("file-menu")
    screen.xdo("key", "x")  # E&xit
    time.sleep(0.5)
    screen.shot("exit-asks")
    check(app.poll() is None, "Exit asks before it ends the editor")
    screen.xdo("key", "Return")
    try:
        app.wait(timeout=10)
    except subprocess.TimeoutExpired:
        pass
    check(app.poll() == 0, "answering OK ends the editor with 0")
    print("1 passed, 0 failed")
finally:
    if app and app.poll() is None:
        app.kill()
    server.kill()
