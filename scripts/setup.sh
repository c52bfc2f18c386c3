#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, skipping what is there.
set -euo pipefail

packages=(cmake make g++ python3 libgtest-dev libgmock-dev libbenchmark-dev
          g++-mingw-w64-i686 mingw-w64-i686-dev
          wine wine32:i386 wine64 fonts-wine xvfb xdotool x11-utils trayer imagemagick openbox)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
