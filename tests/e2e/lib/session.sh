# Shared steps of the end-to-end runs: a private X display, the game started
# from its folder, screenshots and picture comparisons. Source it after
# setting GAME, ASSETS and PREFIX.

fail() { echo "FAIL: $*" >&2; exit 1; }

# The player's own settings stay out of the runs: each run has an empty
# settings folder of its own, where a step may write a settings file.
XDG_CONFIG_HOME=$(mktemp -d)
export XDG_CONFIG_HOME
# The fights the runs play are recorded in a folder of their own too.
XDG_DATA_HOME=$(mktemp -d)
export XDG_DATA_HOME

start_display() {
  local number
  number=$(mktemp)
  # The server picks a free display itself and writes its number once it
  # takes connections, so runs side by side never race for one.
  # -noreset: without it the server resets whenever its last client leaves,
  # and a game that connects during that reset finds no display.
  Xvfb -displayfd 3 -screen 0 "${SCREEN_SIZE:-1024x768}x24" -nolisten tcp -noreset \
    3>"$number" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 300); do
    [ -s "$number" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  export DISPLAY=:$(head -1 "$number")
  rm -f "$number"
  [ "$DISPLAY" != ":" ] && xdpyinfo >/dev/null 2>&1 || fail "no X display"
}

GAME_PID=""
stop_all() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
}

# Starts the game in its folder, with the options in GAME_ARGS if set; its
# standard output and error go to $OUT and $OUT.err. Sets WID, W and H.
start_game() {
  OUT=$(mktemp)
  # shellcheck disable=SC2086 # GAME_ARGS holds separate words
  (cd "$ASSETS" && exec "$GAME" ${GAME_ARGS:-} >"$OUT" 2>"$OUT.err") &
  GAME_PID=$!
  WID=""
  for _ in $(seq 100); do
    WID=$(xdotool search --name '^Vornak Enhancement$' 2>/dev/null | head -1)
    [ -n "$WID" ] && break
    sleep 0.1
  done
  [ -n "$WID" ] || fail "no game window"
  xdotool windowfocus --sync "$WID" 2>/dev/null || true
  read_geometry
}

# The window's size and position; the switch to full screen arrives a little
# after the window appears, and without a window manager the window may
# start above and left of the screen's corner.
read_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$WID")"
  W=$WIDTH; H=$HEIGHT; WX=$X; WY=$Y
}

game_alive() { kill -0 "$GAME_PID" 2>/dev/null; }

shot() { import -window "$WID" "$PREFIX-$1.png"; echo "  screenshot $PREFIX-$1.png"; }

# Root-mean-square difference (0..1) between two pictures.
diff_rms() { compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\(.*\)).*/\1/p'; }

# A screen picture scaled to the window, as the game shows it, cut to the
# part of the window that lies on the screen (what a screenshot holds).
reference() {
  local left=$(( WX < 0 ? -WX : 0 )) top=$(( WY < 0 ? -WY : 0 ))
  convert "$ASSETS/$1" -resize "${W}x${H}!" -crop "$((W - left))x$((H - top))+$left+$top" \
    +repage "$PREFIX-ref-$2.png"
  echo "$PREFIX-ref-$2.png"
}

# closer_to SHOT A B: true when SHOT is nearer to picture A than to B.
closer_to() {
  local a b
  a=$(diff_rms "$1" "$2"); b=$(diff_rms "$1" "$3")
  echo "  $(basename "$1"): $a to $(basename "$2"), $b to $(basename "$3")"
  awk -v a="$a" -v b="$b" 'BEGIN { exit !(a < b) }'
}

# Waits up to $2 tenths of a second for a line matching $1 in the game's output.
wait_for_line() {
  local i
  for i in $(seq "$2"); do
    grep -q -E "$1" "$OUT" && return 0
    game_alive || fail "the game ended: $(cat "$OUT.err")"
    sleep 0.1
  done
  return 1
}

# shot_until NAME A B [TRIES]: takes screenshot NAME until it is nearer to
# picture A than to B; false if that never happens (a loaded machine may take
# many frames to get there, so this waits on the picture, not on a clock).
shot_until() {
  local i
  for i in $(seq "${4:-300}"); do
    import -window "$WID" "$PREFIX-$1.png"
    closer_to "$PREFIX-$1.png" "$2" "$3" >/dev/null && { echo "  screenshot $PREFIX-$1.png"; return 0; }
    game_alive || fail "the game ended: $(cat "$OUT.err")"
    sleep 0.1
  done
  closer_to "$PREFIX-$1.png" "$2" "$3"
}

# Waits for the game to end and sets STATUS to its exit status ("" if it did not end).
wait_for_exit() {
  STATUS=""
  for _ in $(seq 300); do
    if ! game_alive; then wait "$GAME_PID"; STATUS=$?; GAME_PID=""; return; fi
    sleep 0.1
  done
}

# Waits until the window shows the menu at its full size: the switch to full
# screen and the end of the intro come late on a loaded machine.
wait_for_menu_picture() {
  local i
  for i in $(seq 300); do
    read_geometry
    if [ "${MENU_SIZE:-}" != "$W $H $WX $WY" ]; then
      MENU_SIZE="$W $H $WX $WY"
      MENU_REF=$(reference Menu.bmp menu)
      INTRO_REF=$(reference Intro.bmp intro)
    fi
    import -window "$WID" "$PREFIX-menu.png"
    closer_to "$PREFIX-menu.png" "$MENU_REF" "$INTRO_REF" >/dev/null && return 0
    game_alive || fail "the game ended: $(cat "$OUT.err")"
    sleep 0.1
  done
  fail "the menu did not come"
}

# The fight the game just recorded plays through without a window or a
# display and matches its recording. Sets CHECKED to what the check said.
check_recorded_fight() {
  CHECKED=$(env -u DISPLAY "$GAME" --check-replay "$XDG_DATA_HOME/brakkon/replays/last")
  local status=$?
  echo "  $CHECKED"
  [ "$status" -eq 0 ] && [[ "$CHECKED" == "replay matches: "* ]] ||
    fail "the recorded fight, checked: '$CHECKED' (status $status)"
}
