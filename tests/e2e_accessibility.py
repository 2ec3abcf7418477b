"""Walks the calculator's window with the keyboard and reads, through AT-SPI,
what a screen reader announces at each stop. Run by e2e_accessibility.sh."""
import os
import subprocess
import sys
import time

import pyatspi

TITLE = "Vevari Radidu Zezareruze"


def wait_for(what, probe, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = probe()
        if found:
            return found
        time.sleep(0.05)
    sys.exit(f"timed out waiting for {what}")


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == os.path.basename(sys.argv[1]):
            for child in app:
                if child is not None and child.name == TITLE:
                    return app
    return None


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def focused(app):
    for node in walk(app):
        if node.getState().contains(pyatspi.STATE_FOCUSED):
            return node
    return None


def describe(node):
    return (node.getRoleName(), node.name, node.description)


def key(*names):
    subprocess.run(["xdotool", "key", *names], check=True)


def await_focus(app, wanted, seconds=3):
    """The focused stop once it is `wanted` (a stop, or a test on one), or
    whatever has the focus when the time is up."""
    deadline = time.monotonic() + seconds
    while True:
        node = focused(app)
        got = describe(node) if node else None
        if (wanted(got) if callable(wanted) else got == wanted) or time.monotonic() > deadline:
            return got


def tab_round(app, want):
    seen = []
    for stop in want:
        seen.append(await_focus(app, stop))
        key("Tab")
    return seen


def expected_stops(slots):
    stops = [("combo box", "Steel (Default)", "Alloy")]
    stops.append(("combo box", slots[0], "Form"))
    for caption in slots[1:]:
        stops.append(("text", caption, ""))
        stops.append(("combo box", "in", f"{caption} unit"))
    stops += [
        ("text", "Number of Pieces", ""),
        ("text", "Calculated Weight", "pounds (lbs.)"),
        ("push button", "Calculate", ""),
        ("push button", "Clear Fields", ""),
        ("push button", "Store Result", ""),
        ("push button", "Remove Result", ""),
        ("push button", "Print Results", ""),
        ("push button", "Exit", ""),
        ("list", "Stored results", ""),
        ("link", "www.orvanta.example", "www.orvanta.example"),
        ("link", "Telmarin, Inc.", "https://www.telmarin.example/"),
        ("combo box", "Steel (Default)", "Alloy"),
    ]
    return stops


def walk_matches(app, form, captions):
    """Tabs once round the window from the alloy list; prints each stop."""
    want = expected_stops([form] + captions)
    seen = tab_round(app, want)
    for stop in seen:
        print("  ", stop)
    return check(f"Tab round the window, {form}", seen, want)


def check(what, got, want):
    if got != want:
        print(f"{what}: expected\n  {want}\ngot\n  {got}")
        return False
    print(f"{what}: ok")
    return True


def tab_to(app, wanted):
    for _ in range(30):
        now = await_focus(app, lambda got: got is not None)
        if now[:2] == wanted:
            return
        key("Tab")
        await_focus(app, lambda got: got != now)
    sys.exit(f"Tab never reached {wanted}")


def message_box(app):
    for node in walk(app):
        if node.getRoleName() in ("dialog", "alert") and node.name:
            texts = [n.name for n in walk(node) if n.getRoleName() == "label" and n.name]
            buttons = [n.name for n in walk(node) if n.getRoleName() == "push button"]
            return node.name, texts, buttons
    return None


def opened():
    try:
        with open(os.environ["OPENED"], encoding="utf-8") as f:
            return f.read().split()
    except FileNotFoundError:
        return []


def main():
    app = wait_for("the calculator on the accessibility bus", application)
    window = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{TITLE}$"],
                            capture_output=True, text=True, check=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
    ok = True

    ok &= walk_matches(app, "Round Bar", ["Diameter", "Length"])
    # The form list is the next stop; Up picks Plate, as a user would.
    key("Up")
    key("shift+Tab")
    ok &= walk_matches(app, "Plate", ["Thickness", "Width", "Length"])

    # Calculate with the fields empty, pressed with Return.
    tab_to(app, ("push button", "Calculate"))
    key("Return")
    box = wait_for("the refusal", lambda: message_box(app))
    ok &= check("refusal read", box, (
        "Illegal Input",
        ["You entered an illegal value for the Thickness and the Width and the Length"],
        ["OK"]))
    key("Return")
    wait_for("the refusal to close", lambda: message_box(app) is None)

    # Each link through its own action, as a screen reader activates it.
    links = [n for n in walk(app) if n.getRoleName() == "link"]
    for link in links:
        action = link.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        ok &= check(f"actions of {link.name}", names, ["Press"])
        action.doAction(0)
    wait_for("both addresses", lambda: len(opened()) == 2)
    ok &= check("addresses opened", opened(),
                ["http://www.orvanta.example", "https://www.telmarin.example/"])
    sys.exit(0 if ok else 1)


main()
