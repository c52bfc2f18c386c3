"""What the suite does and sees on the X side: the tray host's docked icons, the pointer
and the keyboard through xdotool (XTEST, as a person's input arrives), screenshots."""

from __future__ import annotations

import re
import subprocess
import time
from dataclasses import dataclass
from pathlib import Path

from environment import Stage


@dataclass(frozen=True)
class XWindow:
    id: str
    depth: int
    name: str
    classes: tuple[str, ...]
    width: int
    height: int
    x: int  # absolute
    y: int

    @property
    def centre(self) -> tuple[int, int]:
        return (self.x + self.width // 2, self.y + self.height // 2)


_LINE = re.compile(r'^(\s*)(0x[0-9a-f]+) (?:"(.*)"|\(has no name\)): \((.*)\)\s+(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+'
                   r'\+?(-?\d+)\+?(-?\d+)\s*$')


def x_tree(stage: Stage) -> list[XWindow]:
    """Every X window below the root, in xwininfo's order, with its depth in the tree."""
    output = subprocess.run(["xwininfo", "-root", "-tree"], env=stage.env(), capture_output=True, text=True,
                            timeout=10).stdout
    windows = []
    for line in output.splitlines():
        match = _LINE.match(line)
        if not match:
            continue
        indent, wid, name, classes, width, height, x, y = match.groups()
        windows.append(XWindow(wid, len(indent), name or "", tuple(re.findall(r'"([^"]*)"', classes)),
                               int(width), int(height), int(x), int(y)))
    return windows


def tray_panel(stage: Stage) -> XWindow | None:
    for window in x_tree(stage):
        if window.classes == ("panel", "trayer"):
            return window
    return None


def docked_icons(stage: Stage) -> list[XWindow]:
    """The icons that Wine docked into the tray host: explorer's X windows inside the panel."""
    tree = x_tree(stage)
    icons = []
    inside_panel_depth = None
    for window in tree:
        if window.classes == ("panel", "trayer"):
            inside_panel_depth = window.depth
            continue
        if inside_panel_depth is not None:
            if window.depth <= inside_panel_depth:
                inside_panel_depth = None
            elif "explorer.exe" in window.classes and window.width > 4 and window.height > 4:
                icons.append(window)
    return icons


# --- input -------------------------------------------------------------------------------

def xdotool(stage: Stage, *args: str) -> None:
    subprocess.run(["xdotool", *args], env=stage.env(), check=True, timeout=10,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def move_pointer(stage: Stage, x: int, y: int) -> None:
    xdotool(stage, "mousemove", str(x), str(y))


def pointer(stage: Stage) -> tuple[int, int]:
    output = subprocess.run(["xdotool", "getmouselocation"], env=stage.env(), capture_output=True, text=True,
                            timeout=10).stdout
    fields = dict(part.split(":") for part in output.split())
    return int(fields["x"]), int(fields["y"])


def click(stage: Stage, x: int, y: int, button: int = 1) -> None:
    """Moves there and clicks. The button stays down briefly: Wine may see a press late."""
    move_pointer(stage, x, y)
    time.sleep(0.05)
    xdotool(stage, "mousedown", str(button))
    time.sleep(0.1)
    xdotool(stage, "mouseup", str(button))


def button_down(stage: Stage, button: int) -> None:
    xdotool(stage, "mousedown", str(button))


def button_up(stage: Stage, button: int) -> None:
    xdotool(stage, "mouseup", str(button))


def type_key(stage: Stage, keysym: str) -> None:
    xdotool(stage, "key", keysym)


# --- pictures ----------------------------------------------------------------------------

def screenshot(stage: Stage, name: str, crop: tuple[int, int, int, int] | None = None) -> Path:
    """Saves the screen (or a region: left, top, right, bottom) under the artefacts folder."""
    path = stage.artifacts / f"{name}.png"
    args = ["import", "-window", "root"]
    if crop:
        left, top, right, bottom = crop
        args += ["-crop", f"{right - left}x{bottom - top}+{left}+{top}", "+repage"]
    subprocess.run(args + [str(path)], env=stage.env(), check=True, timeout=30)
    return path


def pixels(stage: Stage, window: XWindow) -> bytes:
    """The raw RGB pixels of a screen region, to tell pictures apart."""
    return subprocess.run(["import", "-window", "root", "-crop",
                           f"{window.width}x{window.height}+{window.x}+{window.y}", "+repage", "rgb:-"],
                          env=stage.env(), capture_output=True, check=True, timeout=30).stdout


def viewable_sizes(stage: Stage, name: str) -> list[tuple[int, int]]:
    """Width and height of each viewable X window whose name is exactly `name`."""
    pattern = "^" + re.escape(name) + "$"
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", pattern], env=stage.env(),
                           capture_output=True, text=True, timeout=10).stdout.split()
    sizes = []
    for wid in found:
        geometry = subprocess.run(["xdotool", "getwindowgeometry", wid], env=stage.env(), capture_output=True,
                                  text=True, timeout=10).stdout
        match = re.search(r"Geometry: (\d+)x(\d+)", geometry)
        if match:
            sizes.append((int(match.group(1)), int(match.group(2))))
    return sizes

