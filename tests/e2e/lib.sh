# Shared harness of the real-window tests; source it from a test script.
#
#   source lib.sh
#   e2e_init GAME_DIR DATA_TOOL    copy the game folder into a fresh temp folder ($E2E_APP)
#   start_xvfb                     own X server on a free display; fails the test if it cannot start
#   start_game [ARG...]            the real Tazumeki from $E2E_APP; sets GAME_PID, GAME_WID, GAME_X, GAME_Y
#   wait_title                     until the title animation is over and a game can start
#   click X Y                      a left click at a point of the main window (its own pixels)
#   choose_pattern N | choose_battle_rank R | start_play
#   type_romaji_words LINE...      each word as romaji-answers prints it: its keys, Space if katakana, Enter
#   wait_dialog [SECONDS]          the next window of the game besides the main one; prints its id
#   close_window WID KEY           focuses a window and presses a key there
#   records FILE                   the lines of a data file in $E2E_APP, through tazumeki-data
#   pack_records FILE < lines      writes a data file in $E2E_APP from plain lines
#   e2e_fail MESSAGE               fails the test
# The game and Xvfb are stopped by process id when the script exits, whatever happens.
set -Eeuo pipefail

E2E_TMP="" E2E_APP="" E2E_DATA_TOOL="" XVFB_PID="" GAME_PID="" GAME_WID="" GAME_X=0 GAME_Y=0 WATCHDOG_PID=""
# A test that runs longer fails by itself, stopping what it started, before
# CTest's own timeout would kill the script and leave the servers behind.
E2E_TIME_LIMIT=${E2E_TIME_LIMIT:-80}

e2e_fail() {
  echo "FAIL: $*" >&2
  if [[ -n "${E2E_KEEP:-}" && -n "${DISPLAY:-}" && -n "$E2E_TMP" ]]; then
    xwd -root -silent 2>/dev/null | convert xwd:- "$E2E_TMP/failure.png" 2>/dev/null && echo "screen: $E2E_TMP/failure.png" >&2
  fi
  if [[ -n "$E2E_TMP" && -s "$E2E_TMP/game.log" ]]; then
    echo "--- game output" >&2
    tail -n 20 "$E2E_TMP/game.log" >&2
  fi
  exit 1
}

e2e_stop() {
  local pid
  if [[ -n "$WATCHDOG_PID" ]]; then
    kill -TERM "$WATCHDOG_PID" 2>/dev/null || true
    wait "$WATCHDOG_PID" 2>/dev/null || true
  fi
  for pid in "$GAME_PID" "$XVFB_PID"; do
    if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then
      kill -TERM "$pid" 2>/dev/null || true
      for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -KILL "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    fi
  done
  GAME_PID="" XVFB_PID="" WATCHDOG_PID=""
  if [[ -n "$E2E_TMP" && -z "${E2E_KEEP:-}" ]]; then
    rm -rf "$E2E_TMP"
  fi
}

# xdotool bounded in time: a --sync that waits for an event never sent must not hang the test.
xdo() {
  timeout 20 xdotool "$@" || e2e_fail "xdotool $* failed or hung"
}

# Polls a command until it succeeds, at most SECONDS.
wait_until() {
  local seconds=$1; shift
  local end=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < end)) || return 1
    sleep 0.2
  done
}

e2e_init() {
  local game_dir=$1
  E2E_DATA_TOOL=$2
  [[ -x "$game_dir/Tazumeki" ]] || e2e_fail "no game in $game_dir"
  [[ -x "$E2E_DATA_TOOL" ]] || e2e_fail "no data tool at $E2E_DATA_TOOL"
  E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/tazumeki-e2e.XXXXXX")
  trap e2e_stop EXIT
  trap 'e2e_fail "stopped (time limit ${E2E_TIME_LIMIT} s, or a signal)"' INT TERM
  (
    trap 'kill "$nap" 2>/dev/null; exit 0' TERM
    sleep "$E2E_TIME_LIMIT" &
    nap=$!
    wait "$nap" && kill -TERM $$
  ) >/dev/null 2>&1 &
  WATCHDOG_PID=$!
  # A failing command is a failure with its line, never a silent exit.
  trap 'e2e_fail "a command failed at line $LINENO of $(basename "$0")"' ERR
  E2E_APP="$E2E_TMP/Tazumeki"
  cp -a "$game_dir" "$E2E_APP"
  # Records of an earlier run of the build folder are not this test's.
  rm -f "$E2E_APP"/data1.dat* "$E2E_APP"/data3.dat* "$E2E_APP"/*.txt "$E2E_APP"/history.db* "$E2E_APP"/*.lock
}

start_xvfb() {
  command -v Xvfb >/dev/null || e2e_fail "Xvfb is not installed (scripts/setup --all installs it)"
  : >"$E2E_TMP/display"
  Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1024x768x24 3>"$E2E_TMP/display" 2>"$E2E_TMP/xvfb.log" &
  XVFB_PID=$!
  has_display() { [[ $(wc -l <"$E2E_TMP/display") -ge 1 ]] || ! kill -0 "$XVFB_PID" 2>/dev/null; }
  wait_until 15 has_display || true
  kill -0 "$XVFB_PID" 2>/dev/null || { cat "$E2E_TMP/xvfb.log" >&2; e2e_fail "Xvfb did not start"; }
  local number
  number=$(head -n 1 "$E2E_TMP/display")
  [[ "$number" =~ ^[0-9]+$ ]] || e2e_fail "Xvfb gave no display number"
  export DISPLAY=":$number"
}

start_game() {
  # Without a session bus address, libdbus forks from a Qt thread to autolaunch
  # one while the game's start-up threads run; under the sanitizers that child
  # can hang before its exec, and the game waits for it before its first frame.
  # A dead address fails at once, as on a desktop without a bus.
  export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent/tazumeki-no-bus}
  # The game's own records folder is its portable folder: nothing of the user's is touched.
  env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$E2E_APP/Tazumeki" "$@" >"$E2E_TMP/game.log" 2>&1 &
  GAME_PID=$!
  main_window() {
    kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "the game ended at start"
    GAME_WID=$(xdotool search --onlyvisible --pid "$GAME_PID" --name '^Tazumeki( － .*)?$' 2>/dev/null | head -n 1)
    [[ -n "$GAME_WID" ]]
  }
  wait_until 30 main_window || e2e_fail "the game window did not appear"
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdo getwindowgeometry --shell "$GAME_WID")"
  GAME_X=$X GAME_Y=$Y
}

# The title animation runs about 3.2 seconds; a game cannot start before its end.
wait_title() {
  sleep 4
}

click() {
  xdo mousemove $((GAME_X + $1)) $((GAME_Y + $2)) click 1
  sleep 0.3
}

# Manual pattern choice, then the pattern's number in the list.
choose_pattern() {
  click 38 640
  click 124 642
  xdo key Home
  xdo type --delay 40 "$1"
  xdo key Return
  sleep 0.3
}

# CPU battle, then the rank by its place in the list (0 first).
choose_battle_rank() {
  click 38 576
  click 180 578
  xdo key Home
  local i
  for ((i = 0; i < $1; i++)); do xdo key Down; done
  xdo key Return
  sleep 0.3
}

# Enter on the main screen starts the game; the countdown follows.
start_play() {
  xdo windowfocus --sync "$GAME_WID"
  xdo key Return
  sleep 3.5
}

type_romaji_words() {
  local word keys kind
  for word in "$@"; do
    read -r keys kind <<<"$word"
    xdotool type --delay 40 "$keys"
    [[ "$kind" == katakana ]] && xdotool key space
    xdotool key Return
    sleep 0.15
  done
}

# Every visible window of the game (the root window carries no class).
game_windows() {
  xdotool search --onlyvisible --pid "$GAME_PID" --classname '^Tazumeki$' 2>/dev/null || true
}

wait_dialog() {
  local seconds=${1:-10} found=""
  other_window() {
    kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "the game ended"
    found=$(game_windows | grep -vx "$GAME_WID" | head -n 1 || true)
    [[ -n "$found" ]]
  }
  wait_until "$seconds" other_window || return 1
  echo "$found"
}

close_window() {
  xdo windowfocus --sync "$1"
  xdo key "$2"
  gone() { ! game_windows | grep -qx "$1"; }
  wait_until 5 gone "$1" || e2e_fail "window $1 did not close on $2"
}

records() {
  "$E2E_DATA_TOOL" unpack "$E2E_APP/$1" --utf8 | tr -d '\r'
}

pack_records() {
  local text="$E2E_TMP/$1.txt"
  cat >"$text"
  "$E2E_DATA_TOOL" pack "$text" "$E2E_APP/$1" --utf8
  rm -f "$text"
}

# Expects the lines of FILE to equal the lines of EXPECTED_FILE.
expect_records() {
  records "$1" >"$E2E_TMP/actual.txt" || e2e_fail "$1 does not unpack whole"
  diff -u "$2" "$E2E_TMP/actual.txt" >&2 || e2e_fail "$1 is not as expected"
}
