#!/usr/bin/env bash
# Packs the build as a .deb, unpacks it into a temporary root, and plays one
# pattern with the unpacked game under its own X server and a fresh HOME: the
# records must land in that HOME's data folder, not beside the game.
# usage: deb_package_plays.sh BUILD_DIR ROMAJI_ANSWERS [PATTERN]
set -euo pipefail
build=$1 romaji_answers=$2 pattern=${3:-0}
tmp=$(mktemp -d)
xvfb_pid='' game_pid=''
cleanup() {
  [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; [[ -f $tmp/game.log ]] && sed 's/^/game: /' "$tmp/game.log" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >/dev/null
deb=$(ls "$tmp"/pkg/*.deb)
[[ $(dpkg-deb -f "$deb" Package) == tazumeki ]] || fail "package name"
[[ $(dpkg-deb -f "$deb" Section) == games ]] || fail "section"
depends=$(dpkg-deb -f "$deb" Depends)
for need in fonts-ipafont-gothic fonts-rocknroll fonts-noto-cjk qt6-qpa-plugins libqt6widgets6 libqt6multimedia6 libqt6sql6-sqlite; do
  [[ $depends == *"$need"* ]] || fail "Depends lacks $need: $depends"
done
dpkg-deb -c "$deb" >"$tmp/contents"
grep -q '/usr/share/doc/tazumeki/copyright$' "$tmp/contents" || fail "no copyright file in the package"
dpkg-deb -x "$deb" "$tmp/root"

# Xvfb picks a free display and writes its number once it accepts clients.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 3>"$tmp/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $tmp/display ]] && break; sleep 0.1; done
[[ -s $tmp/display ]] || fail "Xvfb did not start"
export DISPLAY=:$(head -1 "$tmp/display")

mkdir -p "$tmp/home"
# Without a session bus address, libdbus forks from a Qt thread to autolaunch
# one while the game's start-up threads run; under the sanitizers that child
# can hang before its exec, and the game waits for it before its first frame.
# A dead address fails at once, as on a desktop without a bus.
export DBUS_SESSION_BUS_ADDRESS=${DBUS_SESSION_BUS_ADDRESS:-unix:path=/nonexistent/tazumeki-no-bus}
env -u QT_QPA_PLATFORM -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME HOME="$tmp/home" \
  "$tmp/root/usr/bin/tazumeki" >"$tmp/game.log" 2>&1 &
game_pid=$!

# A fresh HOME is the usual case: no box stands in the way of the first Enter.
wid=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tazumeki$' | head -1) || fail "no game window"
sleep 4 # the title writes itself before a game can start
eval "$(xdotool getwindowgeometry --shell "$wid")"
xdotool mousemove $((X + 38)) $((Y + 640)) click 1     # 手動
sleep 0.3
xdotool mousemove $((X + 124)) $((Y + 642)) click 1    # the pattern list
sleep 0.5
xdotool key Home
xdotool type --delay 40 "$pattern"
xdotool key Return
sleep 0.5
xdotool windowfocus --sync "$wid" key Return
sleep 3.4 # the countdown

# In romaji, as a player without an input method types: kana sent as key
# events would need a key remapped for each, which a busy game can misread.
mapfile -t words < <("$romaji_answers" "$tmp/root/usr/share/tazumeki" "$pattern")
(( ${#words[@]} > 0 )) || fail "pattern $pattern has no words"
for word in "${words[@]}"; do
  read -r keys kind <<<"$word"
  xdotool type --delay 40 "$keys"
  [[ $kind == katakana ]] && xdotool key space
  xdotool key Return
  sleep 0.2
done

records=$tmp/home/.local/share/Tazumeki
for _ in $(seq 50); do [[ -f $records/data1.dat ]] && break; sleep 0.2; done
[[ -f $records/data1.dat ]] || fail "no data1.dat in $records"
[[ ! -e $tmp/root/usr/share/tazumeki/data1.dat && ! -e $tmp/root/usr/bin/data1.dat ]] || fail "records written beside the game"
"$tmp/root/usr/bin/tazumeki-data" records "$records" | grep -q '^data1.dat: ok' || fail "data1.dat does not read whole"
# The played pattern's line counts one game.
line=$(( pattern + 1 ))
played=$("$tmp/root/usr/bin/tazumeki-data" unpack "$records/data1.dat" --utf8 | sed -n "${line}p")
[[ $played == 1,* ]] || fail "pattern $pattern is not recorded as played once: $played"
kill -0 "$game_pid" 2>/dev/null || fail "the game ended by itself"

# Every Qt plugin the game loaded (the platform, the SQLite driver, the sound
# back end) comes from a package that Depends names, or that one of those
# depends on: installed with --no-install-recommends, the game still has it.
closure=" $(printf '%s' "$depends" | tr ',|' '\n\n' | sed 's/(.*//; s/ //g' | sort -u | tr '\n' ' ')"
for pkg in $closure; do
  closure+=" $(dpkg-query -W -f='${Depends}' "$pkg" 2>/dev/null | tr ',|' '\n\n' | sed 's/(.*//; s/ //g; s/:any//' | tr '\n' ' ')"
done
plugins=$(grep -o '/[^ ]*/qt6/plugins/[^ ]*\.so' "/proc/$game_pid/maps" | sort -u)
[[ -n $plugins ]] || fail "no Qt plugin seen in the game's memory"
for plugin in $plugins; do
  pkg=$(dpkg -S "$plugin" 2>/dev/null | head -1 | cut -d: -f1)
  [[ -n $pkg ]] || fail "no package owns $plugin"
  [[ " $closure " == *" $pkg "* ]] || fail "$plugin is in $pkg, which Depends does not bring: $depends"
done
echo "the unpacked package played pattern $pattern and saved $records/data1.dat"
