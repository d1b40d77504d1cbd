#!/usr/bin/env bash
# A teacher's word list made into a set with the data tool, opened from the
# command line and played through the real window: the window names the set,
# its record lands in the set's own folder, and the shipped set's records and
# history stay untouched.
# usage: own_set.sh GAME_DIR DATA_TOOL ROMAJI_ANSWERS WORD_LIST
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
romaji_answers=$3
word_list=$4
set_file="$E2E_TMP/week 3.tazumeki" # a space, as a file manager would pass it

"$E2E_DATA_TOOL" build "$word_list" -o "$set_file" --name "Week 3" --patterns 2 >"$E2E_TMP/build.log" 2>&1 ||
  e2e_fail "the set was not made: $(cat "$E2E_TMP/build.log")"
mapfile -t words < <("$romaji_answers" "$set_file" 0)
((${#words[@]} >= 5)) || e2e_fail "the set's first pattern has ${#words[@]} words"

start_xvfb
start_game "$set_file"
title=$(xdo getwindowname "$GAME_WID")
[[ "$title" == "Tazumeki － Week 3" ]] || e2e_fail "the window is called '$title'"
wait_title
choose_pattern 0
start_play
type_romaji_words "${words[@]}"
dialog=$(wait_dialog 10) || e2e_fail "no result dialog after the last word: a word was not taken"
close_window "$dialog" Escape

folders=("$E2E_APP"/sets/*/)
((${#folders[@]} == 1)) || e2e_fail "records of the set in ${#folders[@]} folders"
id=$(basename "${folders[0]}")
[[ "$id" =~ ^[0-9a-f]{16}$ ]] || e2e_fail "the set's records folder is called '$id'"
line=$(records "sets/$id/data1.dat" | head -n 1) || e2e_fail "the set's data1.dat does not unpack whole"
[[ "$line" =~ ^1,([0-9]+),#$(date +%Y-%m-%d)#,0,0,#1899-12-30#$ ]] || e2e_fail "the set's first record line is '$line'"
[[ ! -e "$E2E_APP/data1.dat" ]] || e2e_fail "the shipped set's records were written"

games() { "$E2E_DATA_TOOL" history --csv "$@" "$E2E_APP" | tr -d '\r' | tail -n +2 | cut -d, -f19 | sort -u | wc -l; }
(($(games --set "$set_file") == 1)) || e2e_fail "the set's history holds $(games --set "$set_file") games"
(($(games --set "$id") == 1)) || e2e_fail "the set's history is not found by its id"
(($(games) == 0)) || e2e_fail "the shipped set's history holds $(games) games"
echo "pattern 0 of the set typed in ${BASH_REMATCH[1]} ms, kept under sets/$id"
