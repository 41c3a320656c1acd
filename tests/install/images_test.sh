#!/usr/bin/env bash
# The images in assets/ are what tools/make_images draws: the PNG icons, the icon file, the
# SVG logo and the window's images come from one set of figures and cannot drift apart.
# Usage: images_test.sh MAKE_IMAGES SOURCE_DIR
set -euo pipefail
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
mkdir "$out/icons"
"$1" "$out" >/dev/null
status=0
while IFS= read -r f; do
    cmp -s "$out/$f" "$2/assets/$f" || {
        echo "FAIL: assets/$f differs from what make_images draws (run build/bin/make_images assets)" >&2
        status=1
    }
done < <(cd "$out" && find . -type f | sed 's|^\./||' | sort)
[ "$status" -eq 0 ] && echo "ok: $(cd "$out" && find . -type f | wc -l) images as drawn"
exit "$status"
