"""Reads scenes the way a screen reader does, over the desktop's accessibility bus.

Run inside a private session bus (dbus-run-session) under an X server:
    atspi_check.py ZU_VIEW ZU_BUTTON_CLICK GALLERY
It walks the gallery's tree in zu-view (roles, names, states, a value and a text), moves
the focus with Tab and waits for the focus event, toggles a check box through its action
and hears the checked state change, then presses the button of zu-button-click through the action interface and sees its click handler run.
Exit status 77 (skipped) without a display, xdotool or the Python bindings.
"""

import os
import shutil
import subprocess
import sys
import time

SKIP = 77

try:
    import pyatspi
    from gi.repository import GLib
except ImportError:
    print("no pyatspi")
    sys.exit(SKIP)


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def find_app_window(title, timeout=20.0):
    """The accessible of the top-level window with this title, once the program shows it."""
    end = time.time() + timeout
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is None:
                continue
            try:
                for window in app:
                    if window is not None and window.name == title:
                        return window
            except Exception:  # an application going away while we look
                pass
        time.sleep(0.2)
    fail("no window titled %r on the accessibility bus" % title)


def walk(node, depth=0, out=None):
    out = [] if out is None else out
    for child in node:
        if child is None:
            continue
        out.append((child, depth))
        walk(child, depth + 1, out)
    return out


def scene_panel(window):
    """The scene's widget: the one panel whose children are the scene's controls."""
    for node, _ in walk(window):
        if node.getRoleName() == "panel" and node.childCount > 0:
            return node
    fail("no scene panel below the window")


def states(node):
    return {pyatspi.stateToString(s) for s in node.getState().getStates()}


def start(args):
    return subprocess.Popen(args, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)


def check_gallery(zu_view, gallery):
    title = "zu access gallery %d" % os.getpid()
    proc = start([zu_view, gallery, "--title", title, "--size", "820x1000"])
    try:
        window = find_app_window(title)
        panel = scene_panel(window)
        nodes = walk(panel)
        roles = {}
        for node, _ in nodes:
            roles.setdefault(node.getRoleName(), []).append(node)
        expected = ["push button", "check box", "radio button", "slider", "scroll bar", "progress bar",
                    "label", "entry", "text", "list", "list item", "combo box", "page tab list",
                    "page tab", "tree", "tree item", "panel"]
        missing = [r for r in expected if r not in roles]
        if missing:
            fail("roles missing from the gallery's tree: %s (found %s)" % (missing, sorted(roles)))
        # Shapes, effects and style parts stay out: every node is a control of a known role.
        odd = [r for r in roles if r in ("unknown", "filler", "invalid")]
        if odd:
            fail("nodes without a control role: %s" % odd)

        def named(role, name):
            for node in roles[role]:
                if node.name == name:
                    return node
            fail("no %s named %r (have %s)" % (role, name, [n.name for n in roles[role]][:20]))

        checked = named("check box", "Checked")
        if "checked" not in states(checked) or "checked" in states(named("check box", "Not checked")):
            fail("check box states: %s" % states(checked))
        for want in ("focusable", "enabled", "sensitive", "visible", "showing"):
            if want not in states(checked):
                fail("check box lacks %s: %s" % (want, states(checked)))
        if checked.parent.getRoleName() != "panel" or checked.parent.name != "Check and radio":
            fail("the check box's parent is %s %r" % (checked.parent.getRoleName(), checked.parent.name))
        sliders = [n.queryValue().currentValue for n in roles["slider"]]
        if 30.0 not in sliders:
            fail("no slider at 30: %s" % sliders)
        texts = [n.queryText().getText(0, -1) for n in roles["entry"]]
        if "Text box" not in texts:
            fail("entry texts: %s" % texts)
        extents = checked.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
        if extents.width <= 0 or extents.height <= 0:
            fail("check box extents %s" % (extents,))
        print("gallery: %d controls, %d roles" % (len(nodes), len(roles)))

        # Tab moves the scene's focus and the reader hears it as a focus state change; a
        # check box toggled through its action is heard as a checked state change.
        unchecked = named("check box", "Not checked")
        heard = {"focus": None, "checked": None}

        def on_event(event):
            source = event.source
            if event.detail1 != 1 or source is None:
                return
            if event.type.endswith("focused") and source.getRoleName() != "panel" and not heard["focus"]:
                heard["focus"] = (source.getRoleName(), source.name)
            if event.type.endswith("checked") and source.name == "Not checked":
                heard["checked"] = source.name
            if all(heard.values()):
                pyatspi.Registry.stop()

        kinds = ["object:state-changed:focused", "object:state-changed:checked"]
        pyatspi.Registry.registerEventListener(on_event, *kinds)
        wid = subprocess.run(["xdotool", "search", "--sync", "--name", title], capture_output=True,
                             text=True).stdout.split()
        if not wid:
            fail("xdotool finds no window %r" % title)
        subprocess.run(["xdotool", "windowactivate", "--sync", wid[0]], capture_output=True)
        subprocess.run(["xdotool", "windowfocus", "--sync", wid[0]], capture_output=True)

        def press_tab():
            subprocess.run(["xdotool", "key", "--window", wid[0], "Tab"])
            return False

        def toggle():
            action = unchecked.queryAction()
            if [action.getName(i) for i in range(action.nActions)] != ["toggle"]:
                fail("check box actions are not [toggle]")
            action.doAction(0)
            return False

        GLib.timeout_add(700, press_tab)
        GLib.timeout_add(900, toggle)
        GLib.timeout_add(8000, lambda: pyatspi.Registry.stop() or False)
        pyatspi.Registry.start()
        pyatspi.Registry.deregisterEventListener(on_event, *kinds)
        if not heard["focus"]:
            fail("no focus event after Tab")
        if not heard["checked"] or "checked" not in states(unchecked):
            fail("the toggle action was not heard as checked")
        print("focus went to %s %r; the check box was toggled" % heard["focus"])
    finally:
        proc.kill()
        proc.wait()


def check_click(click_program):
    title = "zu access click %d" % os.getpid()
    proc = start([click_program, title])
    try:
        window = find_app_window(title)
        buttons = [n for n, _ in walk(window) if n.getRoleName() == "push button" and n.name == "Click me"]
        if not buttons:
            fail("no push button 'Click me'")
        action = buttons[0].queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if names != ["click"]:
            fail("button actions %s" % names)
        action.doAction(0)
        out, _ = proc.communicate(timeout=15)
    except subprocess.TimeoutExpired:
        fail("the click through the action interface did not end the program")
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()
    if "clicked 1" not in out or proc.returncode != 0:
        fail("program said %r, exit %d" % (out, proc.returncode))
    print("click handler ran")


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    if not os.environ.get("DISPLAY") or not shutil.which("xdotool"):
        print("no X display or xdotool")
        return SKIP
    if os.environ.get("NO_AT_BRIDGE"):
        del os.environ["NO_AT_BRIDGE"]
    check_gallery(sys.argv[1], sys.argv[3])
    check_click(sys.argv[2])
    return 0


if __name__ == "__main__":
    sys.exit(main())
