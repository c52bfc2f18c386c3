"""The scenarios: what a user does with the programs, and what must follow."""

from __future__ import annotations

import os
import shutil
import time
from dataclasses import dataclass, field
from typing import Callable

import desktop
import keylog as kl
import wine_windows as ww
from environment import CheckFailed, Stage, check, stays, wait_for
from probe import Probe
from programs import (MENU_ENTRIES, NUDGEKEY, NUDGEKEY2, Profile, ProgramFolder, RunningProgram,
                      menu_entry_offset, menu_height)


@dataclass
class Scenario:
    name: str
    run: Callable[["Context"], None]
    needs: tuple[str, ...] = ()


SCENARIOS: list[Scenario] = []


def scenario(name: str, needs: tuple[str, ...] = ()):
    def register(function: Callable[["Context"], None]):
        SCENARIOS.append(Scenario(name, function, needs))
        return function
    return register


@dataclass
class Context:
    stage: Stage
    name: str
    probes: list[Probe] = field(default_factory=list)

    @property
    def slug(self) -> str:
        return "".join(c if c.isalnum() else "-" for c in self.name).strip("-")

    def folder(self, profile: Profile, suffix: str = "", emulator: bool = True) -> ProgramFolder:
        return ProgramFolder(self.stage, profile, self.slug + suffix, emulator=emulator)

    def start(self, folder: ProgramFolder, wait_docked: bool = True) -> RunningProgram:
        return RunningProgram(self.stage, folder, wait_docked)

    def probe(self) -> Probe:
        probe = Probe(self.stage, self.slug)
        self.probes.append(probe)
        return probe

    def shot(self, label: str, window: ww.Window | None = None, margin: int = 8) -> None:
        crop = None
        if window is not None:
            width, height = self.stage.screen
            r = window.rect
            crop = (max(0, r.left - margin), max(0, r.top - margin), min(width, r.right + margin),
                    min(height, r.bottom + margin))
        desktop.screenshot(self.stage, f"{self.slug}-{label}", crop)


BOTH = (NUDGEKEY2.exe, NUDGEKEY.exe)
ALL_TRACKED_KEYS = [1, 2, kl.VK_LEFT, kl.VK_UP, kl.VK_RIGHT, kl.VK_DOWN]
STEP = 60  # pixels: one pointer move, well over the 5-pixel threshold


# --- the harness itself --------------------------------------------------------------------

@scenario("harness: probe records keys, menu entries lie where the suite clicks")
def harness_self_test(ctx: Context) -> None:
    probe = ctx.probe()
    probe.focus()
    probe.mark("typed")
    desktop.type_key(ctx.stage, "Left")
    probe.settle(quiet=0.2)
    typed = kl.keys_between(probe.entries(), "mark typed")
    check([k.event for k in typed] == [(True, kl.VK_LEFT), (False, kl.VK_LEFT)],
          f"the probe logged {[(k.down, k.vk) for k in typed]} for one Left key")

    # A menu built like the tray menu: each entry must come back as the one clicked.
    probe.command("menutest on")
    x, y = probe.centre
    for index, caption in enumerate(MENU_ENTRIES):
        if caption == "-":
            continue
        before = len(menu_choices(probe))
        desktop.click(ctx.stage, x, y, button=3)
        menu = wait_for("the probe's menu", lambda: ww.visible_window(ctx.stage, class_name=ww.MENU_CLASS))
        check(menu.rect.height == menu_height(),
              f"a menu of {len(MENU_ENTRIES)} entries is {menu.rect.height} px high, expected {menu_height()}")
        desktop.click(ctx.stage, menu.rect.left + 40, menu.rect.top + menu_entry_offset(caption))
        choices = wait_for(f"the choice of {caption!r}",
                           lambda: (c := menu_choices(probe))[before:] and c, timeout=5)
        check(choices[-1] == index, f"clicking where {caption!r} should be chose entry {choices[-1]}")
        wait_for("the menu to close", lambda: ww.visible_window(ctx.stage, class_name=ww.MENU_CLASS) is None)


def menu_choices(probe: Probe) -> list[int]:
    return [e.index for e in probe.entries() if isinstance(e, kl.MenuChoice)]
