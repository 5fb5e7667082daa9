#!/usr/bin/env bash
# Benchmarks copying 20,000 presets from the system store into an empty
# package, then undo and redo, natively (optimised, no sanitizers) and under
# Wine in a prefix and a display of its own.
#
# usage: scripts/bench-edit.sh [PRESETS_PER_PLUG_IN]
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/build-env.sh"
cd "$ORDALIS_ROOT"

setup
configure build/bench -DCMAKE_BUILD_TYPE=Release -DORDALIS_SANITIZE=OFF -DORDALIS_TESTS=OFF -DORDALIS_BENCH=ON
cmake --build build/bench --target edit_bench -j "$ORDALIS_JOBS" >build/build-edit_bench-native.log 2>&1 || {
  cat build/build-edit_bench-native.log >&2
  exit 1
}
echo "== native"
build/bench/bin/edit_bench "$@"

build_for_wine edit_bench
arch=$ORDALIS_RUN_ARCH
echo "== under Wine ($arch)"
"$ORDALIS_ROOT/cmake/wine-run.sh" "$ORDALIS_ROOT/build/$arch/wine-template" "$arch" \
  "$ORDALIS_ROOT/build/$arch/bin/edit_bench.exe" "$@"
