"""Drives the real main window on an X display with the keyboard alone, as a
person would, and photographs it: each of the six pages (switched with
Ctrl+Tab), the demo route chosen on the Clearing page and "Delete
duplicates" run, then a question box. Checks the title, that no picture is
blank, that each page switch changes the picture and six of them come back
to the first page, that the .ref left matches the expected bytes, and that
the window closes with exit code 0 on Alt+F4.

usage: window_check.py <pictures folder> <route .ref> <expected .ref> <command...>

Runs in the folder whose conv.ini the program reads (English captions, the
MSTS root of the demo installation)."""

import array
import collections
import os
import struct
import subprocess
import sys
import time
import zlib

from Xlib import X, XK, display as xdisplay
from Xlib.ext import xtest

TITLE = "Rastolin - v1.2b"
PAGES = ["textures", "shapes", "adding", "clearing", "comparison", "settings"]
CLEARING = PAGES.index("clearing")


class Failure(Exception):
    pass


class Screen:
    def __init__(self):
        self.display = xdisplay.Display()
        self.root = self.display.screen().root

    def windows(self):
        """The viewable top-level windows with a name (no window manager
        reparents them)."""
        found = []
        for window in self.root.query_tree().children:
            try:
                name = window.get_wm_name()
                if name and window.get_attributes().map_state == X.IsViewable:
                    found.append((window, name))
            except Exception:
                continue  # gone meanwhile
        return found

    def wait_for(self, title, timeout, other_than=()):
        deadline = time.time() + timeout
        while time.time() < deadline:
            for window, name in self.windows():
                if (title is None or name == title) and window.id not in other_than:
                    return window, name
            time.sleep(0.2)
        return None, None

    def picture(self, window):
        """The window's pixels as 32-bit values, with its width and height."""
        geometry = window.get_geometry()
        image = window.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF)
        pixels = array.array("I", image.data)
        return pixels, geometry.width, geometry.height

    def settled(self, window, timeout=20):
        """The picture once two looks half a second apart agree."""
        previous = self.picture(window)
        deadline = time.time() + timeout
        while time.time() < deadline:
            time.sleep(0.5)
            current = self.picture(window)
            if differing(previous[0], current[0]) < 0.001:
                return current
            previous = current
        return previous

    def focus(self, window):
        window.set_input_focus(X.RevertToParent, X.CurrentTime)
        geometry = window.get_geometry()
        position = window.translate_coords(self.root, 0, 0)
        xtest.fake_input(self.display, X.MotionNotify,
                         x=-position.x + geometry.width // 2, y=-position.y + 10)
        self.display.sync()

    def keys(self, *names, modifier=None):
        """Presses each key in turn, holding the modifier round each."""
        for name in names:
            codes = [self.code(modifier)] if modifier else []
            codes.append(self.code(name))
            for code in codes:
                xtest.fake_input(self.display, X.KeyPress, code)
            for code in reversed(codes):
                xtest.fake_input(self.display, X.KeyRelease, code)
            self.display.sync()
            time.sleep(0.3)

    def code(self, name):
        code = self.display.keysym_to_keycode(XK.string_to_keysym(name))
        if not code:
            raise Failure(f"no key code for {name}")
        return code


def differing(first, second):
    """The share of pixels that differ; 1 when the sizes differ."""
    if len(first) != len(second):
        return 1.0
    return sum(1 for a, b in zip(first, second) if (a ^ b) & 0xFFFFFF) / max(len(first), 1)


def check_not_blank(picture, what):
    pixels = picture[0]
    colours = collections.Counter(value & 0xFFFFFF for value in pixels)
    commonest = colours.most_common(1)[0][1] / len(pixels)
    if len(colours) < 16 or commonest > 0.9:
        raise Failure(f"{what}: the picture is blank ({len(colours)} colours, "
                      f"{commonest:.0%} of one)")


def save_png(picture, path):
    """An RGB PNG of 32-bit pixels of the form 0x00RRGGBB."""
    pixels, width, height = picture
    data = pixels.tobytes()
    rgb = bytearray(width * height * 3)
    rgb[0::3] = data[2::4]
    rgb[1::3] = data[1::4]
    rgb[2::3] = data[0::4]
    rows = b"".join(b"\0" + bytes(rgb[y * width * 3:(y + 1) * width * 3]) for y in range(height))

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(rows, 9)))
        out.write(chunk(b"IEND", b""))


def read(path):
    with open(path, "rb") as source:
        return source.read()


def wait_for_change(path, before, timeout):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if os.path.exists(path) and read(path) != before:
            time.sleep(0.5)
            return read(path)
        time.sleep(0.2)
    return before


def run(screen, program, shots, ref, expected_ref):
    window, _ = screen.wait_for(TITLE, 120)
    if window is None:
        titles = [name for _, name in screen.windows()]
        raise Failure(f"no window titled '{TITLE}' within 120 s (windows: {titles})")
    print(f"the window came up, titled '{TITLE}'")
    screen.focus(window)

    pictures = [screen.settled(window)]
    for _ in PAGES:
        screen.keys("Tab", modifier="Control_L")
        pictures.append(screen.settled(window))
    for page, picture in enumerate(pictures[:len(PAGES)]):
        name = f"{page + 1}-{PAGES[page]}"
        save_png(picture, os.path.join(shots, name + ".png"))
        check_not_blank(picture, f"page {PAGES[page]}")
        if page > 0 and differing(pictures[page - 1][0], picture[0]) < 0.02:
            raise Failure(f"Ctrl+Tab did not change the page to {PAGES[page]}")
    if differing(pictures[0][0], pictures[-1][0]) > 0.01:
        raise Failure("six presses of Ctrl+Tab did not come back to the first page")
    print(f"{len(PAGES)} pages switched by Ctrl+Tab, each photographed in {shots}")

    # The focus stays on the page tabs; the route box comes next, then the
    # property line, its Show button, the entry list and the buttons.
    screen.keys(*["Tab"] * CLEARING, modifier="Control_L")
    before = read(ref)
    screen.keys("Tab", "Down", "Tab", "Tab", "Tab", "Tab", "Tab", "space")
    after = wait_for_change(ref, before, 30)
    picture = screen.settled(window)
    save_png(picture, os.path.join(shots, "clearing-duplicates.png"))
    if after == before:
        raise Failure(f"\"Delete duplicates\" left {ref} as it was")
    if after != read(expected_ref):
        raise Failure(f"\"Delete duplicates\" left {ref} different from {expected_ref}")
    print(f"\"Delete duplicates\" on the demo route left the expected {os.path.basename(ref)}")

    # A row of the list chosen and "Delete selected": its first question.
    screen.keys("Tab", "Tab", modifier="Shift_L")
    screen.keys("Down", "Tab", "space")
    box, name = screen.wait_for(None, 20, other_than={window.id})
    if box is None:
        raise Failure("\"Delete selected\" showed no question box")
    picture = screen.settled(box)
    save_png(picture, os.path.join(shots, "question.png"))
    check_not_blank(picture, f"question box '{name}'")
    print(f"a question box, titled '{name}', photographed")
    screen.keys("Escape")
    # The second question, answered once it is drawn and has the keys: on a
    # busy machine it comes up seconds later, and an Escape sent before
    # would be lost, leaving it open over the window.
    second, _ = screen.wait_for(None, 20, other_than={window.id, box.id})
    if second is not None:
        screen.settled(second)
        screen.focus(second)
        screen.keys("Escape")
    deadline = time.time() + 20
    while time.time() < deadline and any(w.id != window.id for w, _ in screen.windows()):
        time.sleep(0.2)

    screen.focus(window)
    screen.keys("F4", modifier="Alt_L")
    try:
        code = program.wait(30)
    except subprocess.TimeoutExpired:
        raise Failure("Alt+F4 did not close the window")
    if code != 0:
        raise Failure(f"the program ended with exit code {code}")
    print("Alt+F4 closed the window, exit code 0")


def main():
    shots, ref, expected_ref = sys.argv[1:4]
    os.makedirs(shots, exist_ok=True)
    screen = Screen()
    program = subprocess.Popen(sys.argv[4:])
    try:
        run(screen, program, shots, ref, expected_ref)
        return 0
    except Failure as failure:
        print(f"window check failed: {failure}")
        for window, name in screen.windows():
            picture = screen.picture(window)
            save_png(picture, os.path.join(shots, f"failed-{window.id:x}.png"))
        return 1
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()


if __name__ == "__main__":
    sys.exit(main())
