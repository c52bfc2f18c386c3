#!/usr/bin/env bash
# Builds everything and runs every test: the core's unit tests on the host (plain
# and with sanitizers), the same tests and the Win32 layer's tests cross-built
# and run under Wine, and the end-to-end suite against the real programs.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

./scripts/setup.sh

jobs=$(nproc)
werror=()
[ -n "${CI:-}" ] && werror=(-DNUDGEKEY_WERROR=ON)

for preset in host asan mingw; do
  echo "=== $preset: configure and build"
  cmake --preset "$preset" "${werror[@]}" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "=== $preset: tests"
  ctest --preset "$preset"
done

if [ -x scripts/e2e.sh ]; then
  echo "=== end-to-end: the real programs under Wine"
  ./scripts/e2e.sh
fi
