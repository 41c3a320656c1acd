#!/usr/bin/env bash
# Checks an installed or unpacked VIREO under the prefix P: the files of the layout, that
# `vireo --version` and `--help` answer, and that the window starts (offscreen) from P with the
# data of P/share/vireo and its Japanese captions, writing nothing into P.
# Usage: check_tree.sh P VERSION
set -euo pipefail
prefix="$(realpath "$1")"
version="$2"
fail() {
    echo "FAIL ($prefix): $*" >&2
    exit 1
}

data=share/vireo
for f in bin/vireo bin/kalm07-sim bin/vireo-cli share/man/man1/vireo-cli.1 \
    $data/language.dat $data/lang/en/language.dat \
    $data/kalm07.gdt $data/kalm07.tpd $data/tarvo450.gdt $data/tarvo450.tpd $data/tarvo700.gdt $data/tarvo700.tpd \
    $data/Vireo_head.png $data/Vireo_head@2x.png $data/Vireo_title.png $data/Vireo_title@2x.png \
    $data/led_off.png $data/led_red_on.png $data/led_green_on.png $data/led_green_on@2x.png \
    $data/Vireo_icon_64_64.ico $data/firmware/KALM07_Kind2_0.5.0.dat \
    share/applications/io.github.vireo.vireo.desktop share/metainfo/io.github.vireo.vireo.metainfo.xml \
    share/icons/hicolor/48x48/apps/vireo.png share/icons/hicolor/64x64/apps/vireo.png \
    share/icons/hicolor/128x128/apps/vireo.png share/icons/hicolor/256x256/apps/vireo.png \
    share/icons/hicolor/scalable/apps/vireo.svg lib/udev/rules.d/60-vireo.rules; do
    [ -f "$prefix/$f" ] || fail "missing $f"
done
for f in $data/lang/make_language_files.py $data/linux $data/icons; do
    [ ! -e "$prefix/$f" ] || fail "$f does not belong into the data folder"
done
grep -q "^Exec=vireo$" "$prefix/share/applications/io.github.vireo.vireo.desktop" || fail "desktop entry runs no vireo"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/io.github.vireo.vireo.metainfo.xml" ||
    fail "metainfo names no release $version"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
# A user of its own: settings, backups and the like land in the scratch folder, never in P.
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config" XDG_DATA_HOME="$scratch/home/.local/share"
export XDG_CACHE_HOME="$scratch/home/.cache" XDG_RUNTIME_DIR="$scratch/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
touch "$scratch/before"
cd "$scratch"

answer="$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/vireo" --version)" || fail "--version failed"
[ "$answer" = "VIREO $version" ] || fail "--version said '$answer', expected 'VIREO $version'"
help="$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/vireo" --help)" || fail "--help failed"
grep -q -- "--version" <<<"$help" || fail "--help names no --version: $help"
grep -q "フライバーレスジャイロ" <<<"$help" || fail "--help has not the Japanese description: $help"
cli_help="$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/vireo-cli" --help)" || fail "vireo-cli --help failed"
grep -q "monitor" <<<"$cli_help" || fail "vireo-cli --help names no monitor: $cli_help"
status=0
error="$(QT_QPA_PLATFORM=offscreen "$prefix/bin/vireo" --no-such-option 2>&1 >/dev/null)" || status=$?
[ "$status" -eq 1 ] && grep -q "no-such-option" <<<"$error" || fail "unknown option: exit $status, '$error'"

QT_QPA_PLATFORM=offscreen VIREO_SCREENSHOTS="$scratch/shots" timeout 120 "$prefix/bin/vireo" >"$scratch/run.log" 2>&1 ||
    fail "the window run failed: $(cat "$scratch/run.log")"
grep -qx "data folder $prefix/share/vireo/" "$scratch/run.log" || fail "data not from $prefix/share/vireo: $(cat "$scratch/run.log")"
grep -qx "menu ファイル(&F)" "$scratch/run.log" || fail "no Japanese menu caption: $(cat "$scratch/run.log")"
grep -qx "version $version" "$scratch/run.log" || fail "the window shows another version than $version"
[ -s "$scratch/shots/splash.png" ] && [ -s "$scratch/shots/version.png" ] || fail "no screenshots"

written="$(find "$prefix" -newer "$scratch/before")"
[ -z "$written" ] || fail "the program wrote into its install tree: $written"
echo "ok: $prefix"
