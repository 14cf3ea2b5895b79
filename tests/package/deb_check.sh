#!/usr/bin/env bash
# The Debian package from end to end: cpack builds it; lintian finds no
# errors; the desktop entry and the AppStream data validate; it holds the
# game at Debian's places with one version everywhere; unpacked into a
# scratch root (dpkg -x), its launcher answers --version and --help, starts
# the game full screen by default and in a 1024 x 768 window with --window,
# whose class matches the menu entry, and the game reaches the menu; it
# names its licence and the manual lists sound/. Installed under a prefix
# with a space, both menu entries launch (gio launch).
#   deb_check.sh BUILD_DIR VERSION SHOTS_DIR
set -uo pipefail
BUILD=$(realpath "$1")
VERSION=$2
SHOTS=$(mkdir -p "$3" && realpath "$3")
PREFIX="$SHOTS/package"

. "$(dirname "$0")/../e2e/lib/session.sh"

SCRATCH=$(mktemp -d)
cleanup() {
  [ -n "$GAME_PID" ] && kill -KILL "$GAME_PID" 2>/dev/null
  stop_all
  rm -rf "$SCRATCH"
}
trap cleanup EXIT

echo "-- cpack"
rm -f "$BUILD"/brakkon_*.deb
(cd "$BUILD" && cpack >"$SCRATCH/cpack.log" 2>&1) || { cat "$SCRATCH/cpack.log"; fail "cpack failed"; }
DEB=$(ls "$BUILD"/brakkon_"$VERSION"_*.deb 2>/dev/null)
[ "$(basename "$DEB")" = "brakkon_${VERSION}_$(dpkg --print-architecture).deb" ] ||
  fail "no package brakkon_${VERSION}_<arch>.deb in $BUILD"
echo "  $DEB, $(stat -c %s "$DEB") bytes"

echo "-- control fields"
field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = brakkon ] || fail "package name '$(field Package)'"
[ "$(field Version)" = "$VERSION" ] || fail "package version '$(field Version)'"
[ "$(field Section)" = games ] || fail "section '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "no maintainer"
field Depends | grep -q libglut || fail "dependencies not computed from the binary: '$(field Depends)'"

echo "-- lintian"
lintian --display-level '>=pedantic' "$DEB" >"$SCRATCH/lintian.log" 2>&1
LINTIAN_STATUS=$?
grep -v 'running with root privileges' "$SCRATCH/lintian.log"
# lintian ends with a failure status on errors and when it cannot run.
[ "$LINTIAN_STATUS" -eq 0 ] && ! grep -q '^E:' "$SCRATCH/lintian.log" || fail "lintian reports errors"

echo "-- contents"
ROOT="$SCRATCH/root"
dpkg -x "$DEB" "$ROOT"
for f in usr/games/brakkon usr/libexec/brakkon/brakkon usr/share/games/brakkon/Menu.bmp \
  usr/share/applications/brakkon.desktop usr/share/man/man6/brakkon.6.gz \
  usr/share/doc/brakkon/copyright usr/share/doc/brakkon/changelog.gz \
  usr/share/icons/hicolor/{48x48,64x64,128x128,256x256}/apps/brakkon.png; do
  [ -e "$ROOT/$f" ] || fail "missing /$f"
done
[ -x "$ROOT/usr/games/brakkon" ] && [ -x "$ROOT/usr/libexec/brakkon/brakkon" ] ||
  fail "launcher or game not executable"
[ -z "$(find "$ROOT/usr/share/games/brakkon" -name icons -o -name '.assets-stamp')" ] ||
  fail "icons or build stamps in the game folder"
for size in 48 64 128 256; do
  file "$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/brakkon.png" |
    grep -q "PNG image data, $size x $size" || fail "icon ${size}x${size} has the wrong size"
done

echo "-- desktop entry and AppStream data"
ENTRY="$ROOT/usr/share/applications/brakkon.desktop"
desktop-file-validate "$ENTRY" || fail "desktop-file-validate"
grep -qx 'Exec="/usr/games/brakkon"' "$ENTRY" || fail "desktop entry does not start /usr/games/brakkon"
METAINFO=$(ls "$ROOT"/usr/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "$METAINFO" || fail "appstreamcli validate"
grep -q "<release version=\"$VERSION\"" "$METAINFO" || fail "AppStream release is not $VERSION"
grep -q '<screenshot' "$METAINFO" || fail "no screenshot in the AppStream data"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$METAINFO" ||
  fail "no licence in the AppStream data"
grep -qx 'License: GPL-3+' "$ROOT/usr/share/doc/brakkon/copyright" || fail "no licence in the copyright file"
zcat "$ROOT/usr/share/man/man6/brakkon.6.gz" | grep -qx '\.IR sound/ \.' || fail "the manual does not list sound/"

echo "-- launcher"
LAUNCHER="$ROOT/usr/games/brakkon"
[ "$("$LAUNCHER" --version)" = "brakkon $VERSION" ] || fail "--version says '$("$LAUNCHER" --version)'"
"$LAUNCHER" --help | grep -q -- '--window' || fail "--help does not list --window"
"$LAUNCHER" --help | grep -q -- '--render-scale PERCENT' || fail "--help does not list --render-scale"
"$LAUNCHER" --render-scale 60 2>/dev/null
[ $? -eq 2 ] || fail "a render scale other than 100, 75 or 50 does not end with status 2"
# It ends with status 2, so its words are taken before they are looked at.
SAID=$("$LAUNCHER" --render-scale=33 2>&1)
[ "$SAID" = "brakkon: --render-scale takes 100, 75 or 50, not '33'" ] ||
  fail "--render-scale=33 is not named as a render scale it cannot use: $SAID"
"$LAUNCHER" --no-such-option 2>/dev/null
[ $? -eq 2 ] || fail "an unknown option does not end with status 2"

# A screen larger than the window, so the whole window is on it.
SCREEN_SIZE=1280x1024 start_display
read -r SW SH < <(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\) pixels.*/\1 \2/p')

# Starts the launcher from an unrelated directory; sets WID. The waits below
# are generous bounds for a loaded machine, not expectations.
start_launcher() {
  OUT="$SCRATCH/game.out"
  (cd / && exec "$LAUNCHER" "$@" >"$OUT" 2>"$OUT.err") &
  GAME_PID=$!
  WID=""
  for _ in $(seq 300); do
    WID=$(xdotool search --name '^Vornak Enhancement$' 2>/dev/null | head -1)
    [ -n "$WID" ] && break
    game_alive || fail "the game ended: $(cat "$OUT.err")"
    sleep 0.1
  done
  [ -n "$WID" ] || fail "no game window"
}
# Stops the game the way a desktop does, with SIGTERM to the launcher's
# process: the launcher has become the game (exec), so the game ends with
# 128 + 15. Then waits until its window is gone from the display.
stop_game() {
  kill -TERM "$GAME_PID"
  wait "$GAME_PID" 2>/dev/null
  local status=$?
  GAME_PID=""
  [ "$status" -eq 143 ] || fail "SIGTERM: exit status $status (expected 143)"
  for _ in $(seq 100); do
    xdotool search --name '^Vornak Enhancement$' >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the game window stayed after the game ended"
}

echo "-- full screen by default"
start_launcher
for _ in $(seq 300); do
  read_geometry
  [ "${W}x${H}" = "${SW}x${SH}" ] && break
  sleep 0.1
done
[ "${W}x${H}" = "${SW}x${SH}" ] || fail "default start: window ${W}x${H}, screen ${SW}x${SH}"
stop_game

echo "-- --window: 1024 x 768, reaches the menu"
start_launcher --window
read_geometry
[ "${W}x${H}" = 1024x768 ] || fail "--window: window ${W}x${H}"
ASSETS="$ROOT/usr/share/games/brakkon"
MENU_REF=$(reference Menu.bmp menu)
INTRO_REF=$(reference Intro.bmp intro)
MENU_SEEN=""
for _ in $(seq 120); do
  shot menu >/dev/null
  if closer_to "$PREFIX-menu.png" "$MENU_REF" "$INTRO_REF" >/dev/null; then MENU_SEEN=1; break; fi
  game_alive || fail "the game ended: $(cat "$OUT.err")"
  sleep 0.25
done
closer_to "$PREFIX-menu.png" "$MENU_REF" "$INTRO_REF"
[ -n "$MENU_SEEN" ] || fail "the menu did not appear"
read_geometry
[ "${W}x${H}" = 1024x768 ] || fail "--window: window became ${W}x${H}"
# The desktop entry's StartupWMClass matches the window to its menu entry.
xprop -id "$WID" WM_CLASS | grep -q '"brakkon", "Brakkon"' ||
  fail "window class: $(xprop -id "$WID" WM_CLASS)"
grep -qx 'StartupWMClass=Brakkon' "$ENTRY" || fail "desktop entry lacks StartupWMClass=Brakkon"
# On a machine without sound the game says so in one line; that is no problem.
if grep -v -x "Brakkon: no sound device found; the game plays without sound." "$OUT.err" |
  grep -q .; then echo "game messages:"; cat "$OUT.err"; fail "the game reported problems"; fi
stop_game

echo "-- installed under a prefix with a space: both menu entries launch"
SPACED="$SCRATCH/my games"
cmake --install "$BUILD" --prefix "$SPACED" >"$SCRATCH/install.log" 2>&1 ||
  fail "cmake --install: $(cat "$SCRATCH/install.log")"
ENTRY="$SPACED/share/applications/brakkon.desktop"
desktop-file-validate "$ENTRY" || fail "desktop-file-validate under '$SPACED'"
# gio_launch ENTRY SIZE: the entry starts the game in a window of SIZE;
# then its connection to the display is cut, which ends it.
gio_launch() {
  gio launch "$1" >"$SCRATCH/gio.log" 2>&1 || fail "gio launch refused $1: $(cat "$SCRATCH/gio.log")"
  W="" H=""
  for _ in $(seq 300); do
    WID=$(xdotool search --name '^Vornak Enhancement$' 2>/dev/null | head -1)
    [ -n "$WID" ] && read_geometry && [ "${W}x${H}" = "$2" ] && break
    sleep 0.1
  done
  [ "${W}x${H}" = "$2" ] || fail "$1 did not start the game in a window of $2"
  xdotool windowkill "$WID"
  for _ in $(seq 100); do xdotool search --name '^Vornak Enhancement$' >/dev/null || break; sleep 0.1; done
}
gio_launch "$ENTRY" "${SW}x${SH}"
# gio starts an entry's main Exec only: the action's Exec gets an entry of its own.
{ sed -n '1,/^$/p' "$ENTRY" | grep -v '^Exec=\|^Actions='
  sed -n '/^\[Desktop Action window\]/,$p' "$ENTRY" | grep -m1 '^Exec='; } >"$SCRATCH/window.desktop"
gio_launch "$SCRATCH/window.desktop" 1024x768
sed -n '/^\[Desktop Action replay\]/,$p' "$ENTRY" | grep -q '^Exec=.* --replay last$' ||
  fail "no action to watch the last fight"
echo "PASS"
