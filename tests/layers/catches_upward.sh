#!/usr/bin/env bash
# The include check fails on a tree with an upward include, and passes the same
# tree once that include goes down instead.
set -euo pipefail
check=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/src/store" "$tmp/src/app" "$tmp/src/input"
printf '#include "store/records.h"\n#include "platform/files.h"\n' >"$tmp/src/app/main_form.cpp"
printf '#include "app/main_form.h"\n' >"$tmp/src/store/records.cpp"
printf '#include "store/records.h"\n' >"$tmp/src/input/kana.cpp"
if python3 "$check" "$tmp/src" 2>"$tmp/out"; then
  echo "FAIL: upward includes passed" >&2; exit 1
fi
grep -q 'store/records.cpp:1: includes app/' "$tmp/out" || { cat "$tmp/out" >&2; exit 1; }
grep -q 'input/kana.cpp:1: includes store/' "$tmp/out" || { cat "$tmp/out" >&2; exit 1; }
printf '#include "platform/files.h"\n' >"$tmp/src/store/records.cpp"
printf '#include "platform/files.h"\n' >"$tmp/src/input/kana.cpp"
python3 "$check" "$tmp/src" >/dev/null || { echo "FAIL: a tree that includes downward failed" >&2; exit 1; }
