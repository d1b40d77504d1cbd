#!/usr/bin/env bash
# A single-practice game typed to the end through the real window: its record
# lands in data1.dat (count 1, a plausible time, today's date) and every other
# line stays as it was.
# usage: single_practice.sh GAME_DIR DATA_TOOL ROMAJI_ANSWERS
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
romaji_answers=$3
pattern=87 # one of the shortest patterns: ten words

for k in $(seq 0 98); do
  if ((k == pattern)); then echo "0,0,#1899-12-30#,2,90000,#2020-01-02#"
  else echo "$((k % 7)),$(((k + 1) * 1000)),#2020-01-02#,1,99000,#2020-03-04#"; fi
done >"$E2E_TMP/before.txt"
pack_records data1.dat <"$E2E_TMP/before.txt"

start_xvfb
start_game
wait_title
choose_pattern "$pattern"
started=$(date +%s%3N) # before the countdown: an upper bound for the game's clock
start_play
# In romaji, as a player without an input method types: kana sent as key
# events would need a key remapped for each character, which a busy game
# can read after the next remapping.
mapfile -t words < <("$romaji_answers" "$E2E_APP" "$pattern")
((${#words[@]} == 10)) || e2e_fail "pattern $pattern has ${#words[@]} words"
type_romaji_words "${words[@]}"
took=$(($(date +%s%3N) - started))

dialog=$(wait_dialog 10) || e2e_fail "no result dialog after the last word"
close_window "$dialog" Escape

records data1.dat >"$E2E_TMP/after.txt" || e2e_fail "data1.dat does not unpack whole"
line=$(sed -n "$((pattern + 1))p" "$E2E_TMP/after.txt")
[[ "$line" =~ ^1,([0-9]+),#$(date +%Y-%m-%d)#,2,90000,#2020-01-02#$ ]] \
  || e2e_fail "the record line of pattern $pattern is '$line'"
ms=${BASH_REMATCH[1]}
# At least the typing itself; at most the time the script took, and within the limit.
((ms >= 2000 && ms <= took && ms < 180000)) || e2e_fail "implausible time $ms ms (typing took $took ms)"
sed "$((pattern + 1))s/.*/$line/" "$E2E_TMP/before.txt" >"$E2E_TMP/expected.txt"
expect_records data1.dat "$E2E_TMP/expected.txt"
# A quiet start: without a sound server at most one line, the game's own.
if (($(grep -c . "$E2E_TMP/game.log" || true) > 1)) || grep -qv '^Tazumeki: ' "$E2E_TMP/game.log"; then
  e2e_fail "the game printed more than its one line: $(cat "$E2E_TMP/game.log")"
fi
echo "pattern $pattern typed in $ms ms"
