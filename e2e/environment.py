"""The stage for a run: a virtual display, a tray host and one Wine prefix.

Everything started here is remembered by process id and ended by that id; the prefix's
own processes (the programs, explorer, the emulator stand-in) end with `wineserver -k`
for this prefix only.
"""

from __future__ import annotations

import os
import shutil
import signal
import subprocess
import time
from dataclasses import dataclass, field
from pathlib import Path
from typing import Callable, TypeVar

T = TypeVar("T")


class CheckFailed(AssertionError):
    """A scenario's expectation was not met."""


def wait_for(what: str, probe: Callable[[], T], timeout: float = 10.0, interval: float = 0.1) -> T:
    """Polls `probe` until it returns a true value; fails naming `what` after `timeout` s."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise CheckFailed(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def stays(what: str, probe: Callable[[], object], duration: float, interval: float = 0.1) -> None:
    """Fails as soon as `probe` turns false within `duration` seconds."""
    deadline = time.monotonic() + duration
    while time.monotonic() < deadline:
        if not probe():
            raise CheckFailed(f"{what} did not hold for {duration:.1f} s")
        time.sleep(interval)


def check(condition: object, message: str) -> None:
    if not condition:
        raise CheckFailed(message)


@dataclass
class Stage:
    """One run's display, tray host and Wine prefix, under `work` (inside build/)."""

    work: Path
    programs: Path  # where the cross-built .exe files are
    window_manager: bool = False
    screen: tuple[int, int] = (1024, 768)
    display: str = ""
    owned: list[subprocess.Popen] = field(default_factory=list)
    tray: subprocess.Popen | None = None

    @property
    def prefix(self) -> Path:
        return self.work / "prefix"

    @property
    def drive_c(self) -> Path:
        return self.prefix / "drive_c"

    @property
    def artifacts(self) -> Path:
        return self.work.parent / "e2e-artifacts"

    def env(self) -> dict[str, str]:
        env = dict(os.environ)
        env.update({
            "DISPLAY": self.display,
            "WINEPREFIX": str(self.prefix),
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            # Wine names Unix files in the locale's encoding: UTF-8 keeps "GL²ide" as U+00B2.
            "LANG": "C.UTF-8",
        })
        env.pop("LC_ALL", None)
        return env

    # --- life cycle ----------------------------------------------------------------

    def start(self, fresh_prefix: bool = True) -> None:
        self.work.mkdir(parents=True, exist_ok=True)
        self.artifacts.mkdir(parents=True, exist_ok=True)
        self._start_display()
        if self.window_manager:
            self.spawn(["openbox", "--sm-disable"], log="openbox.log")
        self.start_tray()
        self._make_prefix(fresh_prefix)

    def close(self) -> None:
        """Ends everything this stage started, also after a failure or an interrupt."""
        if self.display:
            self.end_wine()
        for process in reversed(self.owned):
            self._end(process)
        self.owned.clear()

    def __enter__(self) -> "Stage":
        return self

    def __exit__(self, *exc) -> None:
        self.close()

    def _start_display(self) -> None:
        read_end, write_end = os.pipe()
        width, height = self.screen
        process = self.spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
                              "-nolisten", "tcp", "-noreset"], log="xvfb.log", pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as reader:
            number = reader.readline().strip()
        if not number or process.poll() is not None:
            raise RuntimeError(f"Xvfb did not start; see {self.work / 'xvfb.log'}")
        self.display = f":{number}"

    def start_tray(self) -> None:
        # A tray of fixed width: one that grows on request can leave Wine's icon unpainted.
        self.tray = self.spawn(["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel",
                                "--width", "80", "--height", "24", "--SetDockType", "true",
                                "--transparent", "false"], log="trayer.log")
        from desktop import tray_panel  # late: desktop needs a running display
        wait_for("the tray host's panel", lambda: tray_panel(self), timeout=10)

    def stop_tray(self) -> None:
        if self.tray is not None:
            self._end(self.tray)
            self.owned.remove(self.tray)
            self.tray = None

    def _make_prefix(self, fresh: bool) -> None:
        if fresh and self.prefix.exists():
            shutil.rmtree(self.prefix)
        if not (self.prefix / "system.reg").exists():
            self.prefix.mkdir(parents=True, exist_ok=True)
            subprocess.run(["wineboot", "-i"], env=self.env(), stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=300)
        # Debian's Wine does not load its own fonts from where it installs them: without
        # them captions lack the Marlett close box and "MS Sans Serif" falls back.
        fonts = self.drive_c / "windows" / "Fonts"
        fonts.mkdir(parents=True, exist_ok=True)
        for font in Path("/usr/share/wine/fonts").glob("*"):
            if not (fonts / font.name).exists():
                shutil.copyfile(font, fonts / font.name)
        self.end_wine()

    # --- processes -----------------------------------------------------------------

    def spawn(self, args: list[str], log: str | None = None, cwd: Path | None = None,
              pass_fds: tuple[int, ...] = ()) -> subprocess.Popen:
        """Starts a process that this stage owns and will end by its id."""
        output = open(self.work / log, "ab") if log else subprocess.DEVNULL
        try:
            process = subprocess.Popen(args, env=self.env(), cwd=cwd, stdin=subprocess.DEVNULL, stdout=output,
                                       stderr=subprocess.STDOUT, pass_fds=pass_fds)
        finally:
            if log:
                output.close()
        self.owned.append(process)
        return process

    def wine(self, program: str, *args: str, cwd: Path | None = None, log: str = "wine.log") -> subprocess.Popen:
        return self.spawn(["wine", program, *args], log=log, cwd=cwd or self.drive_c)

    def wine_output(self, program: str, *args: str, timeout: float = 60) -> subprocess.CompletedProcess:
        """Runs a console program of the prefix to its end (killed by its id on a timeout)
        and returns its output."""
        return subprocess.run(["wine", program, *args], env=self.env(), cwd=self.drive_c,
                              capture_output=True, timeout=timeout)

    def end(self, process: subprocess.Popen) -> None:
        self._end(process)
        if process in self.owned:
            self.owned.remove(process)

    def end_wine(self) -> None:
        """Ends every process of this prefix and waits until its wineserver is gone."""
        for process in list(self.owned):
            if process.args and process.args[0] == "wine":
                self.end(process)
        env = self.env()
        subprocess.run(["wineserver", "-k"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=30)
        subprocess.run(["wineserver", "-w"], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=30)

    @staticmethod
    def _end(process: subprocess.Popen) -> None:
        if process.poll() is None:
            process.send_signal(signal.SIGTERM)
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait(timeout=5)

    # --- paths ---------------------------------------------------------------------

    def windows_path(self, path: Path) -> str:
        relative = path.relative_to(self.drive_c)
        return "C:\\" + "\\".join(relative.parts)
