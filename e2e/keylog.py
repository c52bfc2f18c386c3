"""Reads the probe's log and checks key-event sequences against the engine's bursts.

Every check here is on data only, so it is unit-tested without Wine (test_keylog.py).
"""

from __future__ import annotations

from dataclasses import dataclass
from typing import Iterable, Sequence

WM_KEYDOWN, WM_KEYUP = 256, 257
VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN = 37, 38, 39, 40
ARROWS = (VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN)
DEFAULT_BUTTON_KEYS = (65, 88, 83)  # A, X, S: left, right, both

HORIZONTAL_PRESSES = 20
VERTICAL_PRESSES = 30
BUTTON_PRESSES = 5


@dataclass(frozen=True)
class Key:
    """One key message as the probe saw it."""

    us: int  # probe clock, microseconds
    msgtime: int  # GetMessageTime: when the input was generated, milliseconds
    down: bool
    vk: int
    scan: int
    message: int

    @property
    def event(self) -> tuple[bool, int]:
        return (self.down, self.vk)


@dataclass(frozen=True)
class Marker:
    us: int
    tick: int
    text: str


@dataclass(frozen=True)
class MenuChoice:
    us: int
    index: int


Entry = Key | Marker | MenuChoice


def parse(text: str) -> list[Entry]:
    """The entries of a probe log; a last line cut short by a concurrent write is skipped."""
    entries: list[Entry] = []
    for line in text.split("\n"):
        fields = line.rstrip("\r").split("\t")
        try:
            if fields[0] == "K" and len(fields) == 7:
                entries.append(Key(int(fields[1]), int(fields[2]), fields[3] == "D", int(fields[4]),
                                   int(fields[5]), int(fields[6])))
            elif fields[0] == "C" and len(fields) == 4:
                entries.append(Marker(int(fields[1]), int(fields[2]), fields[3]))
            elif fields[0] == "P" and len(fields) == 5 and fields[3] == "menu":
                entries.append(MenuChoice(int(fields[1]), int(fields[4])))
        except ValueError:
            continue
    return entries


def keys_between(entries: Sequence[Entry], start: str, end: str | None = None) -> list[Key]:
    """Key messages after the marker `start` and before the marker `end` (or the log's end)."""
    keys: list[Key] = []
    inside = False
    for entry in entries:
        if isinstance(entry, Marker):
            if inside and end is not None and entry.text == end:
                return keys
            if entry.text == start:
                inside = True
                keys = []
            continue
        if inside and isinstance(entry, Key):
            keys.append(entry)
    if not inside:
        raise ValueError(f"marker {start!r} is not in the log")
    if end is not None:
        raise ValueError(f"marker {end!r} does not follow {start!r} in the log")
    return keys


# --- the bursts of one tick -------------------------------------------------------------

Event = tuple[bool, int]  # (down, virtual key)


def press(vk: int, times: int = 1) -> list[Event]:
    return [(True, vk)] * times


def release(vk: int) -> list[Event]:
    return [(False, vk)]


def pure_hold(vk: int, presses: int) -> list[Event]:
    return press(vk, presses) + release(vk)


def diagonal_hold(vertical: int, horizontal: int) -> list[Event]:
    pairs: list[Event] = []
    for _ in range(HORIZONTAL_PRESSES):
        pairs += [(True, vertical), (True, horizontal)]
    return pairs + release(horizontal) + release(vertical)


# The hold burst that one resting tick sends for each latched direction.
HOLD_BURSTS: dict[int, list[Event]] = {
    1: pure_hold(VK_RIGHT, HORIZONTAL_PRESSES),
    -1: pure_hold(VK_LEFT, HORIZONTAL_PRESSES),
    2: pure_hold(VK_UP, VERTICAL_PRESSES),
    -2: pure_hold(VK_DOWN, VERTICAL_PRESSES),
    3: diagonal_hold(VK_UP, VK_RIGHT),
    -3: diagonal_hold(VK_UP, VK_LEFT),
    4: diagonal_hold(VK_DOWN, VK_RIGHT),
    -4: diagonal_hold(VK_DOWN, VK_LEFT),
}


def button_burst(key: int) -> list[Event]:
    return press(key, BUTTON_PRESSES)


def button_release(first: int, both: int) -> list[Event]:
    return release(first) + release(both)


@dataclass(frozen=True)
class Run:
    """A tick pattern expected `minimum` or more times in a row (greedily)."""

    name: str
    pattern: tuple[Event, ...]
    minimum: int = 0
    maximum: int | None = None


def run(name: str, pattern: Iterable[Event], minimum: int = 0, maximum: int | None = None) -> Run:
    return Run(name, tuple(pattern), minimum, maximum)


class SequenceMismatch(AssertionError):
    pass


def describe(event: Event) -> str:
    names = {VK_LEFT: "VK_LEFT", VK_UP: "VK_UP", VK_RIGHT: "VK_RIGHT", VK_DOWN: "VK_DOWN"}
    return f"{'press' if event[0] else 'release'} {names.get(event[1], event[1])}"


def match_runs(events: Sequence[Event], runs: Sequence[Run], partial_start: bool = False) -> dict[str, int]:
    """Checks that `events` is exactly the runs in order, each pattern repeated whole.

    With `partial_start`, the events may begin with the tail of one run's pattern: the
    keyboard focus came to the probe while a tick was sending its burst.
    Returns how often each run's pattern occurred. Raises SequenceMismatch naming the
    first event that fits no run, or the run that occurred too seldom.
    """
    counts: dict[str, int] = {}
    position = _partial_start_length(events, runs) if partial_start else 0
    for expected in runs:
        pattern = list(expected.pattern)
        count = 0
        while (expected.maximum is None or count < expected.maximum) and pattern and \
                list(events[position:position + len(pattern)]) == pattern:
            position += len(pattern)
            count += 1
        if count < expected.minimum:
            raise SequenceMismatch(
                f"{expected.name}: {count} times, at least {expected.minimum} expected; "
                f"{_context(events, position)}")
        counts[expected.name] = counts.get(expected.name, 0) + count
    if position != len(events):
        raise SequenceMismatch(f"unexpected events after {', '.join(f'{k} x{v}' for k, v in counts.items())}: "
                               f"{_context(events, position)}")
    return counts


def _partial_start_length(events: Sequence[Event], runs: Sequence[Run]) -> int:
    """Length of the shortest proper tail of a run's pattern that the events start with,
    0 when they start with a whole pattern (or with none)."""
    for expected in runs:
        if expected.pattern and list(events[:len(expected.pattern)]) == list(expected.pattern):
            return 0
    best = 0
    for expected in runs:
        pattern = list(expected.pattern)
        for cut in range(len(pattern) - 1, 0, -1):  # shortest tail first
            tail = pattern[cut:]
            if list(events[:len(tail)]) == tail:
                if best == 0 or len(tail) < best:
                    best = len(tail)
                break
    return best


def _context(events: Sequence[Event], position: int) -> str:
    if position >= len(events):
        return f"the log ends after {len(events)} events"
    shown = ", ".join(describe(e) for e in events[position:position + 6])
    return f"event {position} of {len(events)} is {describe(events[position])} ({shown}, ...)"


def scan_codes_mismatching(keys: Iterable[Key]) -> list[Key]:
    """Key messages whose scan code is not their virtual-key code, or that are not plain
    WM_KEYDOWN/WM_KEYUP: the engine passes the key code as the scan code, no flags."""
    return [k for k in keys if k.scan != k.vk or k.message not in (WM_KEYDOWN, WM_KEYUP)]


def held_keys(keys: Iterable[Key]) -> set[int]:
    """Keys whose last message in the log is a press."""
    state: dict[int, bool] = {}
    for key in keys:
        state[key.vk] = key.down
    return {vk for vk, down in state.items() if down}


def burst_times(keys: Sequence[Key], burst: Sequence[Event]) -> list[int]:
    """The probe time (us) at which each complete copy of `burst` ended, for a stream that
    may interleave other events between copies (they are skipped)."""
    times: list[int] = []
    pattern = list(burst)
    i = 0
    while i + len(pattern) <= len(keys):
        if [k.event for k in keys[i:i + len(pattern)]] == pattern:
            times.append(keys[i + len(pattern) - 1].us)
            i += len(pattern)
        else:
            i += 1
    return times


def match_any(events: Sequence[Event], patterns: dict[str, Sequence[Event]]) -> dict[str, int]:
    """Checks that `events` splits into whole copies of the given patterns, in any order
    (tried in the order given at each position). Returns how often each occurred."""
    counts = {name: 0 for name in patterns}
    position = 0
    while position < len(events):
        for name, pattern in patterns.items():
            pattern = list(pattern)
            if pattern and list(events[position:position + len(pattern)]) == pattern:
                counts[name] += 1
                position += len(pattern)
                break
        else:
            raise SequenceMismatch(f"no expected burst fits: {_context(events, position)}")
    return counts


def summarize(events: Sequence[Event], limit: int = 12) -> str:
    """Run-length text of an event stream, repeats of one event or of an alternating pair
    folded: "(press VK_UP, press VK_RIGHT) x19, release VK_RIGHT, release VK_UP"."""
    parts: list[str] = []
    i = 0
    while i < len(events) and len(parts) < limit:
        single = 1
        while i + single < len(events) and events[i + single] == events[i]:
            single += 1
        pair = 0
        if single == 1 and i + 1 < len(events) and events[i + 1] != events[i]:
            unit = list(events[i:i + 2])
            while list(events[i + 2 * pair:i + 2 * pair + 2]) == unit:
                pair += 1
        if pair > 1:
            parts.append(f"({describe(events[i])}, {describe(events[i + 1])}) x{pair}")
            i += 2 * pair
        else:
            parts.append(describe(events[i]) + (f" x{single}" if single > 1 else ""))
            i += single
    if i < len(events):
        parts.append(f"... {len(events) - i} more")
    return ", ".join(parts)
