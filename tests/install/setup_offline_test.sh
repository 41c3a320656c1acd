#!/usr/bin/env bash
# On a machine scripts/setup has set up, a second run makes no apt call (so it also works
# without the package servers): apt-get, apt and sudo are replaced by stubs that note a call.
# Usage: setup_offline_test.sh SOURCE_DIR
set -euo pipefail
stubs="$(mktemp -d)"
trap 'rm -rf "$stubs"' EXIT
for tool in apt-get apt sudo; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\nexit 1\n' "$tool" "$stubs" >"$stubs/$tool"
    chmod +x "$stubs/$tool"
done
status=0
PATH="$stubs:$PATH" bash "$1/scripts/setup" >"$stubs/out" 2>&1 || status=$?
if [ -e "$stubs/calls" ] || [ "$status" -ne 0 ]; then
    echo "FAIL: scripts/setup (exit $status) called: $(cat "$stubs/calls" 2>/dev/null)" >&2
    cat "$stubs/out" >&2
    exit 1
fi
echo "ok: scripts/setup made no apt call"
