# Sourced by the scripts that show the programs on a private virtual display.
# Keeps the ids of what it starts in desktop_pids, so only those are ended.

desktop_pids=()

# Xvfb, a window manager (without one Wine waits two seconds whenever a framed
# window hides) and a tray host with room for a few icons; exports DISPLAY.
start_virtual_desktop() {
  local number=90
  while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
  Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  desktop_pids+=($!)
  export DISPLAY=":$number"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done
  openbox >/dev/null 2>&1 &
  desktop_pids+=($!)
  # A tray of fixed width: one that grows on request leaves Wine's icon unpainted.
  trayer --edge bottom --align right --widthtype pixel --width 80 --height 24 >/dev/null 2>&1 &
  desktop_pids+=($!)
  park_pointer
  sleep 1
}

# The pointer out of the way in the top-left corner, so nothing is hovered.
park_pointer() {
  local _
  for _ in $(seq 20); do
    xdotool mousemove 0 0 2>/dev/null
    xdotool getmouselocation 2>/dev/null | grep -q '^x:0 y:0 ' && return 0
    sleep 0.1
  done
  return 0
}

stop_virtual_desktop() {
  local i
  for ((i = ${#desktop_pids[@]} - 1; i >= 0; i--)); do kill "${desktop_pids[i]}" 2>/dev/null || true; done
  desktop_pids=()
}

# The X window Wine docked into the tray host for a notification icon.
docked_icon_window() {
  local panel
  for panel in $(xdotool search --class trayer 2>/dev/null); do
    xwininfo -tree -id "$panel" 2>/dev/null | awk '/"explorer.exe"/ { print $1; exit }' | grep . && return 0
  done
  return 1
}

# "x y width height" of a window on the screen, frame included.
window_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
                            /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}

# Waits up to $2 half-seconds for the command $1 to succeed.
wait_for() {
  local _
  for _ in $(seq "${2:-60}"); do eval "$1" >/dev/null 2>&1 && return 0; sleep 0.5; done
  return 1
}

# Makes the Wine prefix ($WINEPREFIX, made on first use) and gives it Wine's own
# fonts. Debian's Wine does not load them from where fonts-wine installs them,
# so without this captions draw their close box as an "r" (no Marlett) and
# "MS Sans Serif" falls back to another face.
prepare_wine_prefix() {
  "$repo/scripts/wine-run.sh" --version >/dev/null
  local fonts=$WINEPREFIX/drive_c/windows/Fonts font
  mkdir -p "$fonts"
  for font in /usr/share/wine/fonts/*; do
    [ -e "$font" ] && [ ! -e "$fonts/${font##*/}" ] && cp "$font" "$fonts/"
  done
  return 0
}
