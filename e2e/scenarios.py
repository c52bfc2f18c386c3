"""The scenarios: what a user does with the programs, and what must follow."""

from __future__ import annotations

import os
from dataclasses import dataclass, field
from typing import Callable

import desktop
import keylog as kl
import wine_windows as ww
from environment import CheckFailed, Stage, check, stays, wait_for
from probe import Probe
from programs import MENU_ENTRIES, NUDGEKEY, NUDGEKEY2, Profile, ProgramFolder, RunningProgram, menu_entry_offset


@dataclass
class Scenario:
    name: str  # short, used for file names and --only
    description: str
    run: Callable[["Context"], str | None]  # an optional note for the report
    needs: tuple[str, ...] = ()


SCENARIOS: list[Scenario] = []


def scenario(name: str, description: str, needs: tuple[str, ...] = ()):
    def register(function: Callable[["Context"], str | None]):
        SCENARIOS.append(Scenario(name, description, function, needs))
        return function
    return register


@dataclass
class Context:
    stage: Stage
    name: str
    probes: list[Probe] = field(default_factory=list)

    @property
    def slug(self) -> str:
        return self.name

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


# The screenshots worth showing in the documentation: artefact name -> published name.
DOC_SCREENSHOTS = {
    "engine-menu": "e2e-tray-menu",
    "key-capture-capture-dialog": "e2e-capture-dialog",
    "switcher-groups-opengl": "e2e-switcher-opengl",
    "startup-nudgekey-switcher": "e2e-nudgekey-switcher",
    "switch-nudgekey2-no-emulator-message": "e2e-emulator-not-found",
    "about-nudgekey2-about": "e2e-about",
}

BOTH = (NUDGEKEY2.exe, NUDGEKEY.exe)
ALL_TRACKED_KEYS = [1, 2, kl.VK_LEFT, kl.VK_UP, kl.VK_RIGHT, kl.VK_DOWN]
STEP = 60  # pixels: one pointer move, well over the 5-pixel threshold


# --- the harness itself --------------------------------------------------------------------

@scenario("harness", "the probe records keys; tray-menu entries lie where the suite clicks")
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
        desktop.click(ctx.stage, menu.rect.left + 40, menu.rect.top + menu_entry_offset(caption, menu.rect.height))
        choices = wait_for(f"the choice of {caption!r}",
                           lambda: (c := menu_choices(probe))[before:] and c, timeout=5)
        check(choices[-1] == index, f"clicking where {caption!r} should be chose entry {choices[-1]}")
        wait_for("the menu to close", lambda: ww.visible_window(ctx.stage, class_name=ww.MENU_CLASS) is None)


def menu_choices(probe: Probe) -> list[int]:
    return [e.index for e in probe.entries() if isinstance(e, kl.MenuChoice)]


# --- start-up -----------------------------------------------------------------------------

def startup(ctx: Context, profile: Profile) -> None:
    folder = ctx.folder(profile)
    program = ctx.start(folder)
    if profile.shows_switcher_at_start:
        ctx.shot("switcher", program.wait_switcher())
    else:
        stays("the switcher hidden after start-up", lambda: program.switcher() is None, 1.5, interval=0.3)
    ctx.shot("desktop")

    expected = {option.caption for option in profile.options}
    check(folder.subfolders() == expected,
          f"option folders: missing {sorted(expected - folder.subfolders())}, "
          f"unexpected {sorted(folder.subfolders() - expected)}")
    on_disk = set(os.listdir(os.fsencode(folder.path)))
    for caption in expected:
        check(caption.encode("utf-8") in on_disk, f"no folder named {caption!r} in UTF-8 on the Linux side")

    # With the engine off, left clicks on the icon show and hide the switcher.
    shown = profile.shows_switcher_at_start
    for _ in range(2):
        program.left_click_icon()
        if shown:
            wait_for("a left click to hide the switcher", lambda: program.switcher() is None, timeout=5)
        else:
            switcher = program.wait_switcher(timeout=5)
            if not profile.shows_switcher_at_start:
                ctx.shot("switcher", switcher)
        shown = not shown
    check(program.alive, f"{profile.exe} ended")


@scenario("startup-nudgekey2", "Nudgekey2 starts: icon docks, switcher shows, twelve folders", needs=(NUDGEKEY2.exe,))
def startup_nudgekey2(ctx: Context) -> None:
    startup(ctx, NUDGEKEY2)


@scenario("startup-nudgekey", "Nudgekey starts: icon docks, switcher hidden, five folders with GL²ide", needs=(NUDGEKEY.exe,))
def startup_nudgekey(ctx: Context) -> None:
    startup(ctx, NUDGEKEY)


# --- the engine -----------------------------------------------------------------------------

K0, K1, K2 = kl.DEFAULT_BUTTON_KEYS
UP_RIGHT, UP_LEFT = kl.HOLD_BURSTS[3], kl.HOLD_BURSTS[-3]
LEFT, DOWN, UP = kl.HOLD_BURSTS[-1], kl.HOLD_BURSTS[-2], kl.HOLD_BURSTS[2]


def enable_engine(ctx: Context, program: RunningProgram, probe: Probe) -> bytes:
    """Switches the engine on from the tray menu and gives the probe the keyboard back.
    Returns the picture the icon had while the engine was off."""
    off_picture = program.icon_pixels()
    program.choose("Enable Nudgekey", screenshot=f"{ctx.slug}-menu")
    wait_for("the icon to change from the mouse when switched on",
             lambda: program.icon_pixels() != off_picture, timeout=5)
    probe.focus()
    return off_picture


def check_nothing_held(probe: Probe, keys: list[kl.Key], button_keys: tuple[int, ...]) -> None:
    held = kl.held_keys(keys)
    check(not held, f"keys left pressed at the probe: {sorted(held)}")
    keys = ALL_TRACKED_KEYS + list(button_keys)
    state = probe.key_state(keys)
    down = {vk: s for vk, s in state.items() if s[0] & 0x8000 or s[1] < 0}
    check(not down, f"keys still down at the probe (GetAsyncKeyState, GetKeyState): {down}")
    elsewhere = {vk: s for vk, s in ww.async_key_state(probe.stage, keys).items() if s & 0x8000}
    check(not elsewhere, f"keys still down for another process (GetAsyncKeyState): {elsewhere}")


@scenario("engine", "moves and buttons give the key bursts in order; a left click on the icon switches off",
          needs=(NUDGEKEY2.exe,))
def engine(ctx: Context) -> str:
    stage = ctx.stage
    probe = ctx.probe()
    left, top, width, height = probe.place
    # The program samples the pointer at start-up; the menu entry lies up and to the right
    # of this point, so the first tick makes a Right and an Up move: up-right is latched.
    desktop.move_pointer(stage, left + 100, top + height - 100)
    program = ctx.start(ctx.folder(NUDGEKEY2))
    off_picture = enable_engine(ctx, program, probe)
    probe.mark("focused")
    probe.wait_bursts("focused", UP_RIGHT, 3, "up-right")

    def step(marker: str, dx: int, dy: int) -> None:
        probe.mark(marker)
        x, y = desktop.pointer(stage)
        desktop.move_pointer(stage, x + dx, y + dy)

    probe.mark("to-centre")  # left and down at once: Left clears up-right, Down latches down
    desktop.move_pointer(stage, *probe.centre)
    probe.wait_bursts("to-centre", DOWN, 3, "down")
    ctx.shot("engine-on")
    step("down", 0, STEP)  # down again: none
    probe.settle(quiet=0.3)
    step("left", -STEP, 0)
    probe.wait_bursts("left", LEFT, 5, "left")
    step("up", 0, -STEP)
    probe.wait_bursts("up", UP_LEFT, 5, "up-left")
    step("right", STEP, 0)  # right on up-left: none
    probe.settle(quiet=0.3)
    step("left-again", -STEP, 0)
    probe.wait_bursts("left-again", LEFT, 3, "left")

    probe.mark("left-button")
    desktop.button_down(stage, 1)
    probe.wait_bursts("left-button", kl.button_burst(K0) + LEFT, 5, "left-button key with left")
    probe.mark("both-buttons")
    desktop.button_down(stage, 3)
    probe.wait_bursts("both-buttons", kl.button_burst(K2) + LEFT, 5, "both-buttons key with left")
    probe.mark("right-up")
    desktop.button_up(stage, 3)
    probe.wait_bursts("right-up", kl.button_burst(K0) + LEFT, 3, "left-button key again")
    probe.mark("left-up")
    desktop.button_up(stage, 1)
    probe.wait_bursts("left-up", LEFT, 3, "left alone")
    # Latch down before going for the icon: the way there, right and up, then ends at
    # none, so no arrow burst is cut when the click on the icon takes the keyboard away.
    step("left-stop", -STEP, 0)
    probe.settle(quiet=0.3)
    step("down-again", 0, STEP)
    probe.wait_bursts("down-again", DOWN, 3, "down")
    probe.mark("checked")

    stream = kl.keys_between(probe.entries(), "mark focused", "mark checked")
    wrong = kl.scan_codes_mismatching(stream)
    check(not wrong, f"{len(wrong)} key messages whose scan code is not the key code, first {wrong[:1]}")
    runs = [
        kl.run("up-right (3) after switching on", UP_RIGHT, 1),
        kl.run("down (-2) after the move left and down", DOWN, 1),
        kl.run("left (-1)", LEFT, 1),
        kl.run("up-left (-3)", UP_LEFT, 1),
        kl.run("left (-1) again", LEFT, 1),
        kl.run(f"left button: {kl.BUTTON_PRESSES} x {K0} then left", kl.button_burst(K0) + LEFT, 1),
        kl.run(f"both buttons: {kl.BUTTON_PRESSES} x {K2} then left", kl.button_burst(K2) + LEFT, 1),
        kl.run(f"right let go: release {K1}, {K2}, then {K0} and left",
               kl.button_release(K1, K2) + kl.button_burst(K0) + LEFT, 1, 1),
        kl.run("left button alone again", kl.button_burst(K0) + LEFT, 1),
        kl.run(f"left let go: release {K0}, {K2}, then left", kl.button_release(K0, K2) + LEFT, 1, 1),
        kl.run("left (-1) with no button", LEFT, 1),
        kl.run("down (-2) after left and down", DOWN, 1),
    ]
    try:
        counts = kl.match_runs([k.event for k in stream], runs, partial_start=True)
    except kl.SequenceMismatch as mismatch:
        raise CheckFailed(str(mismatch))

    # A left click on the icon switches the engine off; no key may stay down. The click
    # may take the keyboard from the probe, so only the global key state tells about the
    # button keys; the arrows all came whole to the probe before.
    probe.mark("off")
    program.left_click_icon()
    wait_for("the icon to show the mouse again", lambda: program.icon_pixels() == off_picture, timeout=5)
    probe.settle(quiet=0.3)
    tail = [k for k in probe.keys_since("off") if k.vk in kl.ARROWS]
    try:
        kl.match_any([k.event for k in tail], {"down": DOWN})
    except kl.SequenceMismatch as mismatch:
        raise CheckFailed(f"while switching off: {mismatch}")
    check_nothing_held(probe, [k for k in stream + tail if k.vk in kl.ARROWS], kl.DEFAULT_BUTTON_KEYS)
    return "ticks seen: " + ", ".join(f"{name.split(':')[0]} {count}" for name, count in counts.items())


# --- key capture ------------------------------------------------------------------------------

def capture_key(ctx: Context, program: RunningProgram, entry: str, keysym: str) -> None:
    """Chooses a capture entry in the tray menu and types one key into the dialog."""
    title = "Setup " + entry
    program.choose(entry)
    dialog = wait_for(f"the dialog {title!r}", lambda: program.dialog(title), timeout=10)
    ctx.shot("capture-dialog", dialog)
    # Without a window manager the X keyboard focus follows the pointer: keys typed go to
    # the window under it, so the user points at the dialog before typing.
    text = dialog.child("Static", "Press any key to configure the mouse button...")
    desktop.move_pointer(ctx.stage, *text.rect.centre)
    desktop.type_key(ctx.stage, keysym)
    wait_for(f"the dialog {title!r} to hide after a key", lambda: program.dialog(title) is None, timeout=5)


@scenario("key-capture", "a typed key is stored at Exit and used by the next start", needs=BOTH)
def key_capture(ctx: Context) -> None:
    first = ctx.start(ctx.folder(NUDGEKEY2))
    first.wait_switcher()
    first.left_click_icon()  # hide the switcher: the dialog opens where it stood
    wait_for("the switcher to hide", lambda: first.switcher() is None, timeout=5)
    capture_key(ctx, first, "Right Button...", "z")
    check(ww.read_settings(ctx.stage, "Setup") == {}, "keys reached the settings store before Exit")
    first.exit()
    stored = ww.read_settings(ctx.stage, "Setup")
    check(stored == {"LeftButton": str(K0), "RightButton": "90", "LeftRightButton": str(K2)},
          f"stored after Exit: {stored}")

    # The other program shares the stored keys: its right button now sends Z (90).
    probe = ctx.probe()
    left, top, width, height = probe.place
    desktop.move_pointer(ctx.stage, left + 100, top + height - 100)
    second = ctx.start(ctx.folder(NUDGEKEY, "-second"))
    enable_engine(ctx, second, probe)
    desktop.move_pointer(ctx.stage, *probe.centre)
    probe.mark("right-button")
    desktop.button_down(ctx.stage, 3)
    wait_for("presses of Z (90) from the right button",
             lambda: sum(1 for k in probe.keys_since("right-button") if k.vk == 90 and k.down) >= 15, timeout=10)
    desktop.button_up(ctx.stage, 3)
    released = kl.button_release(90, K2)

    def buttons() -> list[kl.Event]:
        events = [k.event for k in probe.keys_since("right-button") if k.vk not in kl.ARROWS]
        for i in range(len(events) - 1):
            if events[i:i + 2] == released:
                return events[:i + 2]
        return []
    seen = wait_for(f"the releases of 90 and {K2}", buttons, timeout=5)
    presses = len(seen) - 2
    check(presses >= 15 and presses % kl.BUTTON_PRESSES == 0 and seen == kl.press(90, presses) + released,
          f"button keys from the right button: {[kl.describe(e) for e in seen[:8]]}... ({len(seen)} events; "
          f"expected presses of 90 in fives, then releases of 90 and {K2})")
    second.left_click_icon()  # engine off
    second.exit()
    stored = ww.read_settings(ctx.stage, "Setup")
    check(stored == {"LeftButton": str(K0), "RightButton": "90", "LeftRightButton": str(K2)},
          f"stored after the second Exit: {stored}")


# --- the switcher -----------------------------------------------------------------------------

PREVIOUS_RENDERER = b"the renderer installed before\n"


@dataclass(frozen=True)
class SwitchCase:
    name: str
    description: str
    profile: Profile
    option: str
    plugin: str | None  # file name put into the option's folder, or none
    emulator: bool  # the emulator stand-in beside the program
    outcome: str  # "launch", "driver not found", "emulator not found"
    read_only_target: bool = False


SWITCH_CASES = (
    SwitchCase("switch-nudgekey2-launch", "Nudgekey2 installs Vado's D3D and starts the emulator",
               NUDGEKEY2, "Vado's D3D", "vado.ipc", True, "launch"),
    SwitchCase("switch-nudgekey2-no-plugin", "Nudgekey2 with no plug-in in Quorin Glide",
               NUDGEKEY2, "Quorin Glide", None, True, "driver not found"),
    SwitchCase("switch-nudgekey2-no-emulator", "Nudgekey2 with no emulator installs Glide and says so",
               NUDGEKEY2, "Glide", "impact.ipc", False, "emulator not found"),
    SwitchCase("switch-nudgekey-launch", "Nudgekey installs GL²ide and starts the emulator",
               NUDGEKEY, "GL²ide", "glide.dll", True, "launch"),
    SwitchCase("switch-nudgekey-no-plugin", "Nudgekey with no DLL in Other",
               NUDGEKEY, "Other", None, True, "driver not found"),
    SwitchCase("switch-nudgekey-no-emulator", "Nudgekey with no emulator installs XGlide and says so",
               NUDGEKEY, "XGlide", "xglide.dll", False, "emulator not found"),
    SwitchCase("fault-read-only-renderer", "read-only renderer.ipc: no message, the emulator still starts",
               NUDGEKEY2, "Direct3D", "d3d.ipc", True, "launch", read_only_target=True),
)


def show_switcher(program: RunningProgram) -> ww.Window:
    if not program.profile.shows_switcher_at_start:
        program.left_click_icon()
    return program.wait_switcher()


def run_switch_case(ctx: Context, case: SwitchCase) -> None:
    folder = ctx.folder(case.profile, emulator=case.emulator)
    folder.installed.write_bytes(PREVIOUS_RENDERER)
    if case.read_only_target:
        folder.installed.chmod(0o444)
    plugin_content = f"plug-in of {case.option}\n".encode()
    if case.plugin:
        folder.add_plugin(case.option, case.plugin, plugin_content)
    program = ctx.start(folder)
    switcher = show_switcher(program)
    group = case.profile.group_of(case.option)
    if group and group not in program.checked_groups():
        program.click_group(group)
    ctx.shot("switcher", program.wait_switcher())
    program.click_option(case.option)

    if case.outcome == "launch":
        runs = wait_for("the emulator to start", lambda: folder.emulator_runs, timeout=10)
        exe, working_folder, _ = runs[0]
        check(exe.lower() == f"{folder.windows_path}\\{case.profile.emulator}".lower(), f"started {exe!r}")
        check(working_folder.rstrip("\\").lower() == folder.windows_path.lower(),
              f"the emulator ran in {working_folder!r}, not in the program's folder")
        program.no_message_box_for(1.0)
        check(len(folder.emulator_runs) == 1, f"the emulator started {len(folder.emulator_runs)} times")
    else:
        box = program.message_box()
        ctx.shot("message", box)
        check(box.title == switcher.title, f"message box titled {box.title!r}, not the switcher's caption")
        expected = ("Driver not found." if case.outcome == "driver not found"
                    else f"{folder.app_folder}{case.profile.emulator} not found.")
        check(box.text() == expected, f"message {box.text()!r}, expected {expected!r}")
        program.confirm(box)
        check(folder.emulator_runs == [], "the emulator started")

    installed = folder.installed.read_bytes()
    replaced = case.plugin is not None and not case.read_only_target
    want = plugin_content if replaced else PREVIOUS_RENDERER
    check(installed == want, f"{case.profile.installed_plugin} holds {installed!r}, expected {want!r}")
    if case.read_only_target:
        check(not os.access(folder.installed, os.W_OK) or (folder.installed.stat().st_mode & 0o222) == 0,
              "the read-only renderer file lost its read-only state")
    check(program.alive and program.switcher() is not None, "the switcher closed or the program ended")


for _case in SWITCH_CASES:
    scenario(_case.name, _case.description, needs=(_case.profile.exe,))(
        lambda ctx, case=_case: run_switch_case(ctx, case))


@scenario("switcher-groups", "the group closed with the window is restored, the one chosen before Exit is not",
          needs=(NUDGEKEY2.exe,))
def group_persistence(ctx: Context) -> None:
    folder = ctx.folder(NUDGEKEY2)
    program = ctx.start(folder)
    check(program.checked_groups() == ["Glide"], f"first start: groups on {program.checked_groups()}")
    program.click_group("OpenGL")
    ctx.shot("opengl", program.wait_switcher())
    program.close_switcher()
    stored = ww.read_settings(ctx.stage, "Settings")
    check(stored == {"Option": "2"}, f"after closing the switcher the store holds {stored}")
    check(program.alive, "closing the switcher ended the program")

    program.left_click_icon()  # loads the switcher anew
    program.wait_switcher()
    check(program.checked_groups() == ["OpenGL"], f"shown again: groups on {program.checked_groups()}")
    program.click_group("D3D")
    program.exit()
    stored = ww.read_settings(ctx.stage, "Settings")
    check(stored == {"Option": "2"}, f"after Exit with D3D chosen the store holds {stored}")

    again = ctx.start(folder)
    again.wait_switcher()
    check(again.checked_groups() == ["OpenGL"], f"next start: groups on {again.checked_groups()}")


# --- the About box and busy notifications -----------------------------------------------------

# The About text line by line; CREDIT (the author's name with an e-mail address) and
# ANY (a non-empty line) stand for lines whose wording is free.
CREDIT = object()
ANY = object()
ABOUT_LINES = {
    NUDGEKEY2.exe: ["Nudgekey for Impact", "", CREDIT, "January 7, 2000", "", "Based on Nudgekey for UltraHLE."],
    NUDGEKEY.exe: [CREDIT, "March 28, 1999", "", ANY],
}


def about_text_problem(text: str, expected: list[object]) -> str | None:
    lines = text.replace("\r\n", "\n").split("\n")
    if len(lines) != len(expected):
        return f"{len(lines)} lines, expected {len(expected)}: {lines!r}"
    for line, want in zip(lines, expected):
        if want is CREDIT:
            if "@" not in line:
                return f"credit line {line!r} names no e-mail address"
        elif want is ANY:
            if not line.strip():
                return f"an empty line where the acknowledgement belongs: {lines!r}"
        elif line != want:
            return f"line {line!r}, expected {want!r}"
    return None


def about(ctx: Context, profile: Profile) -> None:
    program = ctx.start(ctx.folder(profile))
    shown_before = program.switcher() is not None
    program.choose("About...")
    box = program.message_box()
    ctx.shot("about", box)
    check(box.title == "Nudgekey", f"About box titled {box.title!r}")
    problem = about_text_problem(box.text(), ABOUT_LINES[profile.exe])
    check(problem is None, f"About text: {problem}")
    # The icon's handler is busy while the box is open: a left click is dropped.
    program.left_click_icon()
    stays("the switcher as it was while the About box is open",
          lambda: (program.switcher() is not None) == shown_before, 1.0, interval=0.25)
    program.confirm(box)
    check(program.alive, "the program ended")


@scenario("about-nudgekey2", "About box of Nudgekey2; icon clicks are dropped while it is open", needs=(NUDGEKEY2.exe,))
def about_nudgekey2(ctx: Context) -> None:
    about(ctx, NUDGEKEY2)


@scenario("about-nudgekey", "About box of Nudgekey; icon clicks are dropped while it is open", needs=(NUDGEKEY.exe,))
def about_nudgekey(ctx: Context) -> None:
    about(ctx, NUDGEKEY)


# --- faults ------------------------------------------------------------------------------------

@scenario("fault-tray-restart", "the tray host restarts; the icon docks again and works", needs=(NUDGEKEY2.exe,))
def tray_restart(ctx: Context) -> None:
    program = ctx.start(ctx.folder(NUDGEKEY2))
    program.wait_switcher()
    ctx.stage.stop_tray()
    program.icons_before = set()
    ctx.stage.start_tray()
    program.wait_docked(timeout=20)
    program.left_click_icon()
    wait_for("a left click on the re-docked icon to hide the switcher", lambda: program.switcher() is None,
             timeout=5)
    check(program.alive, "the program ended")


@scenario("fault-stored-keys", "stored keys 'abc' and '70000' are 0 for the run and written back as 0",
          needs=(NUDGEKEY2.exe,))
def bad_stored_keys(ctx: Context) -> None:
    ww.write_setting(ctx.stage, "Setup", "LeftButton", "abc")
    ww.write_setting(ctx.stage, "Setup", "RightButton", "70000")
    program = ctx.start(ctx.folder(NUDGEKEY2))
    program.wait_switcher()
    check(program.alive, "the program ended at start-up")
    program.exit()
    stored = ww.read_settings(ctx.stage, "Setup")
    check(stored == {"LeftButton": "0", "RightButton": "0", "LeftRightButton": str(K2)},
          f"stored after Exit: {stored}")


@scenario("fault-second-start", "a second start leaves one program, one icon, keys not doubled", needs=(NUDGEKEY2.exe,))
def second_start(ctx: Context) -> None:
    probe = ctx.probe()
    left, top, width, height = probe.place
    desktop.move_pointer(ctx.stage, left + 100, top + height - 100)
    folder = ctx.folder(NUDGEKEY2)
    first = ctx.start(folder)
    second = ctx.start(folder, wait_docked=False)
    second.wait_ended(timeout=15)
    stays("one docked icon", lambda: len(desktop.docked_icons(ctx.stage)) == 1, 1.5, interval=0.3)
    check(first.alive, "the first program ended")
    enable_engine(ctx, first, probe)
    probe.mark("focused")
    probe.wait_bursts("focused", UP_RIGHT, 3, "up-right")
    probe.mark("to-centre")
    desktop.move_pointer(ctx.stage, *probe.centre)
    probe.wait_bursts("to-centre", DOWN, 5, "down")
    probe.mark("checked")
    stream = kl.keys_between(probe.entries(), "mark focused", "mark checked")
    try:
        kl.match_runs([k.event for k in stream], [kl.run("up-right", UP_RIGHT, 1), kl.run("down", DOWN, 1)],
                      partial_start=True)
    except kl.SequenceMismatch as mismatch:
        raise CheckFailed(str(mismatch))
    first.left_click_icon()


@scenario("fault-taskbar-created", "the shell loses the icon; TaskbarCreated brings it back", needs=(NUDGEKEY2.exe,))
def taskbar_created(ctx: Context) -> None:
    program = ctx.start(ctx.folder(NUDGEKEY2))
    switcher = program.wait_switcher()
    # The icon belongs to one of the program's hidden top-level windows, identifier 1.
    own = [w for w in ww.windows(ctx.stage) if w.pid == switcher.pid and w.hwnd != switcher.hwnd]
    removed = [w for w in own if ww.notify_delete(ctx.stage, w)]
    check(removed, "no window of the program owned notification icon 1")
    wait_for("the icon to leave the tray", lambda: not desktop.docked_icons(ctx.stage), timeout=10)
    stays("the tray without the icon", lambda: not desktop.docked_icons(ctx.stage), 1.0, interval=0.25)
    ww.broadcast_taskbar_created(ctx.stage)
    program.icons_before = set()
    program.wait_docked(timeout=10)
    program.left_click_icon()
    wait_for("a left click on the icon to hide the switcher", lambda: program.switcher() is None, timeout=5)
