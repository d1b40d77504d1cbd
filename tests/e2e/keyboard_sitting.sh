#!/usr/bin/env bash
# A whole sitting through the real windows with the keyboard alone: a pattern
# chosen and played, the records opened, nine pages turned, a row's history
# opened and closed, the records closed, and the game quit.
# usage: keyboard_sitting.sh GAME_DIR DATA_TOOL ROMAJI_ANSWERS
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
romaji_answers=$3
pattern=98 # the last in the list (End) and on the last page of the records

mapfile -t words < <("$romaji_answers" "$E2E_APP" "$pattern")
((${#words[@]} >= 10)) || e2e_fail "pattern $pattern has ${#words[@]} words"

keys() {
  xdo key --delay 120 "$@"
  sleep 0.3
}

start_xvfb
start_game
wait_title
xdo windowfocus --sync "$GAME_WID"
# From the answer box: the mode, the pattern options (↓ is 手動), the number list (End is 98).
keys Tab Tab Down Tab End
keys Return
sleep 3.5
type_romaji_words "${words[@]}"

result=$(wait_dialog 10) || e2e_fail "no result dialog after the last word: a word was not taken"
close_window "$result" Escape
line=$(records data1.dat | sed -n "$((pattern + 1))p")
[[ "$line" =~ ^1,[0-9]+,#$(date +%Y-%m-%d)# ]] || e2e_fail "the game was not recorded: '$line'"

# The focus is back on the number list: on through 問題表示 and スタート to 記録.
xdo windowfocus --sync "$GAME_WID"
keys Tab Tab Tab space
records_wid=$(wait_dialog 10) || e2e_fail "Space on 記録 opened no record screen"
xdo windowfocus --sync "$records_wid"
keys Next Next Next Next Next Next Next Next Next
keys Down Down Down Down Down Down Down Down Down
keys space
history_window() {
  history_wid=$(game_windows | grep -vx -e "$GAME_WID" -e "$records_wid" | head -n 1 || true)
  [[ -n "$history_wid" ]]
}
wait_until 10 history_window || e2e_fail "Space on the highlighted row opened no history"
title=$(xdotool getwindowname "$history_wid")
[[ "$title" == "Tazumeki － 履歴 №$pattern" ]] || e2e_fail "the history opened is '$title', not pattern $pattern's"

close_window "$history_wid" Escape
close_window "$records_wid" Return
xdo windowfocus --sync "$GAME_WID"
xdo key alt+q
quit() { ! kill -0 "$GAME_PID" 2>/dev/null; }
wait_until 10 quit || e2e_fail "Alt+Q did not close the game"
wait "$GAME_PID" || e2e_fail "the game ended with status $?"
GAME_PID=""
echo "pattern $pattern played, its record and history seen, and the game quit from the keyboard alone"
