#!/usr/bin/env bash
# The test command: installs what is missing, builds the native and the
# Windows builds, and runs every test, natively and under Wine.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/build-env.sh"
cd "$ORDALIS_ROOT" || exit 1

setup || exit 1
mkdir -p build/logs

step() { printf '\n== %s (at %ds)\n' "$*" "$SECONDS"; }
failed=0

# skipped DIR: the tests that GoogleTest or a journey's script ("SKIPPED:
# reason") skipped in ctest's last run in DIR, each with the first line of its reason.
skipped() {
  local log=$1/Testing/Temporary/LastTest.log
  [ -f "$log" ] || return 0
  tr -d '\r' <"$log" | awk '
    /^[0-9]+\/[0-9]+ Test: / { test = $3 }
    /^SKIPPED: / { print "  skipped " test ": " substr($0, 10); next }
    / Skipped$/ { getline reason; next }
    /^\[  SKIPPED \] .* \([0-9]+ ms\)$/ { print "  skipped " $4 ": " reason; reason = "" }' | sort -u
}

step "native build (AddressSanitizer, UndefinedBehaviorSanitizer)"
configure build/native -DCMAKE_BUILD_TYPE=Debug || exit 1
cmake --build build/native -j "$ORDALIS_JOBS" || exit 1

# The shipped 32-bit build is always built with its tests, so that what does
# not compile for i686 is caught on every machine; its tests run where 32-bit
# Wine can.
step "win32 build (i686, the shipped programs, with the tests)"
configure build/win32 -DCMAKE_BUILD_TYPE=Release -DORDALIS_TESTS=ON --toolchain "$(toolchain win32)" || exit 1
cmake --build build/win32 -j "$ORDALIS_JOBS" || exit 1

if [ "$ORDALIS_RUN_ARCH" = win64 ]; then
  step "win64 build (x86_64: this kernel cannot start 32-bit programs, so the Windows tests run 64-bit)"
  configure build/win64 -DCMAKE_BUILD_TYPE=Release --toolchain "$(toolchain win64)" || exit 1
  cmake --build build/win64 -j "$ORDALIS_JOBS" || exit 1
fi

step "native tests"
(cd build/native && ctest -j "$ORDALIS_JOBS" --output-on-failure) 2>&1 | tee build/logs/ctest-native.log
[ "${PIPESTATUS[0]}" -eq 0 ] || failed=1

step "Windows tests under Wine ($ORDALIS_RUN_ARCH)"
(cd "build/$ORDALIS_RUN_ARCH" && ctest -j "$ORDALIS_JOBS" --output-on-failure) 2>&1 | tee build/logs/ctest-wine.log
[ "${PIPESTATUS[0]}" -eq 0 ] || failed=1

step "fuzzing the package reader (about a minute)"
"$ORDALIS_ROOT/scripts/fuzz-package.sh" 60 || failed=1

step "summary"
echo "fuzz:"
[ -f build/logs/fuzz.log ] && grep -E '^Done [0-9]+ runs|^==[0-9]+==ERROR|deadly signal' build/logs/fuzz.log | sed 's/^/  /'
for log in native wine; do
  if [ $log = native ]; then dir=build/native; else dir=build/$ORDALIS_RUN_ARCH; fi
  echo "$log ($dir):"
  skipped "$dir"
  grep -E '^[0-9]+% tests passed|^Total Test time' "build/logs/ctest-$log.log" | sed 's/^/  /'
done
exit $failed
