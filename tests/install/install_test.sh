#!/bin/sh
# Installs the game into a scratch prefix as a package or a user would, and
# checks what lands there: the executable alone in bin/, the music in the data
# directory, a valid desktop entry and software-centre description, icons of
# the sizes their folders promise, a manual page that reads cleanly, and a
# game that starts from there and finds its music.
#
#   install_test.sh <cmake> <build-dir> <desktop-id> <version>
set -eu

cmake=$1
build=$2
id=$3
version=$4

work=$(mktemp -d /tmp/mascot-install-XXXXXX)
game_pid=""
cleanup() {
  if [ -n "$game_pid" ]; then kill -KILL "$game_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT INT TERM

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

prefix=$work/usr
"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || {
  cat "$work/install.log" >&2
  echo "FAIL: cmake --install did not finish" >&2
  exit 1
}

# Every file the game is shipped with.
for file in \
  bin/mascot-race \
  share/mascot-race/bgm.mid \
  share/mascot-race/bgm1.wav \
  "share/applications/$id.desktop" \
  "share/metainfo/$id.metainfo.xml" \
  share/man/man6/mascot-race.6 \
  share/doc/mascot-race/copyright; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/mascot-race" ] || fail "bin/mascot-race is not executable"
module=$(find "$prefix/lib" -name mascot-race-sound.so 2>/dev/null | head -n 1)
[ -s "$module" ] || fail "the sound module is not installed under lib/"
# The build's own tools stay behind.
extra=$(ls "$prefix/bin" | grep -vx mascot-race || true)
[ -z "$extra" ] || fail "bin/ holds more than the game: $extra"

# The icons: a PNG's width and height are the 4-byte big-endian numbers at
# bytes 16 and 20 of the file.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d\n", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  if [ ! -s "$icon" ]; then
    fail "no ${size}x${size} icon"
    continue
  fi
  [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' ')" = "89504e470d0a1a0a" ] || fail "the ${size}x${size} icon is no PNG"
  actual=$(png_size "$icon")
  [ "$actual" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $actual"
done

desktop="$prefix/share/applications/$id.desktop"
if ! desktop-file-validate "$desktop" >"$work/desktop.log" 2>&1 || [ -s "$work/desktop.log" ]; then
  cat "$work/desktop.log" >&2
  fail "desktop-file-validate does not accept $id.desktop"
fi
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry does not name the icon $id"
grep -qx "Exec=mascot-race" "$desktop" || fail "the desktop entry does not start mascot-race"
grep -qx "Name\[en\]=Mascot Race" "$desktop" || fail "the desktop entry has no English name"

metainfo="$prefix/share/metainfo/$id.metainfo.xml"
if ! appstreamcli validate --no-net --pedantic "$metainfo" >"$work/metainfo.log" 2>&1; then
  cat "$work/metainfo.log" >&2
  fail "appstreamcli does not accept $id.metainfo.xml"
fi
# The tree as a whole: the description's desktop entry and icons are there.
if ! appstreamcli validate-tree --no-net "$work" >"$work/tree.log" 2>&1; then
  cat "$work/tree.log" >&2
  fail "appstreamcli does not accept the installed tree"
fi
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  fail "the description does not launch $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the description has no release $version"

# groff says what it cannot make sense of on stderr.
if ! groff -man -Tutf8 -ww -z "$prefix/share/man/man6/mascot-race.6" >"$work/man.log" 2>&1 || [ -s "$work/man.log" ]; then
  cat "$work/man.log" >&2
  fail "the manual page does not read cleanly"
fi
grep -q "mascot-race $version" "$prefix/share/man/man6/mascot-race.6" || fail "the manual page is not for $version"

# The installed game answers for its version...
installed_version=$("$prefix/bin/mascot-race" --version | head -n 1) || fail "the installed --version failed"
[ "$installed_version" = "mascot-race $version" ] || fail "the installed game says '$installed_version'"

# ...and starts, finds its music in the data directory (nothing is beside
# it), and closes normally on SIGTERM.
mkdir -p "$work/home/config" "$work/runtime"
chmod 700 "$work/runtime"
HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/runtime" \
  QT_QPA_PLATFORM=offscreen "$prefix/bin/mascot-race" >"$work/game.out" 2>"$work/game.err" &
game_pid=$!
sleep 1.5
if kill -0 "$game_pid" 2>/dev/null; then
  kill -TERM "$game_pid"
  status=0
  wait "$game_pid" || status=$?
  game_pid=""
  [ "$status" -eq 0 ] || fail "the installed game ended with $status on SIGTERM"
else
  status=0
  wait "$game_pid" || status=$?
  game_pid=""
  fail "the installed game ended by itself with $status"
fi
if grep -q "no music found" "$work/game.err"; then
  fail "the installed game did not find its music"
fi
if [ "$failures" -gt 0 ]; then
  echo "--- the game's stderr:" >&2
  cat "$work/game.err" >&2
  exit 1
fi
echo "installed into a scratch prefix: every file there and valid; the game started and found its music"
