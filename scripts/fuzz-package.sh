#!/usr/bin/env bash
# Fuzzes the package and journal readers: builds the fuzz targets with clang
# in build/fuzz, writes the seed corpora with the writers, and runs one
# worker for each, one after the other.
#
# usage: scripts/fuzz-package.sh [SECONDS]   (default 60)
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/build-env.sh"
cd "$ORDALIS_ROOT" || exit 1
seconds=${1:-60}
mkdir -p build/logs
rm -f build/logs/fuzz.log

configure build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DORDALIS_FUZZ=ON -DORDALIS_TESTS=OFF || exit 1
cmake --build build/fuzz -j "$ORDALIS_JOBS" || exit 1

rm -rf build/fuzz/seeds build/fuzz/journal-seeds
mkdir -p build/fuzz/seeds build/fuzz/journal-seeds build/fuzz/corpus build/fuzz/journal-corpus build/fuzz/artifacts
build/fuzz/bin/make_seeds build/fuzz/seeds build/fuzz/journal-seeds || exit 1

# The timeout catches input that takes more than linear time; the malloc
# limit, a length from the input being allocated before it is checked.
build/fuzz/bin/package_fuzz build/fuzz/corpus build/fuzz/seeds -max_total_time="$seconds" -timeout=10 \
  -rss_limit_mb=2048 -malloc_limit_mb=64 -max_len=65536 -artifact_prefix=build/fuzz/artifacts/ \
  -print_final_stats=1 2>&1 | tee build/logs/fuzz.log | grep -E '^(Done|==|SUMMARY|stat::number)|ERROR|crash'
status=${PIPESTATUS[0]}
[ "$status" -eq 0 ] || exit "$status"
build/fuzz/bin/journal_fuzz build/fuzz/journal-corpus build/fuzz/journal-seeds -max_total_time="$seconds" -timeout=10 \
  -rss_limit_mb=2048 -malloc_limit_mb=64 -max_len=65536 -artifact_prefix=build/fuzz/artifacts/journal- \
  -print_final_stats=1 2>&1 | tee -a build/logs/fuzz.log | grep -E '^(Done|==|SUMMARY|stat::number)|ERROR|crash'
exit "${PIPESTATUS[0]}"
