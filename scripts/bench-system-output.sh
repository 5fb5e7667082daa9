#!/usr/bin/env bash
# How long `ordalis-cli system` takes under Wine for a large system store,
# with its output into a file, into /dev/null and into a pipe. The store is
# made with `reg import` in a prefix and a display of its own, removed
# afterwards.
#
# usage: scripts/bench-system-output.sh [PRESETS] [RUNS]   (default 100000 3)
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/build-env.sh"
cd "$ORDALIS_ROOT"

presets=${1:-100000}
runs=${2:-3}
build_for_wine ordalis-cli
arch=$ORDALIS_RUN_ARCH
template="$ORDALIS_ROOT/build/$arch/wine-template"
wine_template "$template" "$arch"
work=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-output-bench.XXXXXX")
cleanup() {
  WINEPREFIX="$work/prefix" wine_server -k >/dev/null 2>&1 || true
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT
cp -a "$template" "$work/prefix"
xvfb_start "$work"
export WINEPREFIX="$work/prefix"
wine=$(wine_loader "$arch")
cli="$ORDALIS_ROOT/build/$arch/bin/ordalis-cli.exe"

# 100 presets of 16 bytes in the registry itself per plug-in key.
per_key=100
{
  printf 'Windows Registry Editor Version 5.00\r\n'
  for ((key = 0; key * per_key < presets; key++)); do
    printf '\r\n[HKEY_CURRENT_USER\\Software\\DirectShow\\Presets\\{%08X-0000-4000-8000-000000000000}]\r\n' "$key"
    for ((value = 0; value < per_key && key * per_key + value < presets; value++)); do
      printf '"Preset %05d"=hex:01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10\r\n' "$value"
    done
  done
} >"$work/store.reg"
"$wine" reg import "$(winepath -w "$work/store.reg" 2>/dev/null || echo "Z:${work//\//\\}\\store.reg")" >/dev/null 2>&1
wine_server -w 2>/dev/null || true

seconds() {
  local start end
  start=$(date +%s.%N)
  "$@"
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}
into_file() { "$wine" "$cli" system >"$work/out.txt"; }
into_null() { "$wine" "$cli" system >/dev/null; }
into_pipe() { "$wine" "$cli" system | cat >/dev/null; }

into_file
lines=$(wc -l <"$work/out.txt")
echo "ordalis-cli system, $presets presets ($lines lines of output), seconds per run:"
for ((run = 1; run <= runs; run++)); do
  printf '  run %d: file %6.2f   /dev/null %6.2f   pipe %6.2f\n' "$run" \
    "$(seconds into_file)" "$(seconds into_null)" "$(seconds into_pipe)"
done
