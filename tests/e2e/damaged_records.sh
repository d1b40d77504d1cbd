#!/usr/bin/env bash
# A damaged data1.dat at start: the game says so once, keeps the file aside
# unchanged, and carries its readable lines over into a whole data1.dat.
# usage: damaged_records.sh GAME_DIR DATA_TOOL
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"

for k in $(seq 0 98); do echo "$((k + 1)),$(((k + 1) * 1000)),#2021-05-06#,0,0,#1899-12-30#"; done >"$E2E_TMP/lines.txt"
pack_records data1.dat <"$E2E_TMP/lines.txt"
# Cut the file in the middle of its records.
size=$(stat -c %s "$E2E_APP/data1.dat")
head -c $((1037 + (size - 1037) / 2)) "$E2E_APP/data1.dat" >"$E2E_TMP/damaged.dat"
cp "$E2E_TMP/damaged.dat" "$E2E_APP/data1.dat"

start_xvfb
start_game
message=$(wait_dialog 15) || e2e_fail "no message about the damaged file"
[[ $(xdotool getwindowname "$message") == "記録の読み込み" ]] || e2e_fail "the message is '$(xdotool getwindowname "$message")'"
close_window "$message" Return

cmp -s "$E2E_TMP/damaged.dat" "$E2E_APP/data1.dat.damaged" || e2e_fail "the damaged file was not kept aside unchanged"
records data1.dat >"$E2E_TMP/after.txt" || e2e_fail "data1.dat is not whole again"
(($(wc -l <"$E2E_TMP/after.txt") == 99)) || e2e_fail "data1.dat has $(wc -l <"$E2E_TMP/after.txt") lines"
# The lines before the damage are kept, the rest are empty records.
read_lines=$( (cmp "$E2E_TMP/lines.txt" "$E2E_TMP/after.txt" 2>/dev/null || true) | sed -nE 's/.* line ([0-9]+)$/\1/p')
[[ -n "$read_lines" ]] || e2e_fail "nothing was lost, yet the file was cut"
kept=$((read_lines - 1))
((kept >= 30)) || e2e_fail "only $kept lines carried over"
{ head -n "$kept" "$E2E_TMP/lines.txt"
  for _ in $(seq $((kept + 1)) 99); do echo "0,0,#1899-12-30#,0,0,#1899-12-30#"; done
} >"$E2E_TMP/expected.txt"
expect_records data1.dat "$E2E_TMP/expected.txt"
# The game is still usable and says nothing more.
sleep 1
[[ -z $(game_windows | grep -vx "$GAME_WID") ]] || e2e_fail "a second message appeared"
echo "$kept of 99 lines carried over"
