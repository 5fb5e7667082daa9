#!/usr/bin/env bash
# Builds the views' benchmark and runs it under Wine, in a prefix and a
# display of its own: it fills that prefix's registry with a large store.
#
# usage: scripts/bench-views.sh [RUNS]
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/build-env.sh"
cd "$ORDALIS_ROOT"

build_for_wine views_bench
arch=$ORDALIS_RUN_ARCH
exec "$ORDALIS_ROOT/cmake/wine-run.sh" "$ORDALIS_ROOT/build/$arch/wine-template" "$arch" \
  "$ORDALIS_ROOT/build/$arch/bin/views_bench.exe" "$@"
