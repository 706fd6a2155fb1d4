#!/usr/bin/env python3
"""Starts the built editor on virtual X displays of two common sizes and uses it as a person
would, with real X input only: keyboard shortcuts first, then drawing, Clear, the preferences,
the preview as the zoom view's map, and Exit; then recovery after a kill, and starts with a
settings file that is a named pipe. Checks what the screen shows.

Nothing waits a fixed time for the editor: each step waits until the screen (or the window with
the keyboard) shows what it should, for up to WAIT seconds, so that a busy machine only makes
the test slower and a fast one does not wait in vain. What must not have happened is checked
on the same screen as something that must have."""
import atexit
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
editor, shots = sys.argv[1], sys.argv[2]
os.makedirs(shots, exist_ok=True)
for old in os.listdir(shots):
    os.remove(os.path.join(shots, old))

RED = (0xCC, 0x00, 0x00)        # palette entry 2
PURPLE = (0xFF, 0x00, 0xFF)     # palette entry 5
LIGHT_GREEN = (0x80, 0xE8, 0x88)  # palette entry 13
BLACK = (0, 0, 0)
CHAR_GRID = (0xFF, 0xE0, 0x11)  # the character grid's yellow

# The editor's palette, colour index to RGB.
PALETTE = [(0x00, 0x00, 0x00), (0xFF, 0xFF, 0xFF), (0xCC, 0x00, 0x00), (0x00, 0xFF, 0xFF),
           (0x00, 0xCC, 0x00), (0xFF, 0x00, 0xFF), (0x00, 0x00, 0xC0), (0xFF, 0xE0, 0x11),
           (0xD8, 0x70, 0x00), (0x78, 0x40, 0x00), (0xF0, 0x8A, 0x8A), (0x55, 0x55, 0x55),
           (0x99, 0x99, 0x99), (0x80, 0xE8, 0x88), (0x00, 0x88, 0xFF), (0xCC, 0xCC, 0xCC)]

# Where the children stand in the frame's area; the client areas keep the same offsets.
PREVIEW_FROM_ZOOM = (20 - 180, 5 - 420)
INFO_FROM_ZOOM = (700 - 180, 10 - 420)


# How long a step may take on a busy machine before it counts as not done.
WAIT = 30


def until(condition, timeout=WAIT):
    """Whether `condition` came to hold within `timeout` seconds, asked every tenth of one."""
    end = time.monotonic() + timeout
    while not condition():
        if time.monotonic() > end:
            return False
        time.sleep(0.1)
    return True


class Failed(Exception):
    pass


def start_display(width, height):
    try:
        read, write = os.pipe()
        # Without -noreset the server resets once its last client has gone, and an editor
        # started again at that moment finds no display.
        server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0",
                                   f"{width}x{height}x24", "-nolisten", "tcp", "-noreset"],
                                  pass_fds=[write], stderr=subprocess.DEVNULL)
    except FileNotFoundError:
        return None, None
    os.close(write)
    number = os.read(read, 16).decode().strip()
    if not number:
        server.kill()
        return None, None
    return server, ":" + number


def read_image(path):
    """An image file's width, height and RGB bytes, through ImageMagick's PPM."""
    data = subprocess.run(["convert", path, "ppm:-"], capture_output=True, check=True).stdout
    # P6 header: magic, width, height, maxval, then RGB bytes.
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    return int(fields[1]), int(fields[2]), data[pos + 1:]


class Screen:
    def __init__(self, display, name):
        # A home of its own: the editor starts as on a first run, whatever settings the person
        # running the tests has saved, and writes none of theirs.
        home = tempfile.mkdtemp(prefix="vexlor-e2e-home-")
        atexit.register(shutil.rmtree, home, True)
        self.env = dict(os.environ, DISPLAY=display, HOME=home,
                        XDG_CONFIG_HOME=os.path.join(home, ".config"),
                        XDG_DATA_HOME=os.path.join(home, ".local", "share"))
        self.name = name
        self.count = 0

    def run(self, *args):
        subprocess.run(args, env=self.env, check=True)

    def xdo(self, *args):
        # A short pause between pointer moves, so that the editor takes each one on its own.
        self.run("xdotool", *map(str, args))
        time.sleep(0.05)

    def key(self, keys):
        self.run("xdotool", "key", keys)

    def window_shown(self, caption):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{caption}$"],
                               env=self.env, capture_output=True, text=True).stdout.split()
        return bool(found)

    def keyboard_window(self):
        """The caption of the window with the keyboard; empty while none has it."""
        return subprocess.run(["xdotool", "getwindowfocus", "getwindowname"], env=self.env,
                              capture_output=True, text=True).stdout.strip()

    def keyboard_pid(self):
        """The process whose window has the keyboard; None while none has it."""
        pid = subprocess.run(["xdotool", "getwindowfocus", "getwindowpid"], env=self.env,
                             capture_output=True, text=True).stdout.strip()
        return int(pid) if pid.isdigit() else None

    def keyboard_in(self, caption):
        """Whether the window with the keyboard is the one whose caption begins so."""
        return self.keyboard_window().startswith(caption)

    def key_to(self, caption, keys):
        """Types `keys` once the window named `caption` has the keyboard."""
        check(until(lambda: self.keyboard_in(caption)), f"the window \"{caption}\" takes the keyboard")
        self.key(keys)

    def shot(self, label):
        self.count += 1
        path = os.path.join(shots, f"{self.name}-{self.count:02d}-{label}.png")
        self.run("import", "-window", "root", path)
        self.width, self.height, self.pixels = read_image(path)
        return path

    def shows(self, label, condition, timeout=WAIT):
        """Takes screenshots until one shows `condition`; the last one stays as `label`."""
        def seen():
            path = self.shot(label)
            if condition():
                return True
            os.remove(path)
            self.count -= 1
            return False
        if until(seen, timeout):
            return True
        self.shot(label)
        return False

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.pixels[i:i + 3])

    def area_is(self, left, top, right, bottom, color):
        return all(self.pixel(x, y) == color
                   for y in range(top, bottom + 1) for x in range(left, right + 1))

    def find(self, color):
        for y in range(self.height):
            row = self.pixels[y * self.width * 3:(y + 1) * self.width * 3]
            i = row.find(bytes(color))
            while i >= 0 and i % 3:
                i = row.find(bytes(color), i + 1)
            if i >= 0:
                return i // 3, y
        return None


def check(condition, what):
    print(("ok    " if condition else "FAIL  ") + what)
    if not condition:
        raise Failed(what)


class Session:
    """One run of the editor on one screen."""

    def __init__(self, screen, log_path, **environment):
        self.screen = screen
        self.log = open(log_path, "w")
        # Settings of its own, so that what a user chose (the palette) never shows here.
        settings = tempfile.mkdtemp(prefix="vexlor-e2e-settings-")
        atexit.register(shutil.rmtree, settings, True)
        self.app = subprocess.Popen([editor], env={**screen.env, "XDG_CONFIG_HOME": settings,
                                                   **environment},
                                    stdout=self.log, stderr=self.log)

    def frame_shown(self):
        """Whether this editor's frame is on the screen."""
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.app.pid),
                               "--name", f"^{FRAME}$"], env=self.screen.env,
                              capture_output=True).returncode == 0

    def wait_for_view(self):
        s = self.screen
        if s.shows("start", lambda: s.find(CHAR_GRID) is not None, 2 * WAIT):
            origin = s.find(CHAR_GRID)
            if origin:
                self.zoom = origin
                self.preview = (origin[0] + PREVIEW_FROM_ZOOM[0], origin[1] + PREVIEW_FROM_ZOOM[1])
                self.info = (origin[0] + INFO_FROM_ZOOM[0], origin[1] + INFO_FROM_ZOOM[1])
                # The frame's client area begins under the menu bar, where the surface starts.
                self.top = next(y for y in range(s.height) if s.pixel(s.width - 30, y) == BLACK)
                self.bottom = s.height  # the palette bar is the frame's bottom 40 pixels
                return True
        return False

    def palette_button(self, index):
        lefts = [57, 88, 118, 151, 183, 216, 248, 280, 312, 344, 378, 410, 443, 476, 508, 540]
        return lefts[index] + 16, self.bottom - 40 + 19

    def tool_button(self, top):
        return 8 + 17, self.top + top + 17

    def click(self, x, y, button=1):
        self.screen.xdo("mousemove", x, y, "click", button)

    def stop(self):
        if self.app.poll() is None:
            self.app.kill()
            self.app.wait()


FRAME = "Vexlor v0.1"
QUESTION = "Vexloor"
PREFERENCES = "Vexloor preferences"


def keyboard_first(session):
    """Shortcuts work at once, before anything has been clicked, and after each dialog."""
    s = session.screen
    s.key_to(FRAME, "ctrl+o")
    check(until(lambda: s.window_shown(QUESTION)), "Ctrl+O right after start-up asks first")
    s.key_to(QUESTION, "Escape")
    check(until(lambda: not s.window_shown(QUESTION)), "Esc answers the question")
    s.key_to(FRAME, "ctrl+p")
    check(until(lambda: s.window_shown(PREFERENCES)), "Ctrl+P after a dialog opens the preferences")
    s.key_to(PREFERENCES, "Escape")
    check(until(lambda: not s.window_shown(PREFERENCES)), "Esc closes the preferences")
    s.key_to(FRAME, "alt+f")
    time.sleep(0.3)  # the menu takes the keys that follow once it is up; nothing shows it to X
    s.key("x")  # E&xit, from the File menu opened by Alt+F
    check(until(lambda: s.window_shown(QUESTION)), "Alt+F, X asks before leaving")
    s.key_to(QUESTION, "Escape")
    check(until(lambda: not s.window_shown(QUESTION)) and session.app.poll() is None,
          "Cancel keeps the editor running")


def paint_stroke(session, colour, y):
    """Drags across the zoom view at screen row `y` in palette entry `colour`."""
    s = session.screen
    ox = session.zoom[0]
    session.click(*session.palette_button(colour))
    s.xdo("mousemove", ox + 60, y, "mousedown", 1)
    for x in range(60, 320, 20):
        s.xdo("mousemove", ox + x, y)
        time.sleep(0.1)
    s.xdo("mouseup", 1)


def draw_clear_preferences(session):
    s = session.screen
    ox, oy = session.zoom
    s.shot("view")
    check(s.pixel(ox + 100, oy + 50) == BLACK, "the picture starts black")
    paint_stroke(session, 2, oy + 50)
    # Picture pixel (2, 2) is the preview's 4 x 2 block at (10, 6).
    px, py = session.preview[0] + 10, session.preview[1] + 6
    check(s.shows("drawn", lambda: s.pixel(ox + 300, oy + 50) == RED and s.pixel(px, py) == RED),
          "the stroke reaches where the pointer went, in the zoom view and the preview")
    check(s.pixel(ox + 100, oy + 50) == RED, "the stroke shows in the zoom view")
    ix, iy = session.info
    check(s.shows("info", lambda: s.area_is(ix + 160, iy + 50, ix + 199, iy + 89, RED)),
          "the information window shows the draw colour as a solid block")
    check(s.area_is(ix + 200, iy + 66, ix + 215, iy + 105, BLACK) and
          s.area_is(ix + 176, iy + 90, ix + 199, iy + 105, BLACK),
          "the background colour shows as an unbroken rim below and right of it")
    check(s.area_is(ix + 20, iy + 70, ix + 45, iy + 85, RED),
          "Color1 shows the red of the row under the pointer")

    s.key_to(FRAME, "ctrl+z")
    check(s.shows("undone", lambda: s.pixel(ox + 100, oy + 50) == BLACK and
                  s.pixel(ox + 300, oy + 50) == BLACK),
          "Ctrl+Z takes the whole stroke back in the zoom view")
    check(s.shows("undone", lambda: s.pixel(px, py) == BLACK), "... and in the preview")
    s.key_to(FRAME, "ctrl+y")
    check(s.shows("redone", lambda: s.pixel(ox + 100, oy + 50) == RED and s.pixel(px, py) == RED),
          "Ctrl+Y brings it back in both views")

    session.click(*session.tool_button(272))  # Clear
    check(until(lambda: s.window_shown(QUESTION)), "Clear asks first")
    s.shot("clear-asks")
    s.key_to(QUESTION, "Return")
    check(s.shows("cleared", lambda: s.pixel(px, py) == BLACK), "Clear empties the preview")
    check(s.shows("cleared", lambda: s.pixel(ox + 100, oy + 50) == BLACK),
          "... and the zoom view, so nothing is painted into the old picture")

    s.key_to(FRAME, "ctrl+p")
    check(until(lambda: s.window_shown(PREFERENCES)), "Ctrl+P opens the preferences")
    s.shot("preferences")
    s.key_to(PREFERENCES, "Escape")
    check(s.shows("after-preferences", lambda: s.pixel(ox + 100, oy + 50) == BLACK),
          "closing the preferences repaints the zoom view")


def drawing_tools(session):
    """Fill, line, rectangle and pick colour, chosen from the keyboard and used with the mouse."""
    s = session.screen
    ox, oy = session.zoom

    def view(column, row):
        return ox + column * 40 + 20, oy + row * 20 + 10

    def preview(column, row):
        return session.preview[0] + 4 * column + 3, session.preview[1] + 2 * row + 2

    def drawn(what):  # how an information-window swatch shows the draw colour chosen
        ix, iy = session.info
        return lambda: s.area_is(ix + 160, iy + 50, ix + 199, iy + 89, what)

    s.xdo("mousemove", *view(5, 5))
    s.key_to(FRAME, "g")
    s.key("5")
    check(s.shows("purple", drawn(PURPLE)), "5 makes purple the draw colour")
    session.click(*view(5, 5))
    check(s.shows("filled", lambda: s.pixel(*view(0, 0)) == PURPLE and
                  s.pixel(*view(15, 23)) == PURPLE),
          "G, 5 and a click fill the empty picture in purple")
    check(s.pixel(*preview(159, 0)) == PURPLE and s.pixel(*preview(20, 150)) == PURPLE,
          "... and the preview shows it at once")

    s.key("l")
    s.key("2")
    check(s.shows("red", drawn(RED)), "2 makes red the draw colour")
    s.xdo("mousemove", *view(1, 1), "mousedown", 1)
    for column in range(2, 9):
        s.xdo("mousemove", *view(column, 1 + column // 3))
    s.xdo("mousemove", *view(6, 3))
    check(s.shows("line-dragged", lambda: s.pixel(*view(6, 3)) == RED and
                  s.pixel(*view(8, 3)) == PURPLE),
          "the line shows while it is dragged")
    check(s.pixel(*preview(6, 3)) == PURPLE, "... but the picture has not changed yet")
    s.xdo("mouseup", 1)
    check(s.shows("line", lambda: s.pixel(*preview(1, 1)) == RED and
                  s.pixel(*preview(6, 3)) == RED),
          "the line shows in the preview")
    check(all(s.pixel(*view(c, r)) == RED for c, r in [(1, 1), (3, 2), (4, 2), (6, 3)]),
          "L draws a line from the press to the release")
    check(s.pixel(*view(8, 3)) == PURPLE, "... and nothing where the pointer only passed")

    s.key("r")
    s.key("d")
    check(s.shows("light-green", drawn(LIGHT_GREEN)), "D makes light green the draw colour")
    s.xdo("mousemove", *view(8, 6), "mousedown", 1)
    s.xdo("mousemove", *view(10, 8))
    s.xdo("mousemove", *view(12, 10))
    s.xdo("mouseup", 1)
    check(s.shows("rectangle", lambda: all(s.pixel(*view(c, r)) == LIGHT_GREEN
                                           for c, r in [(8, 6), (12, 6), (8, 10), (12, 10),
                                                        (10, 6)])),
          "R draws the rectangle's outline")
    check(s.pixel(*view(10, 8)) == PURPLE, "... leaving its inside as it was")

    s.key("k")
    time.sleep(0.3)  # nothing on the screen shows the tool chosen
    session.click(*view(3, 2))
    check(s.shows("picked", drawn(RED)), "K and a click on the line make red the draw colour")


def drawn_picture(x, y):
    """A picture in the editor's colours that a C64 shows exactly: black and three colours of
    its own in every cell, green (4) and purple (5) among them."""
    cell = x // 4 + y // 8 * 40
    own = [1 + cell % 15, 1 + (cell + 4) % 15, 1 + (cell + 9) % 15]
    return ([0] + own)[(x + y) % 4]


def koala_pixel(koala, x, y):
    """The editor's colour index of pixel (x, y) of a Koala file's bytes."""
    cx, cy, row = x // 4, y // 8, y % 8
    bits = koala[2 + cy * 320 + cx * 8 + row] >> (6 - 2 * (x % 4)) & 3
    screen, colour = koala[8002 + cy * 40 + cx], koala[9002 + cy * 40 + cx]
    c64 = [koala[10002], screen >> 4, screen & 15, colour][bits] & 15
    return {4: 5, 5: 4}.get(c64, c64)


def type_file_name(screen, path):
    """Types the path into the file dialog, once it has the keyboard."""
    def in_file_dialog():
        name = screen.keyboard_window()
        return name and not name.startswith(FRAME) and name != QUESTION
    check(until(in_file_dialog), "the file dialog takes the keyboard")
    screen.run("xdotool", "type", "--delay", "20", path)
    screen.key("Return")


def import_export(session):
    """Import a PNG, export it as Koala and as PNG, all through the real dialogs."""
    s = session.screen
    ox, oy = session.zoom
    folder = tempfile.mkdtemp(prefix="vexlor-e2e-")
    atexit.register(shutil.rmtree, folder, True)
    ppm = os.path.join(folder, "drawn.ppm")
    with open(ppm, "wb") as out:
        out.write(b"P6 160 200 255\n")
        out.write(bytes(c for y in range(200) for x in range(160)
                        for c in PALETTE[drawn_picture(x, y)]))
    source = os.path.join(folder, "drawn.png")
    subprocess.run(["convert", ppm, source], check=True)

    s.key_to(FRAME, "ctrl+i")
    check(until(lambda: s.window_shown(QUESTION)), "Ctrl+I asks first, like Open")
    s.key_to(QUESTION, "Return")
    type_file_name(s, source)
    check(until(lambda: s.window_shown("Import picture")), "the file chosen opens the conversion")
    s.shot("import-dialog")
    s.key_to("Import picture", "Return")
    check(s.shows("imported", lambda: all(
        s.pixel(ox + c * 40 + 20, oy + r * 20 + 10) == PALETTE[drawn_picture(c, r)]
        for c in range(16) for r in range(24))),
        "the imported picture shows in the zoom view, pixel for pixel")
    # The lower row of each 4 x 2 block: the zoom view's frame runs along the top of its area.
    check(all(s.pixel(session.preview[0] + 4 * x + 3, session.preview[1] + 2 * y + 3) ==
              PALETTE[drawn_picture(x, y)] for x in range(0, 160, 7) for y in range(0, 120, 5)),
          "... and in the preview")

    s.key_to(FRAME, "alt+p")
    time.sleep(0.3)  # the menu takes the keys that follow once it is up
    s.key("k")
    type_file_name(s, os.path.join(folder, "exported"))
    koala_path = os.path.join(folder, "exported.koa")
    check(until(lambda: os.path.exists(koala_path) and os.path.getsize(koala_path) == 10003),
          "Export as Koala writes the name typed, with .koa added")
    koala = open(koala_path, "rb").read()
    check(len(koala) == 10003 and koala[:2] == b"\x00\x60",
          "it is a standard Koala file: 10003 bytes, loading at $6000")
    check(all(koala_pixel(koala, x, y) == drawn_picture(x, y)
              for y in range(200) for x in range(160)),
          "its bitmap, screen and colour bytes give back every pixel, green and purple too")

    s.key_to(FRAME, "alt+p")
    time.sleep(0.3)
    s.key("n")
    type_file_name(s, os.path.join(folder, "exported"))
    check(until(lambda: s.window_shown("Export as PNG")), "the PNG export offers its options")
    s.shot("png-options")
    s.key_to("Export as PNG", "Return")
    png_path = os.path.join(folder, "exported.png")
    check(until(lambda: s.window_shown("Export as PNG") is False and os.path.exists(png_path)),
          "Export as PNG writes the name typed, with .png added")
    width, height, pixels = read_image(png_path)
    check((width, height) == (320, 200), "the PNG is 320 x 200")

    def png(x, y):
        return tuple(pixels[(y * width + x) * 3:(y * width + x) * 3 + 3])
    check(all(png(2 * x, y) == png(2 * x + 1, y) == PALETTE[drawn_picture(x, y)]
              for y in range(200) for x in range(160)),
          "each picture pixel is two PNG pixels in the colours the editor shows")


def exit_editor(session):
    s = session.screen
    s.key_to(FRAME, "alt+f")
    time.sleep(0.3)
    s.shot("file-menu")
    s.key("x")
    check(until(lambda: s.window_shown(QUESTION)), "Exit asks first")
    s.shot("exit-asks")
    check(session.app.poll() is None, "Exit asks before it ends the editor")
    s.key_to(QUESTION, "Return")
    try:
        session.app.wait(timeout=WAIT)
    except subprocess.TimeoutExpired:
        pass
    check(session.app.poll() == 0, "answering OK ends the editor with 0")


RECOVERY = "Vexlor"


def preview_pixels(session):
    """The preview's picture area as the last screenshot shows it, but its bottom rows, which
    the zoom view's caption covers on a small screen."""
    s, (left, top) = session.screen, session.preview
    return [s.pixel(x, y) for y in range(top, top + 380) for x in range(left, left + 640)]


def recovery_after_a_kill(session):
    """After a clean Exit nothing is offered; a second editor is never offered a running one's
    copy; a killed editor's picture is offered at the next start and Return brings it back."""
    s = session.screen
    copies = os.path.join(s.env["XDG_DATA_HOME"], "Vexlor", "Vexlor", "recovery")
    started = []

    def start(label):
        editor_session = Session(s, os.path.join(shots, f"{s.name}-{label}.log"))
        started.append(editor_session)
        return editor_session

    def copy_count():
        return len([n for n in os.listdir(copies) if n.endswith(".vxrc")]) \
            if os.path.isdir(copies) else 0

    try:
        first = start("killed")
        check(first.wait_for_view(), "the editor starts again after Exit")
        ox, oy = first.zoom
        paint_stroke(first, 2, oy + 90)
        check(s.shows("painted-again", lambda: s.pixel(ox + 300, oy + 90) == RED) and
              not s.window_shown(RECOVERY),
              "after a clean Exit the next start asks nothing: the new editor paints at once")
        check(until(lambda: copy_count() == 1), "a recovery copy follows the stroke")
        kept = preview_pixels(first)

        second = start("second")
        check(until(second.frame_shown), "a second editor starts while the first runs")
        check(until(lambda: s.keyboard_pid() == second.app.pid), "the second editor has the keyboard")
        s.key("ctrl+o")
        check(until(lambda: s.window_shown(QUESTION)) and not s.window_shown(RECOVERY),
              "the second editor is not offered the first one's copy: Ctrl+O asks at once")
        s.key_to(QUESTION, "Escape")
        second.stop()

        first.app.send_signal(signal.SIGKILL)
        first.app.wait()
        third = start("recovers")
        check(until(lambda: s.window_shown(RECOVERY)), "the start after SIGKILL asks to recover")
        s.shot("recovery-question")
        check(until(lambda: s.keyboard_window() == RECOVERY), "the question has the keyboard")
        s.key("Return")
        check(s.shows("recovered", lambda: not s.window_shown(RECOVERY) and
                      preview_pixels(first) == kept and s.pixel(ox + 300, oy + 90) == RED),
              "Return recovers: every painted pixel is back, in the preview and the zoom view")
    finally:
        for editor_session in started:
            editor_session.stop()


def preview_as_map(session):
    """A click and a drag on the preview move the zoom view, whose drawing area stays in sight."""
    s = session.screen
    px, py = session.preview

    def framed_at(column, row):
        """Whether the view's dashed frame runs along the top of picture pixels column to
        column + 3 of the row: four black, then four white preview pixels."""
        y = 2 + 2 * row
        return all(s.pixel(px + x, py + y) == ((0xFF, 0xFF, 0xFF) if (x + y) // 4 % 2 else BLACK)
                   for x in range(2 + 4 * column, 2 + 4 * column + 16))

    def at_pixel(column, row):
        return px + 2 + 4 * column + 1, py + 2 + 2 * row

    def zoom_top_in_sight():
        """The character grid's lines along the top and down the left of the drawing area."""
        ox, oy = session.zoom
        return s.area_is(ox, oy, ox + 639, oy, CHAR_GRID) and s.area_is(ox, oy, ox, oy + 120,
                                                                        CHAR_GRID)

    # Picture pixel (80, 100) at the view's middle: the view's corner goes to (72, 88).
    session.click(*at_pixel(80, 100))
    check(s.shows("map-click", lambda: framed_at(72, 88) and zoom_top_in_sight()),
          "a click on the preview moves the view and leaves the zoom view's top in sight")
    s.xdo("mousemove", *at_pixel(40, 60), "mousedown", 1)
    s.xdo("mousemove", *at_pixel(32, 44))
    s.xdo("mouseup", 1)
    check(s.shows("map-drag", lambda: framed_at(24, 32) and zoom_top_in_sight()),
          "a drag on it follows the pointer, the zoom view still in sight")


def settings_pipes(session):
    """The editor starts whichever settings file Qt could read is a named pipe: the user's, the
    organisation's beside it, and those of the system's configuration folder."""
    s = session.screen
    places = ["home/Vexlor/Vexlor.conf", "home/Vexlor.conf", "system/Vexlor/Vexlor.conf",
              "system/Vexlor.conf"]
    for n, place in enumerate(places):
        folder = tempfile.mkdtemp(prefix="vexlor-e2e-pipes-")
        atexit.register(shutil.rmtree, folder, True)
        pipe = os.path.join(folder, place)
        os.makedirs(os.path.dirname(pipe), exist_ok=True)
        os.mkfifo(pipe)
        started = Session(s, os.path.join(shots, f"{s.name}-pipe-{n}.log"),
                          XDG_CONFIG_HOME=os.path.join(folder, "home"),
                          XDG_CONFIG_DIRS=os.path.join(folder, "system"))
        try:
            check(until(started.frame_shown, 2 * WAIT), f"the editor starts with {place} a pipe")
        finally:
            started.stop()


SCREENS = [
    ((1920, 1080), [keyboard_first, draw_clear_preferences, drawing_tools, import_export,
                    preview_as_map, exit_editor]),
    ((1366, 768), [keyboard_first, draw_clear_preferences, preview_as_map, exit_editor,
                   recovery_after_a_kill, settings_pipes]),
]


def run_on(size, scenarios):
    width, height = size
    server, display = start_display(width, height)
    if not server:
        return None
    name = f"{width}x{height}"
    log_path = os.path.join(shots, f"{name}-editor.log")
    session = None
    try:
        print(f"-- on a {name} screen")
        session = Session(Screen(display, name), log_path)
        check(session.wait_for_view(), "the zoom view shows its character grid")
        for scenario in scenarios:
            scenario(session)
        return True
    except Failed:
        print("the editor's output:\n" + open(log_path, errors="replace").read()[-3000:])
        return False
    finally:
        if session:
            session.stop()
        server.kill()


results = [run_on(size, scenarios) for size, scenarios in SCREENS]
if results[0] is None:
    print("SKIPPED: Xvfb cannot start here, so the editor was not driven through X")
    sys.exit(SKIP)
if not all(results):
    sys.exit(1)
print(f"{len(results)} passed, 0 failed")
