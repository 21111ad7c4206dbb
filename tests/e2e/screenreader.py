#!/usr/bin/env python3
"""Both games through a real AT-SPI client, as a screen reader sees them.

Run by screenreader.sh inside a private session bus and X server. Each step waits for the state
it needs (an object, a changed name or description) with a generous bound, never a fixed pause.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

BOUND = float(os.environ.get("HALVORIA_A11Y_BOUND", "60"))  # seconds any awaited state may take on a busy machine
events = []  # (kind, object name, new text) of every description and name change heard


def fail(message):
    raise SystemExit("FAIL: " + message)


def on_event(event):
    try:
        name = event.source.name
    except Exception:  # the object may be gone already
        name = None
    events.append((event.type, name, str(event.any_data)))


def wait_for(what, probe):
    """Polls probe until it answers something true, letting AT-SPI events in meanwhile."""
    deadline = time.monotonic() + BOUND
    last = None
    while time.monotonic() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            answer = probe()
            if answer:
                return answer
        except Exception as error:  # the tree is still being built
            last = error
        time.sleep(0.02)
    fail(f"{what} (last error: {last})")


def find(root, role, name=None, start=None):
    def match(node):
        if node.getRole() != role:
            return False
        if name is not None and node.name != name:
            return False
        return start is None or node.name.startswith(start)

    return pyatspi.findDescendant(root, match)


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def window_id(title):
    def probe():
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                             capture_output=True, text=True).stdout.split()
        return out[0] if out else None

    return wait_for(f"a window titled {title}", probe)


def key(window, *keys):
    xdotool("windowfocus", "--sync", window)
    xdotool("key", "--delay", "30", *keys)


def start(program):
    process = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def app():
        for candidate in pyatspi.Registry.getDesktop(0):
            if candidate is not None and candidate.get_process_id() == process.pid:
                return candidate
        return None

    return process, wait_for(f"{program} on the accessibility bus", app)


def press_menu_item(app, caption):
    item = wait_for(f"menu item {caption}", lambda: find(app, pyatspi.ROLE_MENU_ITEM, caption))
    action = item.queryAction()
    names = [action.getName(i).lower() for i in range(action.nActions)]
    if "press" not in names:
        fail(f"{caption} offers no press action: {names}")
    action.doAction(names.index("press"))


def description_of(node, containing):
    return wait_for(f"the board's description to say {containing!r}",
                    lambda: containing in node.description and node.description)


def name_of(node, wanted):
    return wait_for(f"a name {wanted!r} (now {node.name!r})", lambda: node.name == wanted)


def heard(kind, name):
    return wait_for(f"a {kind} event of {name}",
                    lambda: any(e[0].startswith(kind) and e[1] == name for e in events))


def zorvat(folder):
    process, app = start(os.path.join(folder, "Zorvat"))
    try:
        board = wait_for("Zorvat's board", lambda: find(app, pyatspi.ROLE_PANEL, "パズルの盤"))
        description_of(board, "ゲームは進行していません")
        moves = wait_for("the move counter", lambda: find(app, pyatspi.ROLE_LABEL, start="手数"))
        score = wait_for("the score counter", lambda: find(app, pyatspi.ROLE_LABEL, start="スコア"))

        press_menu_item(app, "開始")
        description_of(board, "空きマスは 4 列 4 行")
        if board.childCount != 16:
            fail(f"the 4 x 4 board reads {board.childCount} cells")
        corner = board.getChildAtIndex(15)
        name_of(corner, "空きマス")

        win = window_id("Mirelda")
        events.clear()
        key(win, "Right")
        description_of(board, "空きマスは 3 列 4 行")
        name_of(moves, "手数 1")
        name_of(corner, "パネル 15")
        heard("object:property-change:accessible-description", "パズルの盤")
        key(win, "Down")
        description_of(board, "空きマスは 3 列 3 行")
        key(win, "Up")
        description_of(board, "空きマスは 3 列 4 行")
        name_of(moves, "手数 3")
        key(win, "Left")  # home again: the game is complete
        description_of(board, "ゲームは進行していません")
        box = wait_for("the congratulation box",
                       lambda: find(app, pyatspi.ROLE_LABEL, start="Congratulations!"))
        if "（ハイスコア）" not in box.name:
            fail(f"the box reads {box.name!r}")
        name_of(moves, "手数 4")
        wait_for("the final score", lambda: score.name.endswith("-100%") and score.name)
        boxes = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Mirelda$"],
                               capture_output=True, text=True).stdout.split()
        for other in boxes:
            if other != win:
                key(other, "Return")
        key(win, "F4")
        process.wait(timeout=BOUND)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


def quendle(folder):
    process, app = start(os.path.join(folder, "Quendle"))
    try:
        board = wait_for("Quendle's board", lambda: find(app, pyatspi.ROLE_PANEL, "コインの盤"))
        score = wait_for("the score counter", lambda: find(app, pyatspi.ROLE_LABEL, "スコア 0"))
        press_menu_item(app, "開始")
        description_of(board, "残り 200 枚")

        # The first removable group, found by reading the cells as a screen reader would.
        cells = board.childCount
        if cells != 200:
            fail(f"the board reads {cells} cells")
        target = None
        for index in range(cells):
            text = board.getChildAtIndex(index).description
            if text.endswith(" 点"):
                target = (index % 20, index // 20, text)
                break
        if target is None:
            fail("no removable group on a fresh deal")
        x, y, text = target
        size = int(text.split("、")[1].split(" 枚")[0])

        win = window_id("Colvane")
        events.clear()
        key(win, "Up")  # the cursor appears at the bottom-left cell
        description_of(board, "1 列 10 行：")
        heard("object:property-change:accessible-description", "コインの盤")
        steps = ["Right"] * x + ["Up"] * (9 - y)
        if steps:
            key(win, *steps)
        description_of(board, f"{x + 1} 列 {y + 1} 行：")
        description_of(board, f"{size} 枚 {size * size} 点")
        key(win, "space")
        description_of(board, f"残り {200 - size} 枚")
        name_of(score, f"スコア {size * size}")
        heard("object:property-change:accessible-name", f"スコア {size * size}")
        key(win, "ctrl+z")
        description_of(board, "残り 200 枚")
        name_of(score, "スコア 0")
        key(win, "F4")
        process.wait(timeout=BOUND)
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()


def main():
    folder = sys.argv[1]
    for kind in ("object:property-change:accessible-description",
                 "object:property-change:accessible-name"):
        pyatspi.Registry.registerEventListener(on_event, kind)
    zorvat(folder)
    quendle(folder)


if __name__ == "__main__":
    main()
