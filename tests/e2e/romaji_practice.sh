#!/usr/bin/env bash
# A single-practice game typed in romaji through the real window with no input
# method: the answer box turns the keys into kana itself, one Enter a word
# (katakana words turned with Space), and the game is recorded in data1.dat.
# usage: romaji_practice.sh GAME_DIR DATA_TOOL ROMAJI_ANSWERS
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
romaji_answers=$3
pattern=77 # katakana words, so Space is used too

mapfile -t words < <("$romaji_answers" "$E2E_APP" "$pattern")
((${#words[@]} >= 10)) || e2e_fail "pattern $pattern has ${#words[@]} words"

start_xvfb
start_game
wait_title
choose_pattern "$pattern"
started=$(date +%s%3N)
start_play
type_romaji_words "${words[@]}"
took=$(($(date +%s%3N) - started))

dialog=$(wait_dialog 10) || e2e_fail "no result dialog after the last word: a word was not taken"
close_window "$dialog" Escape

records data1.dat >"$E2E_TMP/after.txt" || e2e_fail "data1.dat does not unpack whole"
(($(wc -l <"$E2E_TMP/after.txt") == 99)) || e2e_fail "data1.dat does not hold 99 lines"
line=$(sed -n "$((pattern + 1))p" "$E2E_TMP/after.txt")
[[ "$line" =~ ^1,([0-9]+),#$(date +%Y-%m-%d)#,0,0,#1899-12-30#$ ]] || e2e_fail "the record line is '$line'"
ms=${BASH_REMATCH[1]}
((ms >= 1000 && ms <= took)) || e2e_fail "implausible time $ms ms (typing took $took ms)"
echo "pattern $pattern typed in romaji in $ms ms"
