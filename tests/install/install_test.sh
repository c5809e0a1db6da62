#!/bin/sh
# Installs the game into a scratch prefix and checks what lands there and that
# the game starts from there and finds its music and its plugins.
# Arguments: cmake build-dir desktop-id version plugin-tests
set -eu

cmake=$1
build=$2
id=$3
version=$4
plugin_tests=$5

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
for file in bin/mascot-race share/mascot-race/bgm.mid share/mascot-race/bgm1.wav share/mascot-race/mascot-race_en.qm \
  "share/applications/$id.desktop" \
  "share/metainfo/$id.metainfo.xml" share/man/man6/mascot-race.6 share/doc/mascot-race/copyright; do
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

# Ready once it handles SIGTERM, SIGINT and SIGHUP itself (bits 15, 2 and 1 of its caught-signal mask).
mkdir -p "$work/home/config" "$work/runtime"
chmod 700 "$work/runtime"
HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_RUNTIME_DIR="$work/runtime" \
  QT_QPA_PLATFORM=offscreen "$prefix/bin/mascot-race" >"$work/game.out" 2>"$work/game.err" &
game_pid=$!
mask=0
for _ in $(seq 300); do
  [ $((0x$mask & 0x4003)) -eq $((0x4003)) ] && break
  grep -q '^State:[[:space:]]*Z' "/proc/$game_pid/status" 2>/dev/null && break
  sleep 0.1
  mask=$(awk '/^SigCgt:/ { print substr($2, length($2) - 3) }' "/proc/$game_pid/status" 2>/dev/null || echo 0)
done
[ $((0x$mask & 0x4003)) -eq $((0x4003)) ] && kill -TERM "$game_pid" || kill -KILL "$game_pid" 2>/dev/null || true
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the installed game was not ready and closed normally: it ended with $status"
if grep -q "no music found" "$work/game.err"; then fail "the installed game did not find its music"; fi
if [ "$failures" -gt 0 ]; then
  echo "--- the game's stderr:" >&2
  cat "$work/game.err" >&2
  exit 1
fi
echo "installed into a scratch prefix: every file there and valid; the game started and found its music"
