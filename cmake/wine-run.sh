#!/usr/bin/env bash
# Runs one Windows program under Wine in a prefix and an X display made for
# this run alone, and removes both afterwards. The prefix is a copy of a
# template that the first run builds (under a lock, so parallel runs wait).
#
# usage: wine-run.sh TEMPLATE-DIR ARCH PROGRAM [ARGUMENTS...]
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh"

template=$(realpath -m "$1") arch=$2
shift 2

wine_template "$template" "$arch" || exit 125
work=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-wine.XXXXXX") || exit 125
cleanup() {
  WINEPREFIX="$work/prefix" wine_server -k >/dev/null 2>&1
  xvfb_stop
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

cp -a "$template" "$work/prefix" || exit 125
xvfb_start "$work" || exit 125
export WINEPREFIX="$work/prefix"
"$(wine_loader "$arch")" "$@"
exit $?
