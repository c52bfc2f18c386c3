"""The two programs under test as a user meets them: a program folder, the docked icon,
the tray menu, the capture dialog, the switcher and its message boxes."""

from __future__ import annotations

import shutil
import subprocess
import time
from dataclasses import dataclass
from pathlib import Path

import desktop
import wine_windows as ww
from environment import CheckFailed, Stage, check, stays, wait_for

TWIPS_PER_PIXEL = 15  # Wine's default 96 dots per inch

MENU_ENTRIES = ("Enable Nudgekey", "-", "Left Button...", "Right Button...", "Left+Right Button...", "-",
                "About...", "-", "E&xit")
# Wine's pop-up menus, measured: each separator 9 pixels high, 3 pixels of border and
# margin above the first entry and below the last; an entry's height follows the menu
# font (16 pixels with Wine's fallback font, 17 with its own fonts), so it is taken from
# the height of the open menu.
MENU_SEPARATOR_HEIGHT = 9
MENU_MARGIN = 3


def menu_entry_height(menu_height: int, entries: tuple[str, ...] = MENU_ENTRIES) -> int:
    separators = entries.count("-")
    items = len(entries) - separators
    room = menu_height - 2 * MENU_MARGIN - separators * MENU_SEPARATOR_HEIGHT
    if room <= 0 or room % items:
        raise CheckFailed(f"a menu of {items} entries and {separators} separators cannot be {menu_height} "
                          f"pixels high in Wine's look; the suite does not know where its entries lie")
    return room // items


def menu_entry_offset(caption: str, menu_height: int, entries: tuple[str, ...] = MENU_ENTRIES) -> int:
    """The entry's vertical centre, in pixels below the top of the menu window."""
    entry_height = menu_entry_height(menu_height, entries)
    top = MENU_MARGIN
    for entry in entries:
        height = MENU_SEPARATOR_HEIGHT if entry == "-" else entry_height
        if entry == caption:
            return top + height // 2
        top += height
    raise ValueError(caption)


@dataclass(frozen=True)
class Option:
    caption: str
    left: int  # twips, in the switcher's client area
    top: int
    width: int
    height: int


@dataclass(frozen=True)
class Profile:
    exe: str
    emulator: str
    installed_plugin: str
    switcher_caption: str
    shows_switcher_at_start: bool
    options: tuple[Option, ...]
    groups: tuple[tuple[str, tuple[int, ...]], ...]  # group button caption, option indexes

    def option(self, caption: str) -> Option:
        for option in self.options:
            if option.caption == caption:
                return option
        raise KeyError(caption)

    def group_of(self, caption: str) -> str | None:
        index = self.options.index(self.option(caption))
        for group, members in self.groups:
            if index in members:
                return group
        return None


NUDGEKEY2 = Profile(
    exe="Nudgekey2.exe", emulator="impactemu.exe", installed_plugin="renderer.ipc",
    switcher_caption="Orvo's Renderer Switcher", shows_switcher_at_start=True,
    options=(Option("Glide", 360, 150, 1455, 435), Option("Quorin Glide", 360, 540, 2145, 435),
             Option("SarnGlide", 360, 930, 1455, 435), Option("Other Glide", 330, 1350, 1455, 435),
             Option("Direct3D", 360, 150, 1455, 435), Option("Vado's D3D", 360, 540, 1455, 435),
             Option("Soft Renderer", 330, 930, 1815, 435), Option("Other D3D", 330, 1350, 1455, 435),
             Option("OpenGL", 360, 150, 1455, 435), Option("Rusko's TNT", 360, 540, 1815, 435),
             Option("Other OpenGL", 330, 930, 1995, 435), Option("Other", 330, 1350, 1455, 435)),
    groups=(("Glide", (0, 1, 2, 3)), ("D3D", (4, 5, 6, 7)), ("OpenGL", (8, 9, 10, 11))),
)

NUDGEKEY = Profile(
    exe="Nudgekey.exe", emulator="ultra.exe", installed_plugin="glide2x.dll",
    switcher_caption="Orvo's Switcher", shows_switcher_at_start=False,
    options=(Option("GL²ide", 420, 60, 1455, 495), Option("XGlide", 420, 480, 1455, 495),
             Option("XGL200", 420, 900, 1455, 495), Option("Clider", 420, 1320, 1455, 495),
             Option("Other", 420, 1800, 1455, 495)),
    groups=(),
)


class ProgramFolder:
    """A fresh folder holding a copy of the program, as a user would install it."""

    def __init__(self, stage: Stage, profile: Profile, name: str, emulator: bool = True):
        self.stage = stage
        self.profile = profile
        self.path = stage.drive_c / "Nudgekey Test" / name
        if self.path.exists():
            shutil.rmtree(self.path)
        self.path.mkdir(parents=True)
        shutil.copy2(stage.programs / profile.exe, self.path / profile.exe)
        if emulator:
            shutil.copy2(stage.programs / "fake_emulator.exe", self.path / profile.emulator)

    @property
    def windows_path(self) -> str:
        return self.stage.windows_path(self.path)

    @property
    def app_folder(self) -> str:
        return self.windows_path + "\\"

    def add_plugin(self, option: str, name: str, content: bytes) -> Path:
        folder = self.path / option
        folder.mkdir(exist_ok=True)
        path = folder / name
        path.write_bytes(content)
        return path

    @property
    def installed(self) -> Path:
        return self.path / self.profile.installed_plugin

    @property
    def emulator_runs(self) -> list[list[str]]:
        """One [exe, working folder, command line] per start of the emulator stand-in."""
        record = self.path / "emulator-runs.txt"
        if not record.exists():
            return []
        return [line.split("\t") for line in record.read_text(encoding="utf-8").splitlines() if line]

    def subfolders(self) -> set[str]:
        return {p.name for p in self.path.iterdir() if p.is_dir()}


class RunningProgram:
    """One start of a program, driven through its docked icon and its windows."""

    def __init__(self, stage: Stage, folder: ProgramFolder, wait_docked: bool = True):
        self.stage = stage
        self.folder = folder
        self.profile = folder.profile
        self.icons_before = {w.id for w in desktop.docked_icons(stage)}
        self.started = time.monotonic()
        self.process = stage.wine(str(folder.path / self.profile.exe), cwd=stage.drive_c,
                                  log=f"{self.profile.exe}.log")
        self.icon: desktop.XWindow | None = None
        if wait_docked:
            self.icon = self.wait_docked()

    @property
    def alive(self) -> bool:
        return self.process.poll() is None

    def wait_docked(self, timeout: float = 20) -> desktop.XWindow:
        def new_icon():
            check(self.alive, f"{self.profile.exe} ended (exit code {self.process.returncode}) before its icon "
                              f"docked")
            fresh = [w for w in desktop.docked_icons(self.stage) if w.id not in self.icons_before]
            return fresh[0] if fresh else None
        self.icon = wait_for(f"the icon of {self.profile.exe} to dock", new_icon, timeout=timeout, interval=0.05)
        return self.icon

    def current_icon(self) -> desktop.XWindow:
        """The program's docked icon; the only one, as each scenario runs one program."""
        icons = desktop.docked_icons(self.stage)
        check(len(icons) == 1, f"expected one docked icon, found {len(icons)}")
        self.icon = icons[0]
        return self.icon

    def icon_pixels(self) -> bytes:
        return desktop.pixels(self.stage, self.current_icon())

    # --- the icon and its menu -------------------------------------------------------

    def left_click_icon(self) -> None:
        desktop.click(self.stage, *self.current_icon().centre, button=1)

    def right_click_icon(self) -> None:
        desktop.click(self.stage, *self.current_icon().centre, button=3)

    def open_menu(self) -> ww.Window:
        self.right_click_icon()
        return wait_for("the tray menu to open", lambda: self._menu(), timeout=10)

    def _menu(self) -> ww.Window | None:
        menus = [w for w in ww.windows(self.stage, class_name=ww.MENU_CLASS) if w.visible]
        return menus[0] if menus else None

    def choose(self, caption: str, screenshot: str | None = None) -> None:
        """Opens the tray menu with a right click on the icon and clicks one entry."""
        menu = self.open_menu()
        x = menu.rect.left + min(40, menu.rect.width // 2)
        y = menu.rect.top + menu_entry_offset(caption, menu.rect.height)
        desktop.move_pointer(self.stage, x, y)
        if screenshot:
            time.sleep(0.2)
            desktop.screenshot(self.stage, screenshot, crop=(max(0, menu.rect.left - 40), 0,
                                                             self.stage.screen[0], menu.rect.bottom + 10))
        desktop.click(self.stage, x, y)
        wait_for("the tray menu to close", lambda: self._menu() is None, timeout=10)

    def exit(self) -> int:
        self.choose("E&xit")
        return self.wait_ended()

    def wait_ended(self, timeout: float = 15) -> int:
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise CheckFailed(f"{self.profile.exe} did not end within {timeout:.0f} s")

    # --- the capture dialog ----------------------------------------------------------

    def dialog(self, title: str) -> ww.Window | None:
        return ww.visible_window(self.stage, title=title, children=True)

    # --- the switcher ----------------------------------------------------------------

    def switcher(self) -> ww.Window | None:
        return ww.visible_window(self.stage, title=self.profile.switcher_caption, children=True)

    def wait_switcher(self, timeout: float = 10) -> ww.Window:
        return wait_for(f"the switcher {self.profile.switcher_caption!r} to show", self.switcher, timeout=timeout)

    def option_point(self, switcher: ww.Window, caption: str) -> tuple[int, int]:
        option = self.profile.option(caption)
        x = switcher.client.left + (option.left + min(option.width // 2, 300)) // TWIPS_PER_PIXEL
        y = switcher.client.top + (option.top + option.height // 2) // TWIPS_PER_PIXEL
        return x, y

    def click_option(self, caption: str) -> None:
        switcher = self.wait_switcher()
        desktop.click(self.stage, *self.option_point(switcher, caption))

    def group_button(self, switcher: ww.Window, group: str) -> ww.Window:
        return switcher.child("Button", group)

    def click_group(self, group: str) -> None:
        switcher = self.wait_switcher()
        button = self.group_button(switcher, group)
        # The radio circle sits at the left of the button.
        desktop.click(self.stage, button.rect.left + 6, (button.rect.top + button.rect.bottom) // 2)
        wait_for(f"group {group!r} to be on",
                 lambda: (s := self.switcher()) is not None and self.group_button(s, group).check == 1, timeout=5)

    def checked_groups(self) -> list[str]:
        switcher = self.wait_switcher()
        return [group for group, _ in self.profile.groups if self.group_button(switcher, group).check == 1]

    def close_switcher(self) -> None:
        """Closes the switcher with its close box, as a user would."""
        switcher = self.wait_switcher()
        desktop.click(self.stage, *ww.close_box(self.stage, switcher))
        wait_for("the switcher to close", lambda: self.switcher() is None, timeout=10)

    # --- message boxes -----------------------------------------------------------------

    def message_box(self, timeout: float = 10) -> ww.Window:
        return wait_for("a message box", lambda: self._message_box(), timeout=timeout)

    def _message_box(self) -> ww.Window | None:
        boxes = [w for w in ww.windows(self.stage, class_name=ww.DIALOG_CLASS, children=True) if w.visible]
        return boxes[0] if boxes else None

    def no_message_box_for(self, seconds: float) -> None:
        stays("no message box", lambda: self._message_box() is None, seconds, interval=0.2)

    def confirm(self, box: ww.Window) -> None:
        """Presses the box's OK button and waits until its window has really gone: Wine can
        leave it on screen for a moment, where it would swallow the next click."""
        ok = box.child("Button", "OK")
        desktop.click(self.stage, *ok.rect.centre)
        wait_for("the message box to go", lambda: self._message_box() is None, timeout=10)
        size = (box.rect.width, box.rect.height)
        wait_for("the message box's X window to go",
                 lambda: size not in desktop.viewable_sizes(self.stage, box.title), timeout=5)
