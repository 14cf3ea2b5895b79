#!/usr/bin/env bash
# A new player's whole game: intro, menu, a click outside START that changes
# nothing, START, loading, play; drive toward the enemies, stand and
# fire round about until one dies (at most 5 minutes), launch a missile,
# embers, the status report, slow motion twice, Esc.
# Checks the console lines and that the HUD counters changed; leaves a
# screenshot of every stage in the screenshot folder.
set -uo pipefail
GAME=$(realpath "$1")
ASSETS=$(realpath "$2")
SHOTS=$(mkdir -p "$3" && realpath "$3")
PREFIX="$SHOTS/full_game"
. "$(dirname "$0")/lib/session.sh"

SCREEN_SIZE=800x600 start_display
trap stop_all EXIT
start_game

echo "intro and menu"
# The intro shows for 61 frames, about a second: take shots quickly and look
# at them afterwards. The intro is a warm dusk, the menu a dark blue night,
# so the mean red and blue of a shot tell them apart at any window size.
for i in $(seq 1 20); do
  import -window "$WID" "$PREFIX-intro-try-$i.png" 2>/dev/null
  sleep 0.05
done
seen_intro=""
for i in $(seq 1 20); do
  if convert "$PREFIX-intro-try-$i.png" -format '%[fx:mean.r - mean.b > 0.08 ? 1 : 0]' info: \
      2>/dev/null | grep -q 1; then
    seen_intro=yes
    mv "$PREFIX-intro-try-$i.png" "$PREFIX-1-intro.png"
    break
  fi
done
rm -f "$PREFIX"-intro-try-*.png
[ -n "$seen_intro" ] || fail "intro picture not shown"
echo "  screenshot $PREFIX-1-intro.png"
# Without a window manager the full-screen window covers the screen from its
# corner, once the switch to full screen has come (late on a loaded machine).
for _ in $(seq 300); do
  read_geometry
  [ "$W $H $WX $WY" = "800 600 0 0" ] && break
  sleep 0.1
done
[ "$W $H $WX $WY" = "800 600 0 0" ] || fail "the window did not fill the screen: ${W}x${H} at $WX,$WY"
echo "window $WID ${W}x${H} at $WX,$WY"
INTRO_REF=$(reference Intro.bmp intro)
MENU_REF=$(reference Menu.bmp menu)
LOADING_REF=$(reference mask.bmp loading)
# The intro ends after its 61 frames, however long the loaded machine takes.
shot_until 2-menu "$MENU_REF" "$INTRO_REF" || fail "menu picture not shown"
# Nothing shows that the game has taken the click: watch the menu for a while.
xdotool mousemove --window "$WID" $((W * 80 / 100)) $((H * 75 / 100)) click 1
sleep 0.6
shot 3-menu-after-outside-click
closer_to "$PREFIX-3-menu-after-outside-click.png" "$MENU_REF" "$LOADING_REF" \
  || fail "a click outside START left the menu"

echo "START and loading"
xdotool mousemove --window "$WID" $((W * 30 / 100)) $((H * 75 / 100)) click 1
shot_until 4-loading "$LOADING_REF" "$MENU_REF" || fail "loading picture not shown"
wait_for_line '^ here$' 3000 || fail "play did not begin"
HEIGHTS=$(sed -n '1,/^ here$/p' "$OUT" | grep -c -v '^ here$')
[ "$HEIGHTS" -eq 50 ] || fail "expected 50 scenery heights before ' here', got $HEIGHTS"
# The third frame of play writes " here": wait until the picture shows it.
for _ in $(seq 100); do
  import -window "$WID" "$PREFIX-5-play.png"
  D=$(diff_rms "$PREFIX-5-play.png" "$LOADING_REF")
  awk -v d="$D" 'BEGIN { exit !(d > 0.15) }' && break
  sleep 0.1
done
echo "  screenshot $PREFIX-5-play.png, $D from the loading picture"
awk -v d="$D" 'BEGIN { exit !(d > 0.15) }' || fail "play is not shown"
# The counters' corner, in screenshot coordinates.
HUD_CROP="240x120+$((W - 240 + (WX < 0 ? WX : 0)))+$((H - 120 + (WY < 0 ? WY : 0)))"
HUD_AT_START="$PREFIX-hud-start.png"
convert "$PREFIX-5-play.png" -crop "$HUD_CROP" +repage "$HUD_AT_START"

# The game keeps the pointer captured: beyond 50..750 x 50..550 it warps it
# back to 400, 300. PX, PY is where it is; turn_turret moves it by DX, DY
# pixels (8 pixels a degree; right and down turn right and down), never
# further than one pixel past an edge, so a warp only ever recentres it.
PX=400; PY=300
xdotool mousemove --window "$WID" "$PX" "$PY"
turn_turret() {
  local dx=$1 dy=$2 step_x step_y
  while [ "$dx" -ne 0 ] || [ "$dy" -ne 0 ]; do
    step_x=$dx; step_y=$dy
    [ $((PX + step_x)) -gt 751 ] && step_x=$((751 - PX))
    [ $((PX + step_x)) -lt 49 ] && step_x=$((49 - PX))
    [ $((PY + step_y)) -gt 551 ] && step_y=$((551 - PY))
    [ $((PY + step_y)) -lt 49 ] && step_y=$((49 - PY))
    PX=$((PX + step_x)); PY=$((PY + step_y))
    xdotool mousemove --window "$WID" "$PX" "$PY"
    dx=$((dx - step_x)); dy=$((dy - step_y))
    if [ "$PX" -gt 750 ] || [ "$PX" -lt 50 ] || [ "$PY" -gt 550 ] || [ "$PY" -lt 50 ]; then
      PX=400; PY=300
      sleep 0.05
    fi
  done
}

echo "drive toward the enemies"
# The status report's counters read the game's pace: its FPS line counts the
# ticks of the last second. Its characters are cells of 8 by 13 pixels; the
# pictures of the digits are learned from the report itself: the 0 of the
# hurt line, and 1 to 9 from the fired line as shells go out one by one.
# glyphs SHOT LINE FIRST COUNT prints the cells FIRST.. of text line LINE as
# strings of bits, one word each.
glyphs() {
  convert "$1" -crop "$((8 * ($3 + $4)))x13+0+$((13 * $2 + 2))" +repage txt:- 2>/dev/null |
    awk -F'[ ,:()]+' -v first="$3" -v n="$4" '
      /^#/ { next }
      { bit[$2, $1] = ($4 > 200 && $3 < 80 && $5 < 80) ? 1 : 0 }
      END {
        for (c = first; c < first + n; c++) {
          s = ""
          for (y = 0; y < 13; y++) for (x = 8 * c; x < 8 * c + 8; x++) s = s (bit[y, x] ? 1 : 0)
          printf "%s ", s
        }
        print ""
      }'
}
BLANK=$(printf '0%.0s' $(seq 104))
xdotool key p
DIGITS=()
for _ in $(seq 100); do
  import -window "$WID" "$PREFIX-report.png"
  read -r DIGITS[0] <<<"$(glyphs "$PREFIX-report.png" 2 7 1)"
  [ "${DIGITS[0]}" != "$BLANK" ] && break
  sleep 0.1
done
[ "${DIGITS[0]}" != "$BLANK" ] || fail "the status report did not show"
for d in $(seq 9); do
  xdotool click 1
  DIGITS[d]=${DIGITS[d - 1]}
  for _ in $(seq 100); do
    import -window "$WID" "$PREFIX-report.png"
    read -r DIGITS[d] <<<"$(glyphs "$PREFIX-report.png" 3 8 1)"
    [ "${DIGITS[d]}" != "${DIGITS[d - 1]}" ] && break
    sleep 0.1
  done
  [ "${DIGITS[d]}" != "${DIGITS[d - 1]}" ] || fail "the fired counter did not reach $d"
done
# read_fps SHOT: the FPS line's number, empty when it cannot be read.
read_fps() {
  local cells cell d n=""
  cells=$(glyphs "$1" 6 7 3)
  for cell in $cells; do
    [ "$cell" = "$BLANK" ] && break
    for d in $(seq 0 9); do [ "$cell" = "${DIGITS[d]}" ] && { n="$n$d"; continue 2; }; done
    return
  done
  echo "$n"
}
FPS=""
for _ in $(seq 30); do
  sleep 1.1
  import -window "$WID" "$PREFIX-report.png"
  FPS=$(read_fps "$PREFIX-report.png")
  [ -n "$FPS" ] && [ "$FPS" -gt 0 ] && break
done
[ -n "$FPS" ] && [ "$FPS" -gt 0 ] || fail "the FPS line could not be read"
echo "  $FPS ticks a second"
shot 5-standing
xdotool keydown w
D=0
for _ in $(seq 120); do
  sleep 0.5
  shot 6-driven
  D=$(diff_rms "$PREFIX-5-standing.png" "$PREFIX-6-driven.png")
  awk -v d="$D" 'BEGIN { exit !(d > 0.02) }' && break
done
echo "  the view changed by $D"
awk -v d="$D" 'BEGIN { exit !(d > 0.02) }' || fail "the view did not change while driving"

# The console's lines after the scenery heights: one per hit on an enemy,
# its health after the hit; a negative one is a death.
health_lines() { sed '1,/^ here$/d' "$OUT" | grep -c -E '^-?[0-9]+$'; }
died() { sed '1,/^ here$/d' "$OUT" | grep -q -E '^-[0-9]+$'; }

# The game's pace, read again from the FPS line; wait_ticks N sleeps for
# about N ticks at that pace.
update_fps() {
  local f
  import -window "$WID" "$PREFIX-fight.png"
  f=$(read_fps "$PREFIX-fight.png")
  [ -n "$f" ] && [ "$f" -gt 0 ] && FPS=$f
  game_alive || fail "the game ended while fighting: $(cat "$OUT.err")"
}
wait_ticks() { sleep "$(awk -v n="$1" -v f="$FPS" 'BEGIN { printf "%.2f", n / f }')"; }

echo "fight until an enemy dies"
# Every enemy drives straight at the tank until it touches the hull and stays
# there, four or five units away; a shell is armed on its fifth unit, so one
# fired within about 15 degrees of such an enemy hits it. Like a player who
# cannot see well: drive on toward -z for 800 ticks (400 units, beside the
# field of blocks that lies between x and z 0 and 300 and past the enemies'
# square, x and z from -250 to 22), stand, send the missiles up (armed after
# 600 ticks, they home on what the crosshair last rested on), and go round in
# steps of 20 degrees, one shell each with the gun lowered as far as it goes;
# where a health line answers (the console prints one per hit, a negative
# one is a death) keep firing, a shell every two ticks, for as long as hits
# keep coming. Between shots the gun points at the sky, which the software
# renderer draws in half the time of the ground, so the game runs faster. The
# pace is counted in ticks, so a slow machine only makes it slower.
FIGHT_START=$(date +%s)
FIGHT_LIMIT=300
fight_time() { echo $(( $(date +%s) - FIGHT_START )); }
gun_up() { turn_turret 0 -600; }
fire_low() { turn_turret 0 600; xdotool click 1; turn_turret 0 -600; }
: >"$PREFIX-fight.log"
gun_up
ticks_driven=0; since=$(date +%s.%N)
while [ "$ticks_driven" -lt 800 ] && [ "$(fight_time)" -lt $FIGHT_LIMIT ] && ! died; do
  sleep 1
  update_fps
  now=$(date +%s.%N)
  ticks_driven=$(awk -v t="$ticks_driven" -v f="$FPS" -v a="$since" -v b="$now" \
    'BEGIN { printf "%d", t + f * (b - a) }')
  since=$now
  echo "  $(fight_time) s: driving, $FPS ticks a second, $ticks_driven ticks" >>"$PREFIX-fight.log"
done
xdotool keyup w
for _ in 1 2 3; do xdotool key r; sleep 0.2; done
bearings=0; bursts=0
while [ "$(fight_time)" -lt $FIGHT_LIMIT ] && ! died; do
  update_fps
  before=$(health_lines)
  fire_low
  wait_ticks 15
  while [ "$(health_lines)" -gt "$before" ] && [ "$(fight_time)" -lt $FIGHT_LIMIT ] && ! died; do
    bursts=$((bursts + 1))
    before=$(health_lines)
    for _ in 1 2 3 4 5; do fire_low; wait_ticks 2; done
    wait_ticks 8
    update_fps
  done
  echo "  $(fight_time) s: bearing $bearings, $FPS ticks a second, $bursts bursts," \
    "$(health_lines) health lines" >>"$PREFIX-fight.log"
  turn_turret 160 0
  bearings=$((bearings + 1))
done
HEALTH_LINES=$(health_lines)
if ! died; then
  tail -5 "$PREFIX-fight.log"
  fail "no enemy died within $FIGHT_LIMIT s; $HEALTH_LINES enemy health lines"
fi
echo "  an enemy died $(fight_time) s into the fight ($ticks_driven ticks driving, $bearings" \
  "bearings, $bursts bursts); $HEALTH_LINES enemy health lines" | tee -a "$PREFIX-fight.log"
# The status report goes off again (it is switched on below) and the gun
# comes down from the sky to level.
xdotool key p
turn_turret 0 480
# Every health line is a whole number.
sed '1,/^ here$/d' "$OUT" | grep -v -q -E '^-?[0-9]+$' && fail "a console line that is not a health line"
sleep 0.3
shot 7-enemy-destroyed

echo "missile, embers, status report, slow motion"
xdotool key r; sleep 1.5
shot 8-missile
xdotool key g; sleep 0.3
shot 9-embers
xdotool key p
# The status report is green text in the top left corner.
for _ in $(seq 100); do
  import -window "$WID" "$PREFIX-10-status.png"
  GREEN=$(convert "$PREFIX-10-status.png" -crop "200x100+0+0" +repage \
    -fx 'g>0.9 && r<0.2 && b<0.2 ? 1 : 0' -format '%[fx:mean*w*h]' info:)
  awk -v g="$GREEN" 'BEGIN { exit !(g > 50) }' && break
  sleep 0.1
done
echo "  screenshot $PREFIX-10-status.png"
xdotool key space; sleep 1
shot 11-slow-motion
xdotool key space; sleep 0.5
convert "$PREFIX-10-status.png" -crop "$HUD_CROP" +repage "$PREFIX-hud-end.png"
D=$(diff_rms "$HUD_AT_START" "$PREFIX-hud-end.png")
echo "  the HUD counters changed by $D"
awk -v d="$D" 'BEGIN { exit !(d > 0.005) }' || fail "the HUD counters did not change"
echo "  green report pixels: $GREEN"
awk -v g="$GREEN" 'BEGIN { exit !(g > 50) }' || fail "the status report is not shown"

echo "pause, Esc"
# A pause in the middle of the fight, and a key that plays on.
xdotool key Tab
for _ in $(seq 100); do
  shot 12-paused >/dev/null
  awk -v d="$(diff_rms "$PREFIX-11-slow-motion.png" "$PREFIX-12-paused.png")" \
    'BEGIN { exit !(d > 0.02) }' && break
  sleep 0.1
done
xdotool key x
sleep 0.5
xdotool key Escape
wait_for_exit
[ "$STATUS" = "0" ] || fail "Esc: exit status '$STATUS' (expected 0)"
if grep -q . "$OUT.err"; then echo "game messages:"; cat "$OUT.err"; fi

echo "the fight recorded, checked and watched again"
check_recorded_fight
echo "$CHECKED" | grep -q -E 'killed [1-9]' || fail "the recording has no kill: $CHECKED"
PLAYED=$OUT
GAME_ARGS="--replay last" start_game
# Four times as fast; the console gets the same lines as in the fight.
wait_for_line '^ here$' 3000 || fail "the replay did not begin"
xdotool key bracketright bracketright
LINES=$(wc -l <"$PLAYED")
for _ in $(seq 3000); do
  [ "$(wc -l <"$OUT")" -ge "$LINES" ] && break
  game_alive || fail "the replay ended: $(cat "$OUT.err")"
  sleep 0.1
done
cmp "$PLAYED" "$OUT" || fail "the replay's console lines are not the fight's"
shot 13-replay
xdotool key Escape
wait_for_exit
[ "$STATUS" = "0" ] || fail "Esc in the replay: exit status '$STATUS' (expected 0)"
rm -f "$OUT" "$OUT.err" "$PLAYED" "$PLAYED.err"
echo "PASS"
