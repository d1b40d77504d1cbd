#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what desktops and
# software centres read from it: the menu entry, the metainfo, the icons, and
# the game's files where the installed executable looks for them.
# usage: validate_install.sh BUILD_DIR APP_ID
set -euo pipefail
build=$1 id=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
for file in bin/tazumeki bin/tazumeki-data share/tazumeki/data2.dat share/tazumeki/examples/learner-en.tazumeki \
            share/tazumeki/image/button_ok_init.bmp \
            share/tazumeki/sound/Boom.wav lib/tazumeki/tazumeki-history-window.so lib/tazumeki/tazumeki-sound.so lib/tazumeki/tazumeki-history-store.so share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
            share/doc/tazumeki/LICENSE share/doc/tazumeki/copyright; do
  [[ -f $prefix/$file ]] || fail "not installed: $file"
done
[[ -x $prefix/bin/tazumeki ]] || fail "bin/tazumeki is not executable"
# Nothing the player writes is installed, and no portable game folder either.
[[ ! -e $prefix/share/tazumeki/data1.dat && ! -e $prefix/Tazumeki ]] || fail "records or the portable folder were installed"

desktop-file-validate "$prefix/share/applications/$id.desktop"
grep -q "^Exec=tazumeki %f$" "$prefix/share/applications/$id.desktop" || fail "the menu entry takes no file"
grep -q "^MimeType=application/x-tazumeki-set;$" "$prefix/share/applications/$id.desktop" || fail "the menu entry opens no sets"
# The set file type: a valid shared-mime-info package that maps *.tazumeki to it.
mime=$prefix/share/mime
[[ -f $mime/packages/$id.xml ]] || fail "no file type for sets installed"
xmllint --noout "$mime/packages/$id.xml"
# (With the prefix on the search path, so that only a fault of the package is warned about.)
XDG_DATA_DIRS="$prefix/share" update-mime-database "$mime" 2>"$prefix/mime.log" ||
  { cat "$prefix/mime.log" >&2; fail "update-mime-database refused the package"; }
[[ ! -s $prefix/mime.log ]] || { cat "$prefix/mime.log" >&2; fail "update-mime-database warned"; }
grep -q "^50:application/x-tazumeki-set:\*\.tazumeki" "$mime/globs2" || fail "*.tazumeki does not map to the set type"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"
grep -q "<project_license>GPL-3.0-or-later</project_license>" "$prefix/share/metainfo/$id.metainfo.xml" || fail "licence missing"
grep -q "^Icon=$id$" "$prefix/share/applications/$id.desktop" || fail "desktop entry names another icon"

for size in 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [[ -f $icon ]] || fail "icon missing: ${size}x${size}"
  # The PNG header holds the width and height as big-endian words at bytes 16 and 20.
  read -r w h < <(od -An -tu1 -j16 -N8 "$icon" | awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  [[ $w == "$size" && $h == "$size" ]] || fail "icon ${size}x${size} is ${w}x${h}"
done

# The installed data tool reads the installed puzzle set from any prefix.
"$prefix/bin/tazumeki-data" check "$prefix/share/tazumeki/data2.dat" >/dev/null
"$prefix/bin/tazumeki-data" check "$prefix/share/tazumeki/examples/learner-en.tazumeki" >/dev/null
echo "install into $prefix validates"
