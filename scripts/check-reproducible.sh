#!/usr/bin/env bash
# Packages the current commit in two fresh clones at different paths and
# compares what they give, file by file and, inside the archives, member by
# member. Takes two full release builds.
#
# usage: scripts/check-reproducible.sh
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
commit=$(git -C "$root" rev-parse HEAD)
work=$(mktemp -d "${TMPDIR:-/tmp}/ordalis-repro.XXXXXX")
trap 'rm -rf "$work"' EXIT

for clone in one another-longer-path; do
  git clone -q "$root" "$work/$clone"
  git -C "$work/$clone" checkout -q "$commit"
  echo "== packaging $commit in $work/$clone"
  "$work/$clone/scripts/package.sh" >"$work/$clone.log" 2>&1 || {
    cat "$work/$clone.log" >&2
    exit 1
  }
done

a=$work/one/build/dist b=$work/another-longer-path/build/dist
if diff -r "$a" "$b" >/dev/null; then
  echo "reproducible: every file of build/dist is the same in both clones"
  sed 's/^/  /' "$a/SHA256SUMS"
  exit 0
fi
echo "not reproducible:" >&2
diff "$a/SHA256SUMS" "$b/SHA256SUMS" >&2 || true
for zip in "$a"/*.zip; do
  name=$(basename "$zip")
  mkdir -p "$work/unzip/one" "$work/unzip/two"
  unzip -q -o "$zip" -d "$work/unzip/one" && unzip -q -o "$b/$name" -d "$work/unzip/two"
  diff -r "$work/unzip/one" "$work/unzip/two" >&2 || true
done
exit 1
