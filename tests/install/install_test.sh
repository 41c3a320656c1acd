#!/usr/bin/env bash
# `cmake --install` into a scratch prefix, then the checks of check_tree.sh on it.
# Usage: install_test.sh BUILD_DIR VERSION
set -euo pipefail
here="$(dirname "$0")"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
cmake --install "$1" --prefix "$scratch/prefix" >"$scratch/install.log" || {
    cat "$scratch/install.log" >&2
    exit 1
}
bash "$here/check_tree.sh" "$scratch/prefix" "$2"
