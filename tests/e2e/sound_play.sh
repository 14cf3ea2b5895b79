#!/usr/bin/env bash
# The real game (its scene drawn at half size) heard through OpenAL Soft's
# file backend: the START click, the engine at rest and louder while
# driving, a shell, a missile with its hiss, mute and unmute with m, then
# Esc. The recording must have sound at each of those moments, silence on
# the menu and while muted, and end when the game ends. A second start
# without any sound device must say so in one line and play on; a third,
# into an output that stops taking sound, must still end with status 0 on
# Esc. The recording and its spectrogram are left in the screenshot folder.
set -uo pipefail
GAME=$(realpath "$1")
ASSETS=$(realpath "$2")
SHOTS=$(mkdir -p "$3" && realpath "$3")
PREFIX="$SHOTS/sound_play"
. "$(dirname "$0")/lib/session.sh"

REC="$PREFIX-recording.wav"
CONF=$(mktemp)
rm -f "$REC"
printf '[general]\nchannels = stereo\nsample-type = int16\nfrequency = 44100\n[wave]\nfile = %s\n' \
  "$REC" >"$CONF"

start_display
trap 'stop_all; rm -f "$CONF"' EXIT

clock() { date +%s.%N; }
# Seconds between two clock readings.
since() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
# RMS level in dB of the recording from $1 for $2 seconds, after sox effects $3...
rms_db() {
  local from=$1 length=$2; shift 2
  sox "$REC" -n trim "$from" "$length" "$@" stats 2>&1 | awk '/^RMS lev dB/ { print $4 }'
}
peak_db() {
  sox "$REC" -n trim "$1" "$2" stats 2>&1 | awk '/^Pk lev dB/ { print $4 }'
}
# above A B DB: true when level A is more than DB decibels over level B
# (sox says -inf for silence).
above() {
  awk -v a="$1" -v b="$2" -v d="$3" 'BEGIN {
    if (a == "-inf") exit 1; if (b == "-inf") b = -200; exit !(a > b + d) }'
}
quiet() { awk -v a="$1" -v d="$2" 'BEGIN { exit !(a == "-inf" || a < d) }'; }

echo "with sound recorded to a file"
T0=$(clock)
# The scene drawn at half size and scaled up changes nothing heard.
GAME_ARGS="--render-scale 50" ALSOFT_DRIVERS=wave ALSOFT_CONF="$CONF" start_game
wait_for_menu_picture
T_START=$(clock)
xdotool mousemove --window "$WID" $((W * 30 / 100)) $((H * 75 / 100)) click 1
wait_for_line '^ here$' 3000 || fail "play did not begin"
T_HERE=$(clock)
sleep 1.5
T_REST=$(clock)
sleep 1.2
# Frames, and so ticks, come slowly under software rendering: measure once
# the engine has had time to rise.
xdotool keydown w
# The engine rises with the tank's speed: measure once the view has moved.
import -window "$WID" "$PREFIX-rest.png"
for _ in $(seq 300); do
  import -window "$WID" "$PREFIX-driving.png"
  awk -v d="$(diff_rms "$PREFIX-rest.png" "$PREFIX-driving.png")" 'BEGIN { exit !(d > 0.02) }' && break
  sleep 0.1
done
rm -f "$PREFIX-rest.png" "$PREFIX-driving.png"
T_DRIVE=$(clock)
sleep 1.0
xdotool keyup w
sleep 1.2
T_SHELL=$(clock)
xdotool click 1
sleep 1.5
T_MISSILE=$(clock)
xdotool key r
sleep 2
T_MUTE=$(clock)
xdotool key m
sleep 1.2
T_UNMUTE=$(clock)
xdotool key m
sleep 1.2
xdotool key Escape
wait_for_exit
T_END=$(clock)
[ "$STATUS" = "0" ] || fail "Esc: exit status '$STATUS' (expected 0)"
# Drawn at half size, the fight was recorded all the same.
check_recorded_fight
[ -s "$REC" ] || fail "nothing was recorded"
# Esc ends the game without closing the device, so the file's header still
# gives the length it was opened with: take the length from the data.
sox --ignore-length "$REC" "$REC.whole.wav" && mv "$REC.whole.wav" "$REC" || fail "unreadable recording"
if grep -q . "$OUT.err"; then fail "messages with a sound device: $(cat "$OUT.err")"; fi
HEIGHTS=$(sed -n '1,/^ here$/p' "$OUT" | grep -c -v '^ here$')
[ "$HEIGHTS" -eq 50 ] || fail "expected 50 scenery heights before ' here', got $HEIGHTS"
if grep -v -E '^(-?[0-9.e+-]+| here)$' "$OUT"; then fail "unexpected console lines"; fi
sox "$REC" -n spectrogram -x 1200 -y 300 -z 90 -t "sound_play recording" -o "$PREFIX-spectrogram.png"
echo "  recording $REC, spectrogram $PREFIX-spectrogram.png"

# The menu is silent, so the START click is the first sound: it ties the
# recording's time to the clock here.
TOTAL=$(soxi -D "$REC")
sox "$REC" "$PREFIX-after-start.wav" silence 1 0.002 -50d
REST=$(soxi -D "$PREFIX-after-start.wav")
rm -f "$PREFIX-after-start.wav"
ONSET=$(awk -v t="$TOTAL" -v r="$REST" 'BEGIN { printf "%.3f", t - r }')
SHIFT=$(awk -v o="$ONSET" -v s="$(since "$T0" "$T_START")" 'BEGIN { printf "%.3f", o - s }')
at() { awk -v s="$SHIFT" -v t="$(since "$T0" "$1")" -v d="${2:-0}" 'BEGIN { printf "%.3f", t + s + d }'; }
echo "  recording $TOTAL s; START click heard at $ONSET s"
# The device opens between the start and the menu; the click is heard
# between the click and the start of play.
awk -v s="$SHIFT" -v a="$(since "$T0" "$T_START")" -v b="$(since "$T_START" "$T_HERE")" \
  'BEGIN { exit !(s > -a && s < b) }' || fail "START click not where it was clicked ($SHIFT s off)"
MENU=$(peak_db 0 "$(awk -v o="$ONSET" 'BEGIN { print (o > 0.3 ? o - 0.2 : 0.1) }')")
quiet "$MENU" -70 || fail "sound before START ($MENU dB)"
CLICK=$(rms_db "$ONSET" 0.15)
above "$CLICK" -45 0 || fail "START click too quiet ($CLICK dB)"

# Levels at each moment; the high band (above 3 kHz) is where the shot's
# crack and the missile's hiss stand out from the engine's rumble.
REST_DB=$(rms_db "$(at "$T_REST")" 1.0)
DRIVE_DB=$(rms_db "$(at "$T_DRIVE")" 0.9)
REST_HIGH=$(rms_db "$(at "$T_REST")" 1.0 highpass 3000)
SHELL_HIGH=$(rms_db "$(at "$T_SHELL")" 0.8 highpass 3000)
MISSILE_HIGH=$(rms_db "$(at "$T_MISSILE" 0.3)" 1.2 highpass 3000)
MUTED=$(peak_db "$(at "$T_MUTE" 0.4)" 0.6)
UNMUTED=$(rms_db "$(at "$T_UNMUTE" 0.4)" 0.6)
TAIL=$(peak_db "$(awk -v t="$TOTAL" 'BEGIN { print t - 0.02 }')" 0.02)
echo "  engine at rest $REST_DB dB, driving $DRIVE_DB dB"
echo "  above 3 kHz: at rest $REST_HIGH dB, shell $SHELL_HIGH dB, missile $MISSILE_HIGH dB"
echo "  muted peak $MUTED dB, unmuted $UNMUTED dB, last 20 ms peak $TAIL dB"
above "$REST_DB" -60 0 || fail "no engine at rest"
above "$DRIVE_DB" "$REST_DB" 3 || fail "the engine is not louder while driving"
above "$SHELL_HIGH" "$REST_HIGH" 15 || fail "no shot heard"
above "$MISSILE_HIGH" "$REST_HIGH" 15 || fail "no missile heard"
quiet "$MUTED" -70 || fail "m did not mute"
above "$UNMUTED" -60 0 || fail "m did not unmute"
# The sound ended with the program: the recording stops when the game does.
awk -v t="$TOTAL" -v e="$(since "$T0" "$T_END")" -v s="$SHIFT" \
  'BEGIN { exit !(t <= e + s + 0.2) }' || fail "sound went on after Esc"
rm -f "$OUT" "$OUT.err"

echo "without a sound device"
EMPTY=$(mktemp)
ALSOFT_DRIVERS=alsa ALSA_CONFIG_PATH="$EMPTY" start_game
wait_for_menu_picture
game_alive || fail "the game ended without a sound device: $(cat "$OUT.err")"
kill -TERM "$GAME_PID"
wait_for_exit
rm -f "$EMPTY"
echo "  standard error: $(cat "$OUT.err")"
[ "$(wc -l <"$OUT.err")" -eq 1 ] || fail "expected one line on standard error: $(cat "$OUT.err")"
grep -q "no sound device" "$OUT.err" || fail "no word of the missing device"
if grep -q -i error "$OUT.err"; then fail "alarming words: $(cat "$OUT.err")"; fi
rm -f "$OUT" "$OUT.err"

echo "with a sound output that stops taking sound"
# The file backend writes into a pipe whose reader takes a second of sound
# and then reads no more, so the device's writes block for good.
FIFO=$(mktemp -u) && mkfifo "$FIFO"
sed -i "s|^file = .*|file = $FIFO|" "$CONF"
(exec 3<"$FIFO"; head -c 176400 <&3 >/dev/null; exec sleep 600) &
READER=$!
ALSOFT_DRIVERS=wave ALSOFT_CONF="$CONF" start_game
wait_for_menu_picture
xdotool mousemove --window "$WID" $((W * 30 / 100)) $((H * 75 / 100)) click 1
wait_for_line '^ here$' 3000 || fail "play did not begin"
PRESSED=$(date +%s%N)
xdotool key Escape
for _ in $(seq 30000); do readlink /proc/"$GAME_PID"/exe >/dev/null || break; sleep 0.001; done
echo "  Esc to the end of the process: $((($(date +%s%N) - PRESSED) / 1000000)) ms"
wait_for_exit
kill "$READER"
rm -f "$FIFO"
[ "$STATUS" = "0" ] || fail "Esc with a stalled sound output: exit status '$STATUS' (expected 0)"
rm -f "$PREFIX"-menu.png "$PREFIX"-ref-*.png
echo "PASS"
