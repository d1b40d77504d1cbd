#!/usr/bin/env bash
# Every key of a game typed through the real window is kept: a pattern typed in
# romaji with one slip taken back by BackSpace, then the history's key export
# holds each key, the slip marked missed and the rest standing.
# usage: keys_kept.sh GAME_DIR DATA_TOOL ROMAJI_ANSWERS
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
romaji_answers=$3
pattern=0

mapfile -t words < <("$romaji_answers" "$E2E_APP" "$pattern")
((${#words[@]} >= 10)) || e2e_fail "pattern $pattern has ${#words[@]} words"

start_xvfb
start_game
wait_title
choose_pattern "$pattern"
start_play
typed=0
for i in "${!words[@]}"; do
  read -r keys kind <<<"${words[$i]}"
  if ((i == 0)); then
    xdotool type --delay 40 "qo" # くぉ, taken back: both its keys missed
    xdotool key BackSpace BackSpace
    typed=$((typed + 4))
  fi
  xdotool type --delay 40 "$keys"
  typed=$((typed + ${#keys}))
  if [[ "$kind" == katakana ]]; then
    xdotool key space
    typed=$((typed + 1))
  fi
  xdotool key Return
  typed=$((typed + 1))
  sleep 0.15
done

dialog=$(wait_dialog 10) || e2e_fail "no result dialog after the last word: a word was not taken"
close_window "$dialog" Escape

"$E2E_DATA_TOOL" history --keys --csv "$E2E_APP" | tr -d '\r' >"$E2E_TMP/keys.csv" || e2e_fail "the key export failed"
head -n 1 "$E2E_TMP/keys.csv" | grep -qx 'game_id,word,ms,key,kana,missed,taker,input_method' ||
  e2e_fail "the key export's header is '$(head -n 1 "$E2E_TMP/keys.csv")'"
kept=$(($(wc -l <"$E2E_TMP/keys.csv") - 1))
((kept == typed)) || e2e_fail "$kept keys kept, $typed typed"
slip=$(sed -n 2,5p "$E2E_TMP/keys.csv" | cut -d, -f4-6 | paste -sd' ')
[[ "$slip" == "q,くぉ,true o,くぉ,true Backspace,,false Backspace,,false" ]] || e2e_fail "the slip was kept as '$slip'"
missed=$(grep -c ',true,player,false$' "$E2E_TMP/keys.csv")
((missed == 2)) || e2e_fail "$missed keys marked missed, 2 slipped"
grep -q '^1,[^,]*,[0-9]*,Enter,,false,player,false$' "$E2E_TMP/keys.csv" || e2e_fail "no Enter kept"
echo "$kept keys kept, the slip marked missed"
