#!/usr/bin/env bash
# Builds the Windows programs and starts one under Wine from a program folder of
# its own (build/run/<program>/), where it creates its plug-in folders.
#
#   scripts/run.sh [Nudgekey2|Nudgekey] [--screenshot-only]
#
# With $DISPLAY set the program appears on that display. Without one (or with
# --screenshot-only) it runs on a private virtual display with a tray host,
# and a screenshot is saved to build/screenshots/run.png once its windows are
# up. The program runs until it exits or Ctrl-C; --screenshot-only ends it
# right after the screenshot. Everything the script started is ended again.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
source scripts/lib/desktop.sh

program=Nudgekey2
screenshot_only=false
for arg in "$@"; do
  case "$arg" in
    Nudgekey2 | Nudgekey) program=$arg ;;
    --screenshot-only) screenshot_only=true ;;
    *) echo "usage: $0 [Nudgekey2|Nudgekey] [--screenshot-only]" >&2; exit 2 ;;
  esac
done

./scripts/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc)" --target "$program"

folder=$repo/build/run/$program
mkdir -p "$folder"
cp "build/mingw/apps/$program.exe" "$folder/"
# A prefix of its own, apart from the tests' one: a running program and a test
# run never meet in one Wine session.
export NUDGEKEY_WINEPREFIX=${NUDGEKEY_WINEPREFIX:-$repo/build/wineprefix-run}
export WINEPREFIX=$NUDGEKEY_WINEPREFIX
prepare_wine_prefix

program_pid=""
cleanup() {
  trap - EXIT INT TERM
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null || true
  fi
  # Wine's helper processes end by themselves once the program is gone.
  timeout 20 wineserver -w 2>/dev/null || true
  stop_virtual_desktop
  wait 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

own_display=false
if [ -z "${DISPLAY:-}" ] || $screenshot_only; then
  own_display=true
  start_virtual_desktop
fi

if $own_display; then park_pointer; fi
echo "Starting $program from $folder (display $DISPLAY)"
(cd "$folder" && exec "$repo/scripts/wine-run.sh" "./$program.exe") &
program_pid=$!

if $own_display; then
  # Ready when Wine has docked the notification icon into the tray host and,
  # for Nudgekey2, the switcher window is up.
  program_window() { xdotool search --onlyvisible --classname "${program,,}.exe"; }
  for _ in $(seq 120); do
    if docked_icon_window >/dev/null && { [ "$program" != Nudgekey2 ] || program_window >/dev/null; }; then break; fi
    kill -0 "$program_pid" 2>/dev/null || { echo "$program ended before its windows appeared" >&2; exit 1; }
    sleep 0.5
  done
  sleep 3  # Wine paints the docked icon a moment after docking it
  mkdir -p build/screenshots
  import -window root build/screenshots/run.png
  echo "Screenshot: $repo/build/screenshots/run.png"
  if $screenshot_only; then exit 0; fi
fi

echo "$program is running; Ctrl-C ends it."
wait "$program_pid" || true
