#!/usr/bin/env bash
# Benchmarks the package writer and reader on a package of about 100 MB
# against cp of the same file, and reads of packages of tiny presets: an optimised build without sanitizers in
# build/bench, run in a temporary folder (TMPDIR, else /tmp).
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/build-env.sh"
cd "$ORDALIS_ROOT" || exit 1

configure build/bench -DCMAKE_BUILD_TYPE=Release -DORDALIS_SANITIZE=OFF -DORDALIS_TESTS=OFF -DORDALIS_BENCH=ON || exit 1
cmake --build build/bench -j "$ORDALIS_JOBS" --target package_bench || exit 1

folder=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-bench.XXXXXX") || exit 1
trap 'rm -rf "$folder"' EXIT
echo "folder: $folder ($(df -T "$folder" | awk 'NR==2 {print $2}'))"
build/bench/bin/package_bench "$folder" || exit 1
# Packages of tiny presets: the read grows linearly, and the records take a
# fraction of the file's size. Each in a process of its own, so its peak
# memory is its own.
for count in 125000 250000 500000 1000000; do
  build/bench/bin/package_bench --tiny "$folder" "$count" || exit 1
done
