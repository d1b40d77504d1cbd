#!/usr/bin/env bash
# Plays one pattern through the real window under an X server, the way a
# player would: Enter, wait for the countdown, type every answer with Enter.
# usage: play_pattern.sh GAME_DIR PATTERNS_TXT PATTERN [SECONDS_BEFORE_LAST_WORD]
# Leaves a screenshot of the result dialog in GAME_DIR/result.png and closes it with Esc.
set -euo pipefail
game_dir=$1 patterns=$2 pattern=$3 pause=${4:-0}
: "${DISPLAY:?needs an X server}"

wid=$(xdotool search --sync --onlyvisible --name '^Tazumeki$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$wid")"
# 手動 and the pattern number in its list.
xdotool mousemove $((X + 38)) $((Y + 640)) click 1
sleep 0.3
xdotool mousemove $((X + 16 + 88 + 20)) $((Y + 600 + 32 + 10)) click 1
sleep 0.5
xdotool key Home
xdotool type --delay 40 "$pattern"
xdotool key Return
sleep 0.5
xdotool windowfocus --sync "$wid"
xdotool key Return
sleep 3.4

mapfile -t answers < <(awk -F'"' -v p="$pattern" 'BEGIN{FS=","} $1==p && $2!=1 {split($0,q,"\""); print q[2]}' "$patterns")
last=$(( ${#answers[@]} - 1 ))
for i in "${!answers[@]}"; do
  if [[ $i -eq $last && $pause != 0 ]]; then sleep "$pause"; fi
  xdotool type --delay 60 "${answers[$i]}"
  xdotool key Return
  sleep 0.2
done
sleep 2
xwd -root -silent | convert xwd:- "$game_dir/result.png"
xdotool key Escape
sleep 0.5
