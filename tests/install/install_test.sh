#!/bin/sh
# Installs the game into a scratch prefix and checks what lands there and that
# the game starts from there and finds its music and its plugins.
# Arguments: cmake build-dir desktop-id version plugin-tests process-tests
set -eu

cmake=$1
build=$2
id=$3
version=$4
plugin_tests=$5
process_tests=$6

work=$(mktemp -d /tmp/mascot-install-XXXXXX)
trap 'rm -rf "$work"' EXIT INT TERM

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
check() {
  what=$1
  shift
  if [ "$what" = silent ]; then what=$1 && shift && silent=yes; else silent=no; fi
  if ! "$@" >"$work/check.log" 2>&1 || { [ "$silent" = yes ] && [ -s "$work/check.log" ]; }; then
    cat "$work/check.log" >&2
    fail "$what"
  fi
}

prefix=$work/usr
check "cmake --install did not finish" "$cmake" --install "$build" --prefix "$prefix"
# The desktop entry, the description and the manual page are read below, the
# English catalogue by --help: there a missing one fails too.
for file in bin/mascot-race share/mascot-race/bgm.mid share/mascot-race/bgm1.wav share/doc/mascot-race/copyright; do
  [ -s "$prefix/$file" ] || fail "$file is not installed"
done
[ -x "$prefix/bin/mascot-race" ] || fail "bin/mascot-race is not executable"
binaries="$build/mascot-race $prefix/bin/mascot-race"
for module in sound statistics; do
  file=$(find "$prefix/lib" -name "mascot-race-$module.so" 2>/dev/null | head -n 1)
  [ -s "$file" ] || fail "the $module plugin is not installed under lib/"
  binaries="$binaries $build/mascot-race-$module.so $file"
done
# Libraries are looked for only where the system keeps them: no run path
# relative to the file ($ORIGIN), to the current directory, or empty (which
# the loader reads as the current directory), built or installed.
for file in $binaries; do
  readelf -d "$file" >"$work/dynamic" || fail "readelf cannot read $file"
  paths=$(sed -n 's/.*(R[UNPATH]*).*\[\(.*\)\]$/:\1:/p' "$work/dynamic")
  case $paths in *::* | *:[!/]*) fail "$file looks for libraries in relative places: $paths" ;; esac
done
[ "$(ls "$prefix/bin")" = mascot-race ] || fail "bin/ holds more than the game: $(ls "$prefix/bin")"

for size in 16 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  file -b "$icon" | grep -q "^PNG image data, $size x $size," || fail "the ${size}x${size} icon is $(file -b "$icon")"
done

desktop="$prefix/share/applications/$id.desktop"
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
check silent "desktop-file-validate does not accept $id.desktop" desktop-file-validate "$desktop"
for line in "Icon=$id" "Exec=mascot-race" "Name[en]=Mascot Race"; do
  grep -qxF "$line" "$desktop" || fail "the desktop entry lacks $line"
done
check "appstreamcli does not accept $id.metainfo.xml" appstreamcli validate --no-net --pedantic "$metainfo"
check "appstreamcli does not accept the installed tree" appstreamcli validate-tree --no-net "$work"
grep -qF "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the description does not launch $id.desktop"
grep -qF "<release version=\"$version\"" "$metainfo" || fail "the description has no release $version"
check silent "the manual page does not read cleanly" groff -man -Tutf8 -ww -z "$prefix/share/man/man6/mascot-race.6"
grep -qF "mascot-race $version" "$prefix/share/man/man6/mascot-race.6" || fail "the manual page is not for $version"

# The game's way to its plugins, from where it is installed, leads to those installed.
MASCOT_INSTALLED_BIN="$prefix/bin" "$plugin_tests" --gtest_filter=PluginTest.APluginIsLookedFor* >"$work/plugins.log" 2>&1 &&
  grep -q '^\[  PASSED  \] 1 test' "$work/plugins.log" ||
  { cat "$work/plugins.log" >&2 && fail "the installed game does not load its plugins from where they are installed"; }
LANGUAGE=en "$prefix/bin/mascot-race" --help | grep -q "^Komamedo Mascot Race" ||
  fail "the installed game does not find its English catalogue"

# The installed game plays, keeps to one copy, saves its purse and finds its music.
MASCOT_RACE_UNDER_TEST="$prefix/bin/mascot-race" "$process_tests" --gtest_filter='ProcessTest.OneCopy*' \
  >"$work/game.log" 2>&1 &&
  grep -q '^\[  PASSED  \] 1 test' "$work/game.log" ||
  { cat "$work/game.log" >&2 && fail "the installed game does not play as the built one does"; }
[ "$failures" -eq 0 ] || exit 1
echo "installed into a scratch prefix: every file there and valid; the game started and found its music"
