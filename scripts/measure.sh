#!/usr/bin/env bash
# Measures both programs under Wine against the suite's baseline.exe (start-up to the
# docked icon, peak memory, CPU time with the engine on, the achieved tick rate).
# Extra arguments go to e2e/measure.py: --seconds N, --starts N, --soak MINUTES.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

[ -f build/mingw/CMakeCache.txt ] || cmake --preset mingw >/dev/null
cmake --build --preset mingw -j "$(nproc)" >/dev/null
exec python3 e2e/measure.py --programs build/mingw "$@"
