"""Drives the suite's probe window: starts it, sends it commands, reads its log."""

from __future__ import annotations

import time

import keylog
from environment import CheckFailed, Stage, wait_for


class Probe:
    """The topmost key-logging window. It covers the screen below the tray host's strip,
    so pointer buttons are pressed over a Wine window (Wine sees X buttons only there)."""

    TITLE = "Nudgekey e2e probe"

    def __init__(self, stage: Stage, name: str, place: tuple[int, int, int, int] | None = None):
        self.stage = stage
        self.folder = stage.drive_c / "probe" / name
        self.folder.mkdir(parents=True, exist_ok=True)
        for leftover in self.folder.iterdir():
            leftover.unlink()
        self.log_path = self.folder / "keys.log"
        self.command_path = self.folder / "command.txt"
        self.reply_path = self.folder / "reply.txt"
        width, height = stage.screen
        self.place = place or (0, 40, width, height - 40)
        self.next_id = 1
        self._pending: tuple[int, str] | None = None
        left, top, w, h = self.place
        self.process = stage.wine(str(stage.programs / "probe.exe"), stage.windows_path(self.log_path),
                                  stage.windows_path(self.command_path), stage.windows_path(self.reply_path),
                                  str(left), str(top), str(w), str(h), log="probe.log")
        wait_for("the probe to answer", lambda: self._try("status"), timeout=20)

    @property
    def centre(self) -> tuple[int, int]:
        """Where the pointer works: in the left half, clear of the windows that the
        programs show centred on the screen (the switcher, the capture dialog)."""
        left, top, width, height = self.place
        return (left + width // 4, top + height // 2)

    def command(self, text: str, timeout: float = 10.0) -> str:
        answer = wait_for(f"the probe to answer {text!r}", lambda: self._try(text), timeout=timeout)
        return answer

    def _try(self, text: str) -> str | None:
        """Sends once per id; a retry after a timeout re-sends under the same id."""
        if self._pending is None or self._pending[1] != text:
            self._pending = (self.next_id, text)
            self.next_id += 1
            temporary = self.command_path.with_suffix(".new")
            temporary.write_text(f"{self._pending[0]} {text}\n")
            temporary.replace(self.command_path)
        try:
            reply = self.reply_path.read_text()
        except FileNotFoundError:
            return None
        ident, _, answer = reply.strip().partition(" ")
        if ident == str(self._pending[0]):
            self._pending = None
            return answer or "ok"
        return None

    def mark(self, name: str) -> None:
        """Logs a marker once every message queued before it has been handled."""
        self.command(f"mark {name}")

    def focus(self) -> None:
        """Asks for the keyboard; key events go to the foreground window."""
        answer = self.command("focus")
        if "foreground=1" not in answer:
            raise CheckFailed(f"the probe could not take the foreground: {answer}")

    def status(self) -> dict[str, int]:
        return {k: int(v) for k, v in (part.split("=") for part in self.command("status").split())}

    def key_state(self, keys: list[int]) -> dict[int, tuple[int, int]]:
        """{vk: (GetAsyncKeyState, the probe thread's GetKeyState)}"""
        answer = self.command("keystate " + " ".join(map(str, keys)))
        state = {}
        for part in answer.split():
            vk, asynchronous, synchronous = part.split(":")
            state[int(vk)] = (int(asynchronous), int(synchronous))
        return state

    def entries(self) -> list[keylog.Entry]:
        return keylog.parse(self.log_path.read_text(errors="replace"))

    def settle(self, quiet: float = 0.3, timeout: float = 10.0) -> None:
        """Waits until no key message has arrived for `quiet` seconds."""
        deadline = time.monotonic() + timeout
        size = -1
        quiet_since = time.monotonic()
        while time.monotonic() < deadline:
            now_size = self.log_path.stat().st_size
            if now_size != size:
                size = now_size
                quiet_since = time.monotonic()
            elif time.monotonic() - quiet_since >= quiet:
                return
            time.sleep(0.05)
        raise CheckFailed(f"key messages kept arriving for {timeout:.0f} s")

    def keys_since(self, marker: str) -> list[keylog.Key]:
        return keylog.keys_between(self.entries(), f"mark {marker}")

    def wait_bursts(self, marker: str, burst: list[keylog.Event], count: int, what: str) -> None:
        """Waits until `count` whole copies of `burst` have arrived since the marker."""
        try:
            wait_for(f"{count} bursts of {what} after {marker!r}",
                     lambda: len(keylog.burst_times(self.keys_since(marker), burst)) >= count, timeout=10)
        except CheckFailed as failure:
            seen = [k.event for k in self.keys_since(marker)]
            raise CheckFailed(f"{failure}; expected {keylog.summarize(burst)}; "
                              f"{len(seen)} key events came: {keylog.summarize(seen[-120:], limit=8)}") from None
