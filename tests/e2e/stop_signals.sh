#!/usr/bin/env bash
# Stop signals end the real game at once, whenever they come: single and
# doubled SIGINT, SIGTERM and SIGHUP at moments spread over start-up, the
# intro, the menu, the blocking level set-up, play, a running tile build and
# a message box, with two busy processes loading the machine. Every run must
# end within 3 s with status 128 + the number of the first signal (or of the
# second, when both were pending at once; a signal started ignored stays
# so), and the desktop's key auto-repeat must stay as it was. A missing
# picture's box is dismissed with Return on the way to the menu; a folder
# without the game's files gives one box and the end. The game answers
# --help, --version and options it cannot take before it looks for a display.
set -uo pipefail
GAME=$(realpath "$1")
ASSETS=$(realpath "$2")
SHOTS=$(mkdir -p "$3" && realpath "$3")
PREFIX="$SHOTS/stop_signals"
. "$(dirname "$0")/lib/session.sh"

start_display
BUSY=()
cleanup() {
  for pid in "${BUSY[@]}"; do kill "$pid" 2>/dev/null; done
  [ -n "$GAME_PID" ] && kill -KILL "$GAME_PID" 2>/dev/null
  stop_all
  rm -rf "$NO_PICTURE"
}
trap cleanup EXIT
for _ in 1 2; do
  sh -c 'while :; do :; done' &
  BUSY+=($!)
done

repeat_state() { xset q | grep -o 'auto repeat: *[a-z]*'; }
REPEAT_BEFORE=$(repeat_state)

# As from a terminal: the stop signals start with their default handling
# (a shell script's background job would otherwise begin with SIGINT ignored).
# Or with the signals in IGNORE ignored, as nohup and a background job do.
IGNORE=""
GAME_DIR=$ASSETS
launch() {
  OUT=$(mktemp)
  (cd "$GAME_DIR" && exec env --default-signal=INT,TERM,HUP ${IGNORE:+--ignore-signal=$IGNORE} \
    "$GAME" >"$OUT" 2>"$OUT.err") &
  GAME_PID=$!
}

# The game folder without the closing picture, which is loaded at start-up
# but never shown: its message box comes up before the intro.
NO_PICTURE=$(mktemp -d)
cp -as "$ASSETS/." "$NO_PICTURE"
rm "$NO_PICTURE/THANKYOU.bmp"

# Waits for the game's window, or the one titled $1.
find_window() {
  WID=""
  for _ in $(seq 300); do
    WID=$(xdotool search --name "^${1:-Vornak Enhancement}\$" 2>/dev/null | head -1)
    [ -n "$WID" ] && break
    game_alive || fail "the game ended before its window appeared: $(cat "$OUT.err"); display: $(xdpyinfo >/dev/null 2>&1 && echo up || echo down)"
    sleep 0.05
  done
  [ -n "$WID" ] || fail "no window ${1:-of the game}"
  read_geometry
}

# Which of the intro, menu and loading pictures a screenshot is nearest to,
# compared at a quarter of the size to keep the loaded machine's work small.
small() { convert "$1" -sample 25% "$2"; }
screen_shown() {
  local name best="" best_rms=9 rms
  small "$1" "$PREFIX-screen-small.png"
  for name in intro menu loading; do
    rms=$(diff_rms "$PREFIX-screen-small.png" "$PREFIX-ref-$name-small.png")
    if awk -v a="$rms" -v b="$best_rms" 'BEGIN { exit !(a < b) }'; then best=$name; best_rms=$rms; fi
  done
  echo "$best"
}

# Sets SHOWN to the screen on show now (the window turns full screen a little
# after it appears, so the reference pictures follow its size).
REF_SIZE=""
current_screen() {
  local name
  read_geometry
  if [ "$REF_SIZE" != "$W $H $WX $WY" ]; then
    REF_SIZE="$W $H $WX $WY"
    reference Intro.bmp intro >/dev/null
    reference Menu.bmp menu >/dev/null
    reference mask.bmp loading >/dev/null
    for name in intro menu loading; do small "$PREFIX-ref-$name.png" "$PREFIX-ref-$name-small.png"; done
  fi
  import -window "$WID" "$PREFIX-screen.png" 2>/dev/null
  SHOWN=$(screen_shown "$PREFIX-screen.png")
}

# Waits until the menu is on show.
wait_for_menu() {
  for _ in $(seq 300); do
    current_screen
    [ "$SHOWN" = menu ] && return 0
    game_alive || fail "the game ended on the intro: $(cat "$OUT.err")"
    sleep 0.1
  done
  fail "the menu did not come"
}

# Clicks the menu's START area until the loading picture is up.
start_level() {
  wait_for_menu
  for _ in $(seq 300); do
    current_screen
    case $SHOWN in
      loading) return 0 ;;
      menu) xdotool mousemove --window "$WID" $((W * 35 / 100)) $((H * 75 / 100)) click 1 ;;
    esac
    grep -q '^ here$' "$OUT" && return 0
    game_alive || fail "the game ended on the menu: $(cat "$OUT.err")"
    sleep 0.1
  done
  fail "START did not begin the level set-up"
}

# True while a terrain tile is building: the builder is a thread of the game
# that carries the game's own name (the graphics driver's threads carry theirs).
tile_building() {
  local task
  for task in /proc/"$GAME_PID"/task/*; do
    [ "${task##*/}" = "$GAME_PID" ] && continue
    [ "$(cat "$task/comm" 2>/dev/null)" = "$(cat /proc/"$GAME_PID"/comm 2>/dev/null)" ] && return 0
  done
  return 1
}

RUNS=0
FAILURES=0
SUMMARY=""
# run MOMENT WAIT SIGNALS...: starts the game, brings it to MOMENT, waits WAIT
# seconds, sends the signals 50 ms apart and checks how it ends.
run() {
  local moment=$1 after=$2
  shift 2
  launch
  case $moment in
    start-up) ;;
    box) find_window Error ;;
    intro) find_window ;;
    menu) find_window; wait_for_menu ;;
    loading)
      find_window
      start_level
      grep -q '^ here$' "$OUT" && fail "the level set-up ended before its signal could come"
      ;;
    play) find_window; start_level; wait_for_line '^ here$' 1200 || fail "play did not begin" ;;
    building)
      find_window; start_level; wait_for_line '^ here$' 1200 || fail "play did not begin"
      xdotool keydown w
      local tries=0
      until tile_building; do
        tries=$((tries + 1))
        [ $tries -lt 6000 ] || fail "no tile build seen"
        sleep 0.01
      done
      ;;
  esac
  sleep "$after"
  game_alive || fail "the game ended by itself at $moment: $(cat "$OUT.err")"
  local sent=() signal sent_at
  sent_at=$(date +%s%N)
  for signal in "$@"; do
    [ ${#sent[@]} -gt 0 ] && sleep 0.05
    kill -s "$signal" "$GAME_PID" 2>/dev/null
    sent+=("$signal")
  done
  # Ended once it is gone or a zombie (exited, its status not yet collected).
  local state ended_at=""
  while :; do
    state=$(awk '{ print $3 }' /proc/"$GAME_PID"/stat 2>/dev/null)
    if [ -z "$state" ] || [ "$state" = Z ]; then ended_at=$(date +%s%N); break; fi
    [ $(($(date +%s%N) - sent_at)) -lt 3000000000 ] || break
    sleep 0.01
  done
  [ "$moment" = building ] && xdotool keyup w
  local expected code="" line
  expected=$((128 + $(kill -l "${EXPECT:-$1}")))
  RUNS=$((RUNS + 1))
  line="$moment+${after}s ${sent[*]}: "
  if [ -z "$ended_at" ]; then
    kill -KILL "$GAME_PID"; wait "$GAME_PID" 2>/dev/null
    line+="still running after 3 s  FAIL"
    FAILURES=$((FAILURES + 1))
  else
    wait "$GAME_PID" 2>/dev/null; code=$?
    line+="$code after $(((ended_at - sent_at) / 1000000)) ms"
    # When the second signal comes before the loaded machine has let the
    # game run at all, both are pending and the kernel hands over the lower
    # numbered first: either signal's status is then right.
    for signal in "${sent[@]:1}"; do
      [ "$code" = $((128 + $(kill -l "$signal"))) ] && expected=$code
    done
    if [ "$code" != "$expected" ]; then
      line+=" (expected $expected)  FAIL"
      FAILURES=$((FAILURES + 1))
    fi
  fi
  GAME_PID=""
  echo "  $line"
  SUMMARY+="$line"$'\n'
  rm -f "$OUT" "$OUT.err"
}

echo "single and doubled stop signals, two busy processes running"
run start-up 0 INT
run start-up 0.02 TERM HUP
run start-up 0.1 HUP
run start-up 0.2 TERM
run start-up 0.3 INT TERM
run intro 0 TERM
run intro 0.2 HUP INT
run intro 0.4 INT
run intro 0.6 TERM TERM
run menu 0 HUP
run menu 0.3 INT INT
run menu 0.6 TERM HUP
run loading 0 INT
run loading 0.1 TERM INT
run loading 0.3 HUP
run loading 0.6 INT HUP
run play 0 HUP TERM
run play 1 TERM
run building 0 INT
run building 0 TERM INT
run building 0.05 HUP
GAME_DIR=$NO_PICTURE
run box 0 TERM
run box 0.3 HUP INT
GAME_DIR=$ASSETS

echo "an ignored signal stays ignored: under nohup, and as a background job"
IGNORE=HUP EXPECT=TERM run intro 0 HUP TERM
IGNORE=INT EXPECT=HUP run menu 0 INT HUP

echo "a missing picture: a box titled Error of its own, Return, then the menu"
GAME_DIR=$NO_PICTURE launch
find_window Error
xprop -id "$WID" WM_TRANSIENT_FOR | grep -q 'not found' || fail "the box is attached to a window"
# The box takes the keyboard once it is drawn: a Return before that is lost.
for _ in $(seq 300); do
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$WID" ] && break
  sleep 0.05
done
[ "$(xdotool getwindowfocus 2>/dev/null)" = "$WID" ] || fail "the box never took the keyboard"
xdotool key Return
find_window
wait_for_menu
xdotool search --name '^Error$' >/dev/null && fail "the box stayed after Return"
# Besides the box's line, a machine without sound may say so in one of its own.
[ "$(grep -v -x "Brakkon: no sound device found; the game plays without sound." "$OUT.err")" = \
  "Error: Failed to open DIB file THANKYOU.bmp." ] || fail "standard error: $(cat "$OUT.err")"

kill "$GAME_PID"
wait "$GAME_PID" 2>/dev/null
rm -f "$OUT" "$OUT.err"

echo "started away from its folder: one box naming the folder, then status 1"
EMPTY=$(mktemp -d)
GAME_DIR=$EMPTY launch
find_window Error
for _ in $(seq 300); do
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$WID" ] && break
  sleep 0.05
done
xdotool key Return
wait_for_exit
rmdir "$EMPTY"
[ "$STATUS" = 1 ] || fail "exit status '$STATUS' (expected 1); standard error: $(cat "$OUT.err")"
[ "$(grep -c '^Error: ' "$OUT.err")" = 1 ] && grep -q "not in $EMPTY, where .*brakkon" "$OUT.err" ||
  fail "standard error: $(cat "$OUT.err")"
rm -f "$OUT" "$OUT.err"

echo "the game answers its options itself, without a display"
env -u DISPLAY "$GAME" --help | grep -q -- '^  --render-scale PERCENT$' || fail "--help"
ERR=$(env -u DISPLAY "$GAME" --render-scale=33 2>&1)
[ $? -eq 2 ] && [ "$ERR" = "brakkon: --render-scale takes 100, 75 or 50, not '33'" ] || fail "$ERR"

echo "$RUNS runs, $FAILURES failed"
[ "$(repeat_state)" = "$REPEAT_BEFORE" ] || fail "key repeat was '$REPEAT_BEFORE', now '$(repeat_state)'"
[ "$FAILURES" -eq 0 ] || fail "$FAILURES of $RUNS runs did not end as they should"
echo "PASS"
