#!/usr/bin/env bash
# The release command: makes, from the committed tree, into build/dist:
#   Ordalis-VERSION-win32.zip           the portable programs with the README and the licence
#   Ordalis-VERSION-setup.exe           the per-user installer (NSIS)
#   ordalis-cli-linux-x86_64.tar.gz     the native ordalis-cli with its package commands
#   SHA256SUMS
# The Windows programs are the 32-bit release builds, stripped. Two runs on the
# same commit give the same bytes: the builds hold no time stamp and no build
# folder, and the archives fixed file times (the commit's) and a fixed order.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/build-env.sh"
cd "$ORDALIS_ROOT"

setup
mkdir -p build
export TZ=UTC LC_ALL=C
umask 022
version=$(sed -n 's/^project(Ordalis VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
if git rev-parse --git-dir >/dev/null 2>&1; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  [ -z "$(git status --porcelain)" ] ||
    echo "package: the tree has changes that are not committed; these packages are not those of a commit" >&2
else
  SOURCE_DATE_EPOCH=315532800  # 1980-01-01, the earliest time a zip can hold
fi
export SOURCE_DATE_EPOCH

# build DIR TARGET...: builds the targets, showing the build only when it fails.
build() {
  local dir=$1 log="$ORDALIS_ROOT/build/build-${1##*/}.log"
  shift
  cmake --build "$dir" --target "$@" -j "$ORDALIS_JOBS" >"$log" 2>&1 || {
    cat "$log" >&2
    return 1
  }
}

echo "package: building the 32-bit Windows programs (build/release-win32)"
configure build/release-win32 -DCMAKE_BUILD_TYPE=Release -DORDALIS_TESTS=OFF -DORDALIS_STRIP=ON \
  --toolchain "$(toolchain win32)"
build build/release-win32 Ordalis ordalis-cli

echo "package: building the Linux ordalis-cli (build/release-linux)"
# The C++ runtime linked in, so that the program runs on other distributions.
configure build/release-linux -DCMAKE_BUILD_TYPE=Release -DORDALIS_TESTS=OFF -DORDALIS_SANITIZE=OFF \
  -DORDALIS_STRIP=ON -DCMAKE_EXE_LINKER_FLAGS="-static-libstdc++ -static-libgcc"
build build/release-linux ordalis-cli

dist=$ORDALIS_ROOT/build/dist
stage=$ORDALIS_ROOT/build/release-stage
rm -rf "$dist" "$stage"
mkdir -p "$dist" "$stage"

# listing FOLDER: FOLDER and everything in it, in a fixed order, each folder
# before what it holds.
listing() { find "$1" -print | sort; }

echo "package: the portable zip"
windows=Ordalis-$version
"$ORDALIS_ROOT/installer/stage.sh" build/release-win32/bin "$stage/$windows"
(cd "$stage" && listing "$windows" | zip -X -D -9 -q "$dist/Ordalis-$version-win32.zip" -@)

echo "package: the installer"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage/$windows" -DOUTFILE="$dist/Ordalis-$version-setup.exe" \
  -DTARGET=x86-unicode installer/ordalis.nsi >"$ORDALIS_ROOT/build/makensis.log" 2>&1 || {
  cat "$ORDALIS_ROOT/build/makensis.log" >&2
  exit 1
}

echo "package: the Linux archive"
linux=ordalis-cli-linux-x86_64
mkdir -p "$stage/$linux"
cp build/release-linux/bin/ordalis-cli "$stage/$linux/"
cp README.md LICENSE "$stage/$linux/"
chmod 0755 "$stage/$linux" "$stage/$linux/ordalis-cli"
chmod 0644 "$stage/$linux/README.md" "$stage/$linux/LICENSE"
touch -d "@$SOURCE_DATE_EPOCH" "$stage/$linux" "$stage/$linux"/*
(cd "$stage" && listing "$linux" | tar --create --no-recursion --files-from=- --format=gnu --owner=0 --group=0 \
  --numeric-owner | gzip -9 -n >"$dist/$linux.tar.gz")

# The archive's program reads back the package it writes, JSON for JSON.
json='{"plugins":[{"name":"Studio Reverb","displayName":"Studio Reverb","classKey":"{5A1C0E10-2B3D-4E5F-8091-A2B3C4D5E6F7}","flags":2147483648,"presets":[{"name":"Hall","size":3,"data":"0a0b0c"}]}],"chains":[{"name":"Vocal","keyName":"Chain0001","flags":3,"type":2,"size":5,"stream":"0102030405"}]}'
printf '%s\n' "$json" >"$stage/check.json"
"$stage/$linux/ordalis-cli" create "$stage/check.vtpreset" --from-json "$stage/check.json"
listed=$("$stage/$linux/ordalis-cli" list "$stage/check.vtpreset" --json --data)
if [ "$listed" != "$json" ]; then
  printf 'package: the Linux ordalis-cli lists\n%s\nnot\n%s\n' "$listed" "$json" >&2
  exit 1
fi

(cd "$dist" && sha256sum -- * >SHA256SUMS)
echo "package: build/dist"
sed 's/^/  /' "$dist/SHA256SUMS"
