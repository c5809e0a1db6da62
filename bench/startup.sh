#!/bin/sh
# Start-up against a plain Qt window: launches the game and bench/plain_window
# (a window with as many widgets, none of the game) in turns on one private
# Xvfb display, times each until its window is mapped, and prints the median
# of each, their ratio and the game's first (cold) launch. Run after building
# mascot-race, window_startup and plain_window into build/ (MASCOT_RACE names
# another build of the game).
#
#   bench/startup.sh [pairs] [--drop-caches]
#
# --drop-caches empties the page cache first (root only), so the first launch
# reads the game and its libraries from disk.
set -eu
cd "$(dirname "$0")/.."
pairs=10
drop=""
for argument in "$@"; do
  case $argument in
    --drop-caches) drop=yes ;;
    *) pairs=$argument ;;
  esac
done
scratch=$(mktemp -d)
. bench/x_session.sh
trap 'x_session_cleanup; rm -rf "$scratch"' EXIT
start_xvfb
mkdir -p "$scratch/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"
if [ -n "$drop" ]; then
  sync
  echo 3 >/proc/sys/vm/drop_caches || { echo "$0: cannot drop the page cache (root only)" >&2; exit 1; }
fi
env -u QT_QPA_PLATFORM HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" \
  ./build/bench/window_startup "${MASCOT_RACE:-./build/mascot-race}" ./build/bench/plain_window "$pairs"
