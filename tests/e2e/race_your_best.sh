#!/usr/bin/env bash
# Race your best through the real window: pattern 0 cleared in single practice
# (typed in romaji), then raced with the player idle. The best game takes the
# first word at its split, in the CPU's pink, and the history keeps the race
# with the game it ran against.
# usage: race_your_best.sh GAME_DIR DATA_TOOL ROMAJI_ANSWERS
source "$(dirname "$0")/lib.sh"
e2e_init "$1" "$2"
romaji_answers=$3
pattern=0

mapfile -t words < <("$romaji_answers" "$E2E_APP" "$pattern")
((${#words[@]} >= 6)) || e2e_fail "pattern $pattern has ${#words[@]} words"

start_xvfb
start_game
wait_title
choose_pattern "$pattern"
start_play
type_romaji_words "${words[@]}"
dialog=$(wait_dialog 10) || e2e_fail "no result dialog after clearing pattern $pattern"
close_window "$dialog" Escape

# The first word's first cell, where the best game's tile will show.
cell=$("$E2E_DATA_TOOL" show "$E2E_APP/data2.dat" --json | python3 -c '
import json, sys
print(json.load(sys.stdin)["patterns"][0]["words"][0]["cell"])')
x=$((30 + 40 * (cell % 7) + 4)) y=$((114 + 40 * (cell / 7) + 30))
pixel() { xwd -silent -id "$GAME_WID" | convert xwd:- -crop "1x1+$x+$y" -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:; }

choose_battle_rank 9 # 自己ベスト, after the nine ranks
choose_pattern "$pattern"
start_play
pink() { read -r r g b < <(pixel); ((r > 200 && g < 200 && b > 150)); }
wait_until 30 pink || e2e_fail "the best game did not take the first word in pink (cell $cell is $(pixel))"
xdo key Escape
sleep 0.5

"$E2E_DATA_TOOL" history --json "$E2E_APP" >"$E2E_TMP/history.json" || e2e_fail "the history does not read"
python3 - "$E2E_TMP/history.json" <<'PY' || e2e_fail "the history does not hold the race against the cleared game"
import json, sys
games = json.load(open(sys.argv[1]))["games"]
cleared = [g for g in games if g["mode"] == "single" and g["completed"]]
races = [g for g in games if g["mode"] == "race"]
assert len(cleared) == 1 and len(races) == 1, games
assert races[0]["raced_game"] == cleared[0]["id"], races
assert races[0]["words"][0]["taker"] == "cpu", races[0]["words"][0]
PY
echo "raced pattern $pattern: the best took the first word at cell $cell"
