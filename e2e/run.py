"""Runs the end-to-end scenarios against the real programs under Wine.

    python3 e2e/run.py --programs build/mingw [--only NAME...] [--keep-prefix] [--window-manager]
                       [--publish-screenshots docs/screenshots]

Prints one line per scenario and ends with "N passed, N failed"; the exit code is 1 when
any scenario failed. Screenshots go to build/e2e-artifacts/.
"""

from __future__ import annotations

import argparse
import shutil
import signal
import sys
import time
import traceback
from pathlib import Path

import scenarios
import wine_windows as ww
from environment import CheckFailed, Stage


def _interrupt(signum, frame):
    raise KeyboardInterrupt(f"signal {signum}")


def gather_programs(build: Path, into: Path) -> Path:
    """The suite's programs and the two programs under test, side by side."""
    into.mkdir(parents=True, exist_ok=True)
    for source in [*(build / "e2e").glob("*.exe"), *(build / "apps").rglob("Nudgekey*.exe")]:
        target = into / source.name
        target.write_bytes(source.read_bytes())
    return into


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--programs", type=Path, required=True, help="the mingw build folder")
    parser.add_argument("--work", type=Path, help="work folder (default: <build>/../e2e)")
    parser.add_argument("--only", nargs="*", default=[], help="run only scenarios whose name contains one of these")
    parser.add_argument("--keep-prefix", action="store_true", help="reuse the Wine prefix of an earlier run")
    parser.add_argument("--window-manager", action="store_true", help="run openbox on the display")
    parser.add_argument("--publish-screenshots", type=Path, metavar="DIR",
                        help="after a run without failures, copy the best screenshots there as e2e-*.png")
    args = parser.parse_args()

    signal.signal(signal.SIGTERM, _interrupt)
    work = (args.work or args.programs.parent / "e2e").resolve()
    programs = gather_programs(args.programs.resolve(), work / "programs")
    chosen = [s for s in scenarios.SCENARIOS if not args.only or any(o in s.name or o in s.description for o in args.only)]

    passed = failed = 0
    stage = Stage(work=work, programs=programs, window_manager=args.window_manager)
    for old_picture in stage.artifacts.glob("*.png"):
        old_picture.unlink()
    try:
        started = time.monotonic()
        stage.start(fresh_prefix=not args.keep_prefix)
        print(f"stage ready in {time.monotonic() - started:.0f} s (display {stage.display})", flush=True)
        for scenario in chosen:
            missing = [p for p in scenario.needs if not (programs / p).exists()]
            if missing:
                print(f"FAIL {scenario.name}: {', '.join(missing)} not built", flush=True)
                failed += 1
                continue
            started = time.monotonic()
            try:
                ww.clear_settings(stage)
                note = scenario.run(scenarios.Context(stage, scenario.name))
                print(f"PASS {scenario.name}: {scenario.description} ({time.monotonic() - started:.1f} s)"
                      + (f"\n     {note}" if note else ""), flush=True)
                passed += 1
            except CheckFailed as failure:
                print(f"FAIL {scenario.name}: {scenario.description} ({time.monotonic() - started:.1f} s)\n"
                      f"     {failure}", flush=True)
                failed += 1
            except Exception:
                print(f"FAIL {scenario.name}: harness error\n{traceback.format_exc()}", flush=True)
                failed += 1
            finally:
                stage.end_wine()
    except KeyboardInterrupt:
        print("interrupted", flush=True)
        failed += 1
    finally:
        stage.close()
    if args.publish_screenshots and not failed:
        publish_screenshots(stage.artifacts, args.publish_screenshots)
    print(f"{passed} passed, {failed} failed", flush=True)
    return 1 if failed else 0


def publish_screenshots(artifacts: Path, target: Path) -> None:
    target.mkdir(parents=True, exist_ok=True)
    for source, name in scenarios.DOC_SCREENSHOTS.items():
        picture = artifacts / f"{source}.png"
        if picture.exists():
            shutil.copyfile(picture, target / f"{name}.png")


if __name__ == "__main__":
    sys.exit(main())
