#!/usr/bin/env bash
# Lays out what the Windows packages hold: the two programs, and the README
# and the licence as Windows text files. Every file gets the same fixed time
# (SOURCE_DATE_EPOCH, else the time of the last commit) and a plain mode, so
# that the zip and the installer made from the folder depend only on the
# commit, not on when or where it was built.
#
# usage: installer/stage.sh PROGRAM_DIR STAGE_DIR
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
programs=$1 stage=$2
# 1980-01-01, the earliest time a zip can hold, where there is no commit.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)}

rm -rf "$stage"
mkdir -p "$stage"
cp "$programs/Ordalis.exe" "$programs/ordalis-cli.exe" "$stage/"
sed 's/$/\r/' "$root/README.md" >"$stage/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
chmod 0644 "$stage"/*
touch -d "@$epoch" "$stage"/* "$stage"
