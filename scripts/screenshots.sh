#!/usr/bin/env bash
# Takes the README's screenshots of the real programs under Wine on a private
# virtual display: the switcher of both programs, the tray menu and the
# key-capture dialog, saved to docs/screenshots/. Uses a Wine prefix of its
# own, so no stored setting of another run shows.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
source scripts/lib/desktop.sh

./scripts/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc)" --target Nudgekey2 Nudgekey

export NUDGEKEY_WINEPREFIX=$repo/build/wineprefix-screenshots
export WINEPREFIX=$NUDGEKEY_WINEPREFIX
prepare_wine_prefix
out=$repo/docs/screenshots
mkdir -p "$out"

program_pid=""
stop_program() {
  if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; fi
  program_pid=""
  timeout 20 wineserver -w 2>/dev/null || true
}
cleanup() {
  trap - EXIT INT TERM
  stop_program
  stop_virtual_desktop
  wait 2>/dev/null || true
}
trap cleanup EXIT
trap 'exit 130' INT TERM

start_program() {
  local folder=$repo/build/run-screenshots/$1
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "build/mingw/apps/$1.exe" "$folder/"
  park_pointer
  (cd "$folder" && exec "$repo/scripts/wine-run.sh" "./$1.exe") &
  program_pid=$!
  wait_for docked_icon_window 120 || { echo "no notification icon for $1" >&2; exit 1; }
  sleep 3  # Wine paints the docked icon a moment after docking it
}

# Saves the screen around a window ($1: window id) with a margin of $3 pixels.
save_window() {
  local x y w h margin=${3:-0}
  read -r x y w h < <(window_geometry "$1")
  import -window root -crop "$((w + 2 * margin))x$((h + 2 * margin))+$((x - margin))+$((y - margin))" +repage "$out/$2"
  echo "saved $out/$2"
}

# Clicks the middle of the docked notification icon with mouse button $1.
click_icon() {
  local x y w h
  read -r x y w h < <(window_geometry "$(docked_icon_window)")
  xdotool mousemove "$((x + w / 2))" "$((y + h / 2))" click "$1"
}

visible_window_named() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 | grep .; }
# Wine's pop-up menu: a visible, unnamed window of the program's class.
popup_menu_window() {
  local id
  for id in $(xdotool search --onlyvisible --classname "$1" 2>/dev/null); do
    [ -z "$(xdotool getwindowname "$id" 2>/dev/null)" ] && { echo "$id"; return 0; }
  done
  return 1
}

start_virtual_desktop
echo "Virtual display $DISPLAY"

# --- Nudgekey2: the switcher is shown at start
start_program Nudgekey2
wait_for "visible_window_named \"Orvo's Renderer Switcher\"" 60
switcher=$(visible_window_named "Orvo's Renderer Switcher")
sleep 1
save_window "$switcher" nudgekey2-switcher.png

# The notification icon in the tray host, enlarged.
read -r ix iy iw ih < <(window_geometry "$(docked_icon_window)")
import -window root -crop "$((iw + 8))x$((ih + 2))+$((ix - 4))+$((iy - 1))" +repage png:- | convert - -scale 300% "$out/tray-icon.png"
echo "saved $out/tray-icon.png"

# The tray menu, opened by a right click on the icon.
click_icon 3
wait_for "popup_menu_window nudgekey2.exe" 20
sleep 1
menu=$(popup_menu_window nudgekey2.exe)
read -r mx my mw mh < <(window_geometry "$menu")
save_window "$menu" tray-menu.png

# "Left Button..." opens the key-capture dialog. The entry is chosen with the
# pointer: under Wine the menu need not get the keyboard. Wine's entries are
# about 17 pixels high and separators 9, inside a 3-pixel border.
xdotool mousemove "$((mx + mw / 2))" "$((my + 3 + 17 + 9 + 8))" click 1
wait_for "visible_window_named 'Setup Left Button...'" 20
park_pointer
sleep 1
save_window "$(visible_window_named 'Setup Left Button...')" capture-dialog.png
stop_program

# --- Nudgekey: the switcher stays hidden until the first left click on the icon
start_program Nudgekey
click_icon 1
wait_for "visible_window_named \"Orvo's Switcher\"" 40
park_pointer
sleep 1
save_window "$(visible_window_named "Orvo's Switcher")" nudgekey-switcher.png
