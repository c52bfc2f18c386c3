"""What Wine knows about its windows, through the suite's winhelper.exe, and the
settings store through `wine reg`."""

from __future__ import annotations

from dataclasses import dataclass, field

from environment import CheckFailed, Stage

MENU_CLASS = "#32768"
DIALOG_CLASS = "#32770"


@dataclass(frozen=True)
class Rect:
    left: int
    top: int
    right: int
    bottom: int

    @staticmethod
    def parse(text: str) -> "Rect":
        return Rect(*(int(v) for v in text.split(",")))

    @property
    def width(self) -> int:
        return self.right - self.left

    @property
    def height(self) -> int:
        return self.bottom - self.top

    @property
    def centre(self) -> tuple[int, int]:
        return ((self.left + self.right) // 2, (self.top + self.bottom) // 2)

    def as_tuple(self) -> tuple[int, int, int, int]:
        return (self.left, self.top, self.right, self.bottom)


@dataclass
class Window:
    hwnd: str
    pid: int
    visible: bool
    class_name: str
    rect: Rect
    client: Rect
    title: str
    check: int | None = None
    children: list["Window"] = field(default_factory=list)

    def child(self, class_name: str, title: str) -> "Window":
        for child in self.children:
            if child.class_name == class_name and child.title == title:
                return child
        raise CheckFailed(f"no {class_name} {title!r} in window {self.title!r}; children: "
                          f"{[(c.class_name, c.title) for c in self.children]}")

    def text(self) -> str:
        """The texts of the window's static controls (a message box's message)."""
        return "\n".join(c.title for c in self.children if c.class_name == "Static" and c.title)


_ESCAPES = {"\\": "\\", "t": "\t", "r": "\r", "n": "\n"}


def _unescape(text: str) -> str:
    out, i = [], 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text) and text[i + 1] in _ESCAPES:
            out.append(_ESCAPES[text[i + 1]])
            i += 2
        else:
            out.append(text[i])
            i += 1
    return "".join(out)


def _parse_line(line: str) -> tuple[bool, Window]:
    is_child = line.startswith("child\t")
    if is_child:
        line = line[len("child\t"):]
    head, _, title = line.partition("\ttitle=")
    fields = dict(part.split("=", 1) for part in head.split("\t"))
    window = Window(hwnd=fields["hwnd"], pid=int(fields["pid"]), visible=fields["visible"] == "1",
                    class_name=fields["class"], rect=Rect.parse(fields["rect"]),
                    client=Rect.parse(fields["client"]), title=_unescape(title),
                    check=int(fields["check"]) if "check" in fields else None)
    return is_child, window


def windows(stage: Stage, title: str | None = None, class_name: str | None = None,
            children: bool = False) -> list[Window]:
    """Top-level windows with exactly this title and/or class, visible or not."""
    args = ["windows"]
    if title is not None:
        args += ["--title", title]
    if class_name is not None:
        args += ["--class", class_name]
    if children:
        args.append("--children")
    result = stage.wine_output(str(stage.programs / "winhelper.exe"), *args)
    if result.returncode not in (0, 1):
        raise CheckFailed(f"winhelper {' '.join(args)} failed: {result.stderr.decode(errors='replace')[-300:]}")
    found: list[Window] = []
    for line in result.stdout.decode("utf-8", errors="replace").splitlines():
        if not line.strip():
            continue
        is_child, window = _parse_line(line)
        if is_child and found:
            found[-1].children.append(window)
        elif not is_child:
            found.append(window)
    return found


def visible_window(stage: Stage, title: str | None = None, class_name: str | None = None,
                   children: bool = False) -> Window | None:
    shown = [w for w in windows(stage, title, class_name, children) if w.visible]
    return shown[0] if shown else None


def close_box(stage: Stage, window: Window) -> tuple[int, int]:
    result = stage.wine_output(str(stage.programs / "winhelper.exe"), "closebox", window.hwnd)
    if result.returncode != 0:
        raise CheckFailed(f"no close box found on {window.title!r}")
    x, y = result.stdout.decode().split()
    return int(x), int(y)


def broadcast_taskbar_created(stage: Stage) -> None:
    result = stage.wine_output(str(stage.programs / "winhelper.exe"), "taskbarcreated")
    if result.returncode != 0:
        raise CheckFailed("posting TaskbarCreated failed")


def async_key_state(stage: Stage, keys: list[int]) -> dict[int, int]:
    result = stage.wine_output(str(stage.programs / "winhelper.exe"), "keystate", *map(str, keys))
    return {int(k): int(v) for k, v in (part.split(":") for part in result.stdout.decode().split())}


# --- settings store --------------------------------------------------------------------

SETTINGS_KEY = r"HKCU\Software\VB and VBA Program Settings\Nudgekey"


def read_settings(stage: Stage, section: str) -> dict[str, str]:
    """The REG_SZ values of one section, {} when the section does not exist."""
    result = stage.wine_output("reg", "query", f"{SETTINGS_KEY}\\{section}")
    values: dict[str, str] = {}
    if result.returncode != 0:
        return values
    for line in result.stdout.decode("utf-8", errors="replace").splitlines():
        parts = line.strip().split("    ")
        if len(parts) >= 2 and parts[1] == "REG_SZ":
            values[parts[0]] = parts[2] if len(parts) > 2 else ""
    return values


def write_setting(stage: Stage, section: str, name: str, value: str) -> None:
    result = stage.wine_output("reg", "add", f"{SETTINGS_KEY}\\{section}", "/v", name, "/t", "REG_SZ",
                               "/d", value, "/f")
    if result.returncode != 0:
        raise CheckFailed(f"could not write {section}\\{name}: {result.stdout!r}")


def clear_settings(stage: Stage) -> None:
    stage.wine_output("reg", "delete", SETTINGS_KEY, "/f")


def notify_delete(stage: Stage, window: Window, icon_id: int = 1) -> bool:
    result = stage.wine_output(str(stage.programs / "winhelper.exe"), "notifydelete", window.hwnd, str(icon_id))
    return result.returncode == 0


def foreground(stage: Stage) -> Window | None:
    result = stage.wine_output(str(stage.programs / "winhelper.exe"), "foreground")
    lines = result.stdout.decode("utf-8", errors="replace").splitlines()
    return _parse_line(lines[0])[1] if result.returncode == 0 and lines else None
