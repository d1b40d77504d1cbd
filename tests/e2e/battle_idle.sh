#!/usr/bin/env bash
# A battle against the fastest CPU rank with the player idle: the CPU takes
# every word, the loss is counted in data3.dat and every other line stays.
# usage: battle_idle.sh GAME_DIR DATA_TOOL
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
pattern=90 rank=8

for i in $(seq 0 890); do echo "$((i % 5)),$((i % 3))"; done >"$E2E_TMP/before.txt"
pack_records data3.dat <"$E2E_TMP/before.txt"
line=$((pattern * 9 + rank + 1))
old=$(sed -n "${line}p" "$E2E_TMP/before.txt")
sed "${line}s/.*/${old%,*},$((${old#*,} + 1))/" "$E2E_TMP/before.txt" >"$E2E_TMP/expected.txt"

start_xvfb
start_game
wait_title
choose_battle_rank "$rank"
choose_pattern "$pattern"
start_play
dialog=$(wait_dialog 60) || e2e_fail "no result dialog within a minute of idling"
close_window "$dialog" Escape
expect_records data3.dat "$E2E_TMP/expected.txt"
[[ ! -e "$E2E_APP/data1.dat" ]] || e2e_fail "a battle wrote single-practice records"
echo "lost against rank $rank on pattern $pattern: line $line is now $(sed -n "${line}p" "$E2E_TMP/expected.txt")"
