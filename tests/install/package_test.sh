#!/usr/bin/env bash
# Builds the Debian package and the archive with cpack into a scratch folder, unpacks both there
# (nothing is installed on the machine) and runs the checks of check_tree.sh on each.
# Usage: package_test.sh BUILD_DIR VERSION
set -euo pipefail
here="$(dirname "$0")"
build="$(realpath "$1")"
version="$2"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || fail "cpack: $(cat "$scratch/cpack.log")"
deb="$(ls "$scratch"/out/vireo_"$version"_*.deb)"
tgz="$(ls "$scratch"/out/vireo-"$version"-*.tar.gz)"

# Dependencies: the libraries found in the binaries, and the plugins and font named by hand.
depends="$(dpkg-deb -f "$deb" Depends)"
for d in libqt6widgets6 libqt6serialport6 libpng16-16 libc6 qt6-qpa-plugins fonts-ipafont-gothic; do
    grep -q "\b$d\b" <<<"$depends" || fail "Depends lacks $d: $depends"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not $version"
if dpkg-deb --ctrl-tarfile "$deb" | tar t | grep -Eq "(pre|post)(inst|rm)"; then
    fail "maintainer scripts in the package"
fi

dpkg-deb -x "$deb" "$scratch/deb"
bash "$here/check_tree.sh" "$scratch/deb/usr" "$version"

mkdir "$scratch/tgz"
tar -xzf "$tgz" -C "$scratch/tgz"
bash "$here/check_tree.sh" "$scratch/tgz/$(basename "$tgz" .tar.gz)" "$version"
