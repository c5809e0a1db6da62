#!/bin/sh
# Time from launching mascot-race until its window is mapped (median of 10)
# and its resident memory once shown, under a private Xvfb display with a
# throw-away settings directory. Run after building into build/.
set -eu
cd "$(dirname "$0")/.."
runs=${1:-10}
scratch=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT

Xvfb :77 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
DISPLAY=:77 HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch" \
  ./build/bench/window_startup ./build/mascot-race "$runs"
