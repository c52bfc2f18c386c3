#!/usr/bin/env bash
# End-to-end acceptance: the real programs under Wine on a virtual display, driven
# with the pointer and the keyboard like a user. Builds the mingw preset first (a
# no-op when it is up to date). Extra arguments go to e2e/run.py (e.g. --only startup).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

[ -f build/mingw/CMakeCache.txt ] || cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc)" >/dev/null

python3 e2e/test_keylog.py
exec python3 e2e/run.py --programs build/mingw "$@"
