"""Measures the real programs under Wine against baseline.exe, in one run on one display.

    python3 e2e/measure.py --programs build/mingw [--seconds 60] [--starts 5]
    python3 e2e/measure.py --programs build/mingw --soak MINUTES

For each program and for baseline.exe (a hidden window with one notification icon and
an empty 1 ms timer): the time from start to the icon docked in the tray host (median
of several warm starts), the peak memory of the process (VmHWM), and the CPU time of
the process (and of the prefix's wineserver, which carries every key event) over the
given seconds with the engine on: pointer still with no direction latched, pointer
still with left latched (20 presses and a release every tick), and the pointer moving.
The achieved tick rate is counted at the probe from the latched-left bursts.

The soak run drives Nudgekey2 with random pointer moves and button presses over the
probe for MINUTES, samples its memory, and checks that it lives, that its memory stays
flat, and that every arrow press the probe received was released within its burst.
"""

from __future__ import annotations

import argparse
import json
import random
import signal
import statistics
import sys
import time
from dataclasses import asdict, dataclass
from pathlib import Path

import desktop
import keylog as kl
import wine_windows as ww
from environment import CheckFailed, Stage, wait_for
from probe import Probe
from programs import NUDGEKEY, NUDGEKEY2, Profile, ProgramFolder, RunningProgram
from run import gather_programs

CLOCK_TICKS = 100  # os.sysconf("SC_CLK_TCK") on Linux
BASELINE = "baseline.exe"


def _interrupt(signum, frame):
    raise KeyboardInterrupt(f"signal {signum}")


def proc_status(pid: int, field: str) -> int:
    """A kB figure from /proc/PID/status (VmHWM, VmRSS)."""
    for line in Path(f"/proc/{pid}/status").read_text().splitlines():
        if line.startswith(field + ":"):
            return int(line.split()[1])
    raise KeyError(field)


def cpu_seconds(pid: int) -> float:
    """User plus system CPU time of a process so far."""
    stat = Path(f"/proc/{pid}/stat").read_text()
    fields = stat[stat.rindex(")") + 2:].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS


def wineserver_pid(stage: Stage) -> int | None:
    """The wineserver of this stage's prefix (its environment names the prefix)."""
    wanted = f"WINEPREFIX={stage.prefix}".encode()
    for proc in Path("/proc").iterdir():
        if not proc.name.isdigit():
            continue
        try:
            if b"wineserver" not in (proc / "cmdline").read_bytes():
                continue
            if wanted in (proc / "environ").read_bytes().split(b"\0"):
                return int(proc.name)
        except OSError:
            continue
    return None


def warm_up(stage: Stage) -> None:
    """Starts the prefix's wineserver and desktop process, so every start is measured warm."""
    ww.windows(stage, class_name="Shell_TrayWnd")


# --- start-up ------------------------------------------------------------------------------

def time_to_dock(stage: Stage, exe: Path, folder: Path) -> float:
    stage.end_wine()
    warm_up(stage)
    before = {w.id for w in desktop.docked_icons(stage)}
    started = time.monotonic()
    stage.wine(str(exe), cwd=folder)
    wait_for(f"{exe.name} to dock", lambda: [w for w in desktop.docked_icons(stage) if w.id not in before],
             timeout=30, interval=0.01)
    return time.monotonic() - started


# --- CPU and memory ------------------------------------------------------------------------

@dataclass
class Load:
    cpu: float  # seconds of the program's own process
    server_cpu: float  # seconds of the prefix's wineserver
    peak_kb: int  # VmHWM at the end


def sample_load(stage: Stage, pid: int, seconds: float, during=None) -> Load:
    server = wineserver_pid(stage)
    cpu0 = cpu_seconds(pid)
    server0 = cpu_seconds(server) if server else 0.0
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if during:
            during()
        else:
            time.sleep(0.2)
    return Load(cpu_seconds(pid) - cpu0, (cpu_seconds(server) - server0) if server else 0.0,
                proc_status(pid, "VmHWM"))


def pointer_mover(stage: Stage, probe: Probe, seed: int):
    """Moves the pointer in steps of 8 to 40 pixels over the probe, about 25 times a second."""
    generator = random.Random(seed)
    left, top, width, height = probe.place

    def move() -> None:
        x, y = desktop.pointer(stage)
        x = min(max(left + 20, x + generator.randint(-40, 40)), left + width - 20)
        y = min(max(top + 20, y + generator.randint(-40, 40)), top + height - 20)
        desktop.move_pointer(stage, x, y)
        time.sleep(0.04)
    return move


@dataclass
class Figures:
    name: str
    dock_seconds: float
    idle: Load | None = None  # baseline: timer running; programs: engine on, nothing latched
    latched: Load | None = None
    moving: Load | None = None
    ticks_per_second: float | None = None


def measure_program(stage: Stage, profile: Profile | None, seconds: float, starts: int) -> Figures:
    exe_name = profile.exe if profile else BASELINE
    folder = stage.drive_c / "measure" / exe_name.removesuffix(".exe")
    folder.mkdir(parents=True, exist_ok=True)
    if profile:
        exe = ProgramFolder(stage, profile, f"measure-{exe_name}").path / profile.exe
    else:
        exe = stage.programs / BASELINE
    docks = [time_to_dock(stage, exe, folder) for _ in range(starts)]
    figures = Figures(exe_name, statistics.median(docks))
    print(f"  {exe_name}: docked after {[round(d, 2) for d in docks]} s", flush=True)

    stage.end_wine()
    probe = Probe(stage, f"measure-{exe_name}")
    left, top, width, height = probe.place
    desktop.move_pointer(stage, left + 100, top + height - 100)
    if profile:
        program = RunningProgram(stage, ProgramFolder(stage, profile, f"measure-{exe_name}-run"))
        pid = program.process.pid
        program.choose("Enable Nudgekey")
        probe.focus()
        # Bring the latched direction to none: the first tick latched up-right (the menu
        # entry lies up and right of the start point); a move left and down gives down,
        # another move down gives none.
        probe.mark("to-centre")
        desktop.move_pointer(stage, *probe.centre)
        probe.wait_bursts("to-centre", kl.HOLD_BURSTS[-2], 3, "down")
        x, y = probe.centre
        desktop.move_pointer(stage, x, y + 60)
        probe.settle(quiet=0.5)
    else:
        process = stage.wine(str(exe), cwd=folder)
        wait_for("the baseline to dock", lambda: desktop.docked_icons(stage), timeout=30)
        pid = process.pid
    time.sleep(1.0)  # let start-up work finish before the first sample
    figures.idle = sample_load(stage, pid, seconds)
    print(f"  {exe_name}: still {figures.idle}", flush=True)
    if profile:
        probe.mark("latched")
        x, y = desktop.pointer(stage)
        desktop.move_pointer(stage, x - 60, y)
        figures.latched = sample_load(stage, pid, seconds)
        probe.mark("latched-end")
        bursts = kl.burst_times(kl.keys_between(probe.entries(), "mark latched", "mark latched-end"),
                                kl.HOLD_BURSTS[-1])
        if len(bursts) > 1:
            figures.ticks_per_second = (len(bursts) - 1) / ((bursts[-1] - bursts[0]) / 1e6)
        print(f"  {exe_name}: left latched {figures.latched}, {figures.ticks_per_second} ticks/s", flush=True)
    figures.moving = sample_load(stage, pid, seconds, during=pointer_mover(stage, probe, seed=1))
    print(f"  {exe_name}: moving {figures.moving}", flush=True)
    stage.end_wine()
    return figures


def ratio(value: float, base: float) -> str:
    return f"{value / base:.2f}" if base > 0 else "n/a"


def report(figures: list[Figures], seconds: float) -> str:
    base = next(f for f in figures if f.name == BASELINE)
    lines = [
        f"| program | start to icon docked | peak memory (VmHWM) | CPU, engine on, pointer still, nothing "
        f"latched ({seconds:.0f} s) | CPU, pointer still, left latched | CPU, pointer moving | ticks per second |",
        "|---|---|---|---|---|---|---|",
    ]
    for f in figures:
        idle, moving = f.idle, f.moving
        latched = f.latched
        lines.append(
            f"| {f.name} | {f.dock_seconds:.2f} s (x{ratio(f.dock_seconds, base.dock_seconds)}) "
            f"| {moving.peak_kb / 1024:.1f} MiB (x{ratio(moving.peak_kb, base.moving.peak_kb)}) "
            f"| {idle.cpu:.2f} s + server {idle.server_cpu:.2f} s (x{ratio(idle.cpu, base.idle.cpu)}) "
            f"| {f'{latched.cpu:.2f} s + server {latched.server_cpu:.2f} s (x{ratio(latched.cpu, base.idle.cpu)})' if latched else '-'} "
            f"| {moving.cpu:.2f} s + server {moving.server_cpu:.2f} s (x{ratio(moving.cpu, base.moving.cpu)}) "
            f"| {f'{f.ticks_per_second:.1f}' if f.ticks_per_second else '-'} |")
    return "\n".join(lines)


# --- soak ----------------------------------------------------------------------------------

class ArrowBurstChecker:
    """Follows the arrow keys of a long probe log and checks that they split into whole hold
    bursts, without holding the log in memory. Button keys between them are skipped."""

    def __init__(self) -> None:
        self.patterns = list(kl.HOLD_BURSTS.values())
        self.buffer: list[kl.Event] = []
        self.bursts = 0
        self.synchronised = False
        self.previous: kl.Event | None = None
        self.error: str | None = None

    def feed(self, event: kl.Event) -> None:
        if self.error:
            return
        if not self.synchronised:
            # The log may begin inside a burst: start at the first press after a release.
            if self.previous is not None and not self.previous[0] and event[0]:
                self.synchronised = True
            else:
                self.previous = event
                return
        self.buffer.append(event)
        size = len(self.buffer)
        candidates = [p for p in self.patterns if p[:size] == self.buffer]
        if not candidates:
            self.error = (f"after {self.bursts} whole bursts: "
                          f"{', '.join(kl.describe(e) for e in self.buffer[-6:])} fits no hold burst")
        elif any(len(p) == size for p in candidates):
            self.bursts += 1
            self.buffer = []

    def finish(self) -> None:
        if not self.error and self.buffer:
            self.error = f"the log ends inside a burst: {', '.join(kl.describe(e) for e in self.buffer[-6:])}"


def check_probe_log(path: Path) -> ArrowBurstChecker:
    checker = ArrowBurstChecker()
    with path.open(errors="replace") as log:
        for line in log:
            fields = line.rstrip("\n").split("\t")
            if fields[0] == "K" and len(fields) == 7 and int(fields[4]) in kl.ARROWS:
                checker.feed((fields[3] == "D", int(fields[4])))
    checker.finish()
    return checker


def soak(stage: Stage, minutes: float) -> dict:
    probe = Probe(stage, "soak")
    left, top, width, height = probe.place
    desktop.move_pointer(stage, left + 100, top + height - 100)
    program = RunningProgram(stage, ProgramFolder(stage, NUDGEKEY2, "soak"))
    program.choose("Enable Nudgekey")
    probe.focus()
    pid = program.process.pid
    generator = random.Random(7)
    samples: list[tuple[float, int]] = []
    started = time.monotonic()
    next_sample = started
    moves = clicks = 0
    while time.monotonic() - started < minutes * 60:
        if program.process.poll() is not None:
            raise CheckFailed(f"Nudgekey2 ended during the soak (exit code {program.process.returncode})")
        if time.monotonic() >= next_sample:
            samples.append((time.monotonic() - started, proc_status(pid, "VmRSS")))
            next_sample += 10
        action = generator.random()
        if action < 0.85:
            x = generator.randint(left + 20, left + width - 20)
            y = generator.randint(top + 20, top + height - 20)
            if generator.random() < 0.6:  # mostly small steps, some around the threshold
                cx, cy = desktop.pointer(stage)
                x = min(max(left + 20, cx + generator.randint(-12, 12)), left + width - 20)
                y = min(max(top + 20, cy + generator.randint(-12, 12)), top + height - 20)
            desktop.move_pointer(stage, x, y)
            moves += 1
        else:
            button = generator.choice((1, 3, 13))
            hold = generator.uniform(0.02, 0.6)
            buttons = (1, 3) if button == 13 else (button,)
            for b in buttons:
                desktop.button_down(stage, b)
            time.sleep(hold)
            for b in reversed(buttons):
                desktop.button_up(stage, b)
            clicks += 1
        time.sleep(generator.uniform(0.005, 0.08))
    alive = program.process.poll() is None
    probe.mark("soak-end")
    program.left_click_icon()  # switch off
    probe.settle(quiet=0.5, timeout=60)
    state = probe.key_state([1, 2, *kl.ARROWS, *kl.DEFAULT_BUTTON_KEYS])
    held = {vk: s for vk, s in state.items() if s[0] & 0x8000 or s[1] < 0}
    checker = check_probe_log(probe.log_path)
    rss = [kb for _, kb in samples]
    quarter = max(1, len(rss) // 4)
    early, late = statistics.mean(rss[quarter:2 * quarter]), statistics.mean(rss[-quarter:])
    return {
        "minutes": minutes, "alive": alive, "moves": moves, "button_actions": clicks,
        "rss_kb_samples": samples, "rss_early_kb": early, "rss_late_kb": late,
        "peak_kb": proc_status(pid, "VmHWM") if program.process.poll() is None else None,
        "arrow_bursts": checker.bursts, "arrow_error": checker.error, "held_after_off": held,
    }


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--programs", type=Path, required=True, help="the mingw build folder")
    parser.add_argument("--seconds", type=float, default=60)
    parser.add_argument("--starts", type=int, default=5)
    parser.add_argument("--soak", type=float, metavar="MINUTES")
    args = parser.parse_args()
    signal.signal(signal.SIGTERM, _interrupt)

    work = (args.programs.parent / "e2e-measure").resolve()
    programs = gather_programs(args.programs.resolve(), work / "programs")
    stage = Stage(work=work, programs=programs)
    try:
        stage.start(fresh_prefix=True)
        if args.soak:
            if args.soak < 10:
                print("note: a soak shorter than 10 minutes", flush=True)
            result = soak(stage, args.soak)
            (stage.artifacts / "soak.json").write_text(json.dumps(result, indent=1))
            growth = result["rss_late_kb"] - result["rss_early_kb"]
            flat = growth <= max(1024, 0.05 * result["rss_early_kb"])
            ok = result["alive"] and flat and not result["arrow_error"] and not result["held_after_off"]
            print(f"soak {args.soak:g} min: alive={result['alive']}, {result['moves']} moves, "
                  f"{result['button_actions']} button actions, RSS {result['rss_early_kb'] / 1024:.1f} -> "
                  f"{result['rss_late_kb'] / 1024:.1f} MiB ({'flat' if flat else 'GROWING'}), "
                  f"{result['arrow_bursts']} arrow bursts all whole: {result['arrow_error'] or 'yes'}, "
                  f"keys held after switching off: {result['held_after_off'] or 'none'}", flush=True)
            return 0 if ok else 1
        figures = []
        for profile in (None, NUDGEKEY2, NUDGEKEY):
            print(f"measuring {profile.exe if profile else BASELINE}", flush=True)
            figures.append(measure_program(stage, profile, args.seconds, args.starts))
        (stage.artifacts / "measure.json").write_text(json.dumps([asdict(f) for f in figures], indent=1))
        print(report(figures, args.seconds), flush=True)
        return 0
    except KeyboardInterrupt:
        print("interrupted", flush=True)
        return 1
    finally:
        stage.close()


if __name__ == "__main__":
    sys.exit(main())
