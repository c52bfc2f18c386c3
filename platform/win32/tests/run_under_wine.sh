#!/usr/bin/env bash
# Runs a Win32-layer test program under Wine with what it needs beyond Wine:
# a display for its windows (a private Xvfb when $DISPLAY is unset) and a
# drive letter mapped to an empty folder, for the program-at-a-drive-root cases
# (passed on as NUDGEKEY_TEST_ROOT_DRIVE).
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
wine_run="$repo/scripts/wine-run.sh"

if [ -z "${DISPLAY:-}" ]; then
  NUDGEKEY_OWN_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "${BASH_SOURCE[0]}" "$@"
fi
# On a display of its own, a window manager: without one, Wine waits two
# seconds for a manager's answer each time a framed window is hidden.
manager=""
if [ -n "${NUDGEKEY_OWN_DISPLAY:-}" ] && command -v openbox >/dev/null; then
  openbox >/dev/null 2>&1 &
  manager=$!
fi

export WINEPREFIX=${NUDGEKEY_WINEPREFIX:-$repo/build/wineprefix}
"$wine_run" --version >/dev/null  # makes the prefix on first use

# Wine maps drive letters through symbolic links in the prefix; a program
# cannot map one itself (DefineDosDevice has no lasting effect under Wine).
root=$(mktemp -d)
drive=""
for letter in n o p q r s t u v w x y; do
  if [ ! -e "$WINEPREFIX/dosdevices/$letter:" ] && ln -s "$root" "$WINEPREFIX/dosdevices/$letter:" 2>/dev/null; then
    drive=$letter
    break
  fi
done
cleanup() {
  if [ -n "$manager" ]; then kill "$manager" 2>/dev/null || true; fi
  if [ -n "$drive" ]; then rm -f "$WINEPREFIX/dosdevices/$drive:"; fi
  rm -rf "$root"
}
trap cleanup EXIT

status=0
NUDGEKEY_TEST_ROOT_DRIVE=${drive:+${drive^^}:} "$wine_run" "$@" || status=$?
# Let this prefix's Wine processes end while the display they use still exists
# (bounded: another run may be using the same prefix).
timeout 30 wineserver -w || true
exit $status
