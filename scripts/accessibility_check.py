"""Starts the main window and checks over AT-SPI that every control of the
six pages is exposed by its accessible name (for a box: its own name or the
name of the label it is labelled by); then chooses the demo route on the
Clearing page, as a person would with the keyboard, and finds the textures
of its first entry in the strip under the entries, each by its name. Runs
inside a display and a D-Bus session, in the demo installation's Samples
folder, whose conv.ini holds LANGUAGE=1 (English) and the MSTS root."""

import os
import subprocess
import sys
import time

import pyatspi
from Xlib import X, XK, display
from Xlib.ext import xtest

BROWSE = ("push button", "Browse...")

EXPECTED = {
    "Textures": [
        ("text", "Source file"), ("text", "Output file"), BROWSE, BROWSE,
        ("check box", "Transparency"), ("check box", "Bitmap"), ("text", "Width"),
        ("text", "Height"), ("radio button", "No compression"),
        ("radio button", "zlib compression"), ("radio button", "dxt compression"),
        ("push button", "Run")],
    "Shapes": [
        ("text", "Source directory"), ("text", "Source 3ds-files"), ("text", "Output file"),
        BROWSE, BROWSE, BROWSE, ("check box", "Convert to Unicode"),
        ("check box", "Convert to binary"), ("check box", "Mipmapping"), ("text", "Mipmapping"),
        ("check box", "Check textures"), ("push button", "Run")],
    "Adding": [
        ("text", "Shape file"), ("text", "Texture file"), ("combo box", "Route"), BROWSE, BROWSE,
        ("check box", "Add to ref"), ("combo box", "Class name"), ("text", "Description"),
        ("combo box", "Shadow"), ("check box", "Create sd-file"),
        ("spin button", "ESD Detail Level"), ("text", "ESD Alternative Texture"),
        ("check box", "ESD Bounding Box"), ("text", "ESD Bounding Box"),
        ("push button", "Add shape"), ("push button", "Add textures")],
    "Clearing": [
        ("combo box", "Route"), ("text", "Properties: "), ("push button", "Show"),
        ("list", "Entries"), ("list", "Textures of the shape"), ("push button", "Delete selected"),
        ("push button", "Delete duplicates"), ("push button", "Delete unused"),
        ("push button", "Delete objects not in ref"), ("push button", "Delete non-existent")],
    "Shapes/Textures": [
        ("combo box", "Route"), ("check box", "Settle - Carlisle"),
        ("check box", "Innsbruck - St.Anton"), ("check box", "NEC"),
        ("check box", "Mariass Pass"), ("check box", "Tokio - Hakone"),
        ("check box", "Hisatsu line"), ("check box", "Check shapes"),
        ("check box", "Check textures"), ("radio button", "Create *.bat"),
        ("radio button", "List of common"), ("radio button", "List of unique"),
        ("push button", "Create"), ("text", "Result")],
    "Settings": [
        ("text", "MSTS root dir"), ("text", "Path to MSTS converters"), BROWSE, BROWSE,
        ("text", "Texture converter"), ("text", "Shape converter")],
}


def names(node):
    """The node's own name and the names of the labels it is labelled by."""
    found = {node.name}
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                found.add(relation.getTarget(i).name)
    return found


def controls(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from controls(child)


def find_application(timeout):
    deadline = time.time() + timeout
    while time.time() < deadline:
        for application in pyatspi.Registry.getDesktop(0):
            if application is not None and application.name == "rastolin":
                for node in controls(application):
                    if node.getRoleName() == "page tab list":
                        return application
        time.sleep(0.2)
    return None


def check(application):
    pages = {node.name: node for node in controls(application)
             if node.getRoleName() == "filler" and node.name in EXPECTED}
    missing = []
    for page, expected in EXPECTED.items():
        if page not in pages:
            missing.append(f"page {page}")
            continue
        present = [(node.getRoleName(), names(node)) for node in controls(pages[page])]
        for role, name in expected:
            match = next((i for i, (r, n) in enumerate(present) if r == role and name in n), None)
            if match is None:
                missing.append(f"{page}: {role} '{name}'")
            else:
                del present[match]
    tabs = [node.name for node in controls(application) if node.getRoleName() == "page tab"]
    if tabs != list(EXPECTED):
        missing.append(f"page tabs {tabs}")
    return missing


# The first entry of the demo route, Barn_Red.s, wears these, each followed
# by its seasonal copies.
STRIP = ["brick.ace, 64\u00d764", "SNOW\\brick.ace, 64\u00d764", "roof.ace, 64\u00d764",
         "WINTERSNOW\\roof.ace, 64\u00d764", "SNOW\\roof.ace, 64\u00d764"]


def press_keys(*names):
    """Keys pressed on the display: they go to the window that holds the
    keyboard, such as an open drop-down list."""
    screen = display.Display()
    for name in names:
        code = screen.keysym_to_keycode(XK.string_to_keysym(name))
        xtest.fake_input(screen, X.KeyPress, code)
        xtest.fake_input(screen, X.KeyRelease, code)
        screen.sync()
        time.sleep(0.3)


def check_strip(application):
    """Chooses the first route on the Clearing page and waits for the strip to
    name the first entry's textures."""
    tab = next(node for node in controls(application)
               if node.getRoleName() == "page tab" and node.name == "Clearing")
    tab.queryAction().doAction(0)
    time.sleep(0.5)
    page = next(node for node in controls(application)
                if node.getRoleName() == "panel" and node.name == "Clearing")
    route = next(node for node in controls(page) if node.getRoleName() == "combo box")
    actions = route.queryAction()
    actions.doAction(next(i for i in range(actions.nActions) if actions.getName(i) == "ShowMenu"))
    time.sleep(0.5)
    press_keys("Home", "Return")
    deadline = time.time() + 20
    found = []
    while time.time() < deadline:
        strip = [node for node in controls(page)
                 if node.getRoleName() == "list" and node.name == "Textures of the shape"]
        found = [item.name for item in strip[0]] if strip else []
        if found == STRIP:
            return []
        time.sleep(0.2)
    return [f"Clearing: the strip's textures {found}, not {STRIP}"]


def main():
    environment = dict(os.environ, QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    window = subprocess.Popen([sys.argv[1]], env=environment)
    try:
        application = find_application(60)
        if application is None:
            print("the window did not appear over AT-SPI")
            return 1
        missing = check(application)
        if not missing:
            missing = check_strip(application)
        for line in missing:
            print("not exposed:", line)
        if not missing:
            print("every control of the six pages is exposed by its accessible name, "
                  "and so is every texture of the strip")
        return 1 if missing else 0
    finally:
        window.terminate()
        window.wait()


if __name__ == "__main__":
    sys.exit(main())
