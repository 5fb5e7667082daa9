#!/usr/bin/env bash
# Builds the chain import benchmark and runs it under Wine, in a prefix and
# a display of its own: it writes thousands of chains into that prefix's
# registry.
#
# usage: scripts/bench-chains.sh [--one-key] [CHAINS...]
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/build-env.sh"
cd "$ORDALIS_ROOT"

mkdir -p build
# build_for_wine's setup decides which Windows build this machine runs.
build_for_wine chain_bench
arch=$ORDALIS_RUN_ARCH
exec "$ORDALIS_ROOT/cmake/wine-run.sh" "$ORDALIS_ROOT/build/$arch/wine-template" "$arch" \
  "$ORDALIS_ROOT/build/$arch/bin/chain_bench.exe" "$@"
