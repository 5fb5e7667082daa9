# Build settings shared by the test, run and benchmark commands. Sourced, not run.

ORDALIS_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$ORDALIS_ROOT/cmake/wine-env.sh"
ORDALIS_JOBS=$(nproc 2>/dev/null || echo 2)

# setup: installs what is missing, then sets ORDALIS_RUN_ARCH to the Windows
# build whose programs this machine can run under Wine: the shipped 32-bit
# one, or, where the kernel has no IA-32 emulation (32-bit Wine cannot start
# there), a 64-bit build of the same sources. Decided only after the install,
# which may be what brings 32-bit Wine.
setup() {
  "$ORDALIS_ROOT/scripts/setup.sh" || return 1
  if wine_can_run_32bit; then
    ORDALIS_RUN_ARCH=win32
  else
    ORDALIS_RUN_ARCH=win64
  fi
}

# configure DIR [CMAKE-ARGUMENTS...]: configures a build folder (cheap when
# nothing changed).
configure() {
  local dir=$1
  shift
  mkdir -p "$ORDALIS_ROOT/build"
  # Where ccache is installed, several checkouts of the tree share compiled
  # objects; it is an optional speed-up, never required.
  local launcher=()
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  cmake -S "$ORDALIS_ROOT" -B "$ORDALIS_ROOT/$dir" -G Ninja -Wno-dev "${launcher[@]}" "$@" >"$ORDALIS_ROOT/build/configure-${dir##*/}.log" 2>&1 || {
    cat "$ORDALIS_ROOT/build/configure-${dir##*/}.log" >&2
    return 1
  }
}

toolchain() {
  case $1 in
    win32) echo "$ORDALIS_ROOT/cmake/mingw-i686.cmake" ;;
    win64) echo "$ORDALIS_ROOT/cmake/mingw-x86_64.cmake" ;;
  esac
}

# build_for_wine TARGET: installs what is missing and builds TARGET in the
# Windows build that this machine's Wine can run (ORDALIS_RUN_ARCH); the
# build's output is shown only when it fails.
build_for_wine() {
  setup || return 1
  local dir="build/$ORDALIS_RUN_ARCH"
  configure "$dir" -DCMAKE_BUILD_TYPE=Release --toolchain "$(toolchain "$ORDALIS_RUN_ARCH")" || return 1
  local log="$ORDALIS_ROOT/build/build-$1.log"
  cmake --build "$ORDALIS_ROOT/$dir" --target "$1" -j "$ORDALIS_JOBS" >"$log" 2>&1 || {
    cat "$log" >&2
    return 1
  }
}
