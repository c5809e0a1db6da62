# Shared by the measuring scripts (sourced, not run): a private Xvfb display,
# the game started on it with a throw-away home, clicks on its controls the
# way a player makes them (xdotool), and the figures read from /proc.
#
# The caller sets `scratch` (a temporary directory) and calls
# x_session_cleanup from its EXIT trap.

xvfb_pid=""
game_pid=""
# A signal (a reader of our output that went away, Ctrl-C) ends the script
# through its EXIT trap too, so nothing is left running.
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 141' PIPE
trap 'exit 143' TERM

x_session_cleanup() {
  if [ -n "$game_pid" ]; then kill "$game_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  wait 2>/dev/null || true
}

x_session_require() {
  for tool in Xvfb xdpyinfo xdotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "$0: $tool is missing; run scripts/install-deps" >&2; exit 1; }
  done
}

# Starts Xvfb on a free display number and exports DISPLAY. The number is
# drawn at random from a high range: other engineers' displays on this
# machine may share the abstract socket names without showing us their locks.
# The server writes its number (-displayfd) only once it listens: a display
# that answers before that is someone else's.
start_xvfb() {
  for number in $(shuf -i 200-899 -n 10); do
    : >"$scratch/display"
    Xvfb ":$number" -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
    xvfb_pid=$!
    tries=0
    while kill -0 "$xvfb_pid" 2>/dev/null && [ "$tries" -lt 100 ]; do
      if [ -s "$scratch/display" ]; then
        DISPLAY=":$number"
        export DISPLAY
        return 0
      fi
      tries=$((tries + 1))
      sleep 0.05
    done
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  done
  cat "$scratch/xvfb.log" >&2
  echo "$0: Xvfb did not start" >&2
  exit 1
}

# Starts the game (MASCOT_RACE, default build/mascot-race) with a fresh purse
# of `$1` (default 100), on the audio driver SDL_AUDIODRIVER names (the
# scripts set SDL's dummy driver: without a sound device the game is silent).
# Sets game_pid.
start_game() {
  mkdir -p "$scratch/config/mascot-race" "$scratch/runtime"
  chmod 700 "$scratch/runtime"
  rm -f "$scratch/config/mascot-race/MainForm.ini" "$scratch/config/mascot-race/"*.lock 2>/dev/null || true
  printf '[2]\npass=%s\n' "${1:-100}" >"$scratch/config/mascot-race/MainForm.ini"
  env -u QT_QPA_PLATFORM HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime" \
    ${SDL_AUDIODRIVER:+SDL_AUDIODRIVER="$SDL_AUDIODRIVER"} "${MASCOT_RACE:-./build/mascot-race}" >"$scratch/game.out" 2>"$scratch/game.err" &
  game_pid=$!
}

stop_game() {
  kill "$game_pid" 2>/dev/null || true
  wait "$game_pid" 2>/dev/null || true
  game_pid=""
}

# Waits (10 s at most) for the game's window to be viewable; sets `window`
# and `menu_height`, the rows above the client area.
wait_for_window() {
  window=""
  tries=0
  while [ -z "$window" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 200 ] || ! kill -0 "$game_pid" 2>/dev/null; then
      cat "$scratch/game.err" >&2
      echo "$0: the game's window did not appear" >&2
      exit 1
    fi
    sleep 0.05
    window=$(xdotool search --onlyvisible --name 'マスコットレース' 2>/dev/null | head -n 1) || true
  done
  height=$(xdotool getwindowgeometry "$window" | awk -F'[x ]' '/Geometry/ { print $NF }')
  # The client area is 9165 twips (611 pixels) high; the menu bar sits above it.
  menu_height=$((height - 611))
}

# Clicks the middle of a control given in twips of the client area: left,
# top, width, height (as the window definition has them, frames added in).
click_twips() {
  x=$(( ($1 + $3 / 2) / 15 ))
  y=$(( ($2 + $4 / 2) / 15 + menu_height ))
  xdotool mousemove --window "$window" "$x" "$y" click 1
}

# The bet panel sits at (5400, 6000); its buttons are placed inside it.
click_race_select() { click_twips $((5400 + 240)) $((6000 + 2040)) 2055 375; }
click_start() { click_twips $((5400 + 240)) $((6000 + 2490)) 4215 525; }

resident_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$game_pid/status"; }

# Every thread of the game: its id, nanoseconds on a CPU (exact, where the
# ticks of /proc/PID/stat count in hundredths of a second), times it went to
# sleep and woke (voluntary switches), and its name.
game_threads() {
  for task in /proc/"$game_pid"/task/*; do
    printf '%s %s %s %s\n' "${task##*/}" "$(cut -d' ' -f1 "$task/schedstat")" \
      "$(awk '/^voluntary_ctxt_switches:/ { print $2 }' "$task/status")" "$(tr ' ' '_' <"$task/comm")"
  done | sort
}
