#!/usr/bin/env bash
# The command line of the real program: each option, a bad one, --preview and --launch against a fake
# game, a named settings file, and displays that are missing or do not answer.
# Usage: cli.sh FENDRAL
set -uo pipefail

fendral_built=$1
source "$(dirname "$0")/harness.sh"

# run NAME [VAR=value...] -- ARGS...: runs the copy without any display; keeps out, err and rc.
run() {
  local name=$1 vars=()
  shift
  while [ "$1" != -- ]; do
    vars+=("$1")
    shift
  done
  shift
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE "${vars[@]}" \
    "$program" "$@" >"$tmp/$name.out" 2>"$tmp/$name.err"
  echo $? >"$tmp/$name.rc"
}
rc() { cat "$tmp/$1.rc"; }
out() { cat "$tmp/$1.out"; }
err() { cat "$tmp/$1.err"; }
started() { [ -e "$tmp/game" ] || [ -e "$tmp/batch-ran" ]; }

# --- the program beside its settings, and a fake game in a folder with blanks
mkdir "$tmp/bin"
program=$tmp/bin/fendral
cp "$fendral_built" "$program"
q2="$tmp/Quake 2"
mkdir "$q2"
fake_game "$q2/quake2.exe" "$tmp/game"
printf 'echo ran >"%s"\n' "$tmp/batch-ran" >"$q2/go.bat"
printf '%s\n' "[Main]" "Q2Location=$q2" "CDLocation=D" "ServerIP=10.0.0.7" "Config=my.cfg" "G2C=ctf" \
  "G2Config=ctf.cfg" "JoyStick=True" "CDaudio=False" "BatchFileStatus=True" "BatchFileLocation=go.bat" \
  >"$tmp/bin/fendral.ini"

# --- help, version and mistakes need no display
run help -- --help
[ "$(rc help)" = 0 ] && out help | grep -q '^Usage: fendral \[options\]' && out help | grep -q -- '--preview' ||
  fail "--help: rc $(rc help), $(out help | head -n 1)"
run version -- --version
[ "$(rc version)" = 0 ] && out version | grep -qx 'Fendral [0-9.]*' || fail "--version: rc $(rc version), $(out version)"
for bad in "--bogus" "--game 4" "--settings" "--preview --launch" "stray"; do
  # shellcheck disable=SC2086
  run bad -- $bad
  first=$(err bad | head -n 1)
  if [ "$(rc bad)" != 2 ] || [[ "$first" != "fendral: "* ]] || ! err bad | grep -q '^Usage: fendral'; then
    fail "'$bad': rc $(rc bad), first line '$first'"
  fi
done
echo "ok --help, --version and five mistakes"

# --- --preview: the texts Debug shows, then what Launch starts; nothing started
run preview -- --preview --game 2 --multiplayer
expected="settings file:  $tmp/bin/fendral.ini
batch path:     $q2\\go.bat
command line:   $q2\\quake2.exe +set game ctf  +Connect 10.0.0.7   +set cddir D:\\install\\data +set basedir $q2  + exec ctf.cfg  -nocdaudio 
program:        /bin/sh
argument:       $q2/go.bat
working folder: $q2
program:        $q2/quake2.exe"
[ "$(rc preview)" = 0 ] || fail "--preview: rc $(rc preview): $(err preview)"
[ "$(out preview | head -n 7)" = "$expected" ] || fail "--preview printed: $(out preview)"
[ "$(out preview | tail -n 1)" = "working folder: $q2" ] || fail "--preview: the game's folder: $(out preview)"
started && fail "--preview started something"
echo "ok --preview printed what Launch would run and started nothing"

# --- --launch: the batch file, then the game with the arguments the preview showed, without a window
run launch -- --launch --game 2 --multiplayer
[ "$(rc launch)" = 0 ] || fail "--launch: rc $(rc launch): $(err launch)"
poll test -e "$tmp/batch-ran" || fail "--launch did not run the batch file"
poll test -e "$tmp/game"
shown=$(printf '%s\n' "$q2"; out preview | sed -n '8,$p' | sed '$d' | sed 's/^argument:       //')
[ "$(cat "$tmp/game" 2>/dev/null)" = "$shown" ] || fail "--launch: the game got $(cat "$tmp/game" 2>/dev/null)"
echo "ok --launch ran the batch file and the game, in its folder, with the arguments --preview showed"

# --- a missing game: the usual message, exit 1, nothing started
rm -f "$tmp/game" "$tmp/batch-ran"
mv "$q2/quake2.exe" "$tmp/quake2.exe.away"
for action in --preview --launch; do
  run missing -- "$action"
  [ "$(rc missing)" = 1 ] && [ "$(err missing)" = "Either quake2.exe or go.bat was not found!" ] &&
    ! out missing | grep -q "^batch path" || fail "$action with quake2.exe missing: rc $(rc missing), '$(err missing)'"
done
started && fail "a failed --launch started something"
echo "ok with quake2.exe missing, --preview and --launch say so on stderr and exit 1"

# --- a settings file named on the command line (the player's configuration folder is the package test's)
mv "$tmp/quake2.exe.away" "$q2/quake2.exe"
printf '%s\n' "[Main]" "Q2Location=$q2" "BatchFileLocation=named.bat" >"$tmp/named.ini"
run named -- --preview --settings "$tmp/named.ini"
out named | grep -qx "batch path:     $q2\\\\named.bat" || fail "--settings FILE was not read: $(out named)"
latin="$tmp/caf"$'\xe9'
mkdir "$latin" && cp "$tmp/named.ini" "$latin/f.ini"
run latin -- --preview --settings="$latin/f.ini"
out latin | grep -qx "batch path:     $q2\\\\named.bat" || fail "--settings with a byte that is not UTF-8: $(err latin)"
echo "ok --settings FILE, also by a name that is not UTF-8"

# --- no display, or one that does not answer: one line, exit 1, never an abort
unused=$((500 + RANDOM % 400))
while [ -e "/tmp/.X11-unix/X$unused" ]; do unused=$((unused + 1)); done
for case in "" "DISPLAY=:$unused" "WAYLAND_DISPLAY=no-such-socket" "QT_QPA_PLATFORM=xcb DISPLAY=:$unused"; do
  # shellcheck disable=SC2086
  run window XDG_RUNTIME_DIR="$tmp" $case --
  if [ "$(rc window)" != 1 ] || [ "$(err window | wc -l)" != 1 ] || ! err window | grep -q '^fendral: '; then
    fail "the window with '$case': rc $(rc window), $(err window)"
  fi
done
echo "ok no display, and three that do not answer: one line and exit 1"

# --- an X server that refuses us, and --launch failing where one lets us in: the message box as well
if command -v Xvfb >/dev/null && command -v xdotool >/dev/null && command -v xauth >/dev/null; then
  cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
  export XAUTHORITY=$tmp/xauth
  : >"$XAUTHORITY"
  xauth -q add :0 . "$cookie"
  start_xvfb -auth "$XAUTHORITY"
  xauth -q add "$DISPLAY" . "$cookie"
  run refused DISPLAY="$DISPLAY" XAUTHORITY=/dev/null --
  [ "$(rc refused)" = 1 ] && [ "$(err refused | wc -l)" = 1 ] || fail "a refusing X server: rc $(rc refused), $(err refused)"
  mv "$q2/quake2.exe" "$tmp/quake2.exe.away"
  ASAN_OPTIONS=detect_leaks=0 "$program" --launch >/dev/null 2>"$tmp/box.err" &
  launcher=$!
  poll fendral_windows >/dev/null || fail "--launch with a display showed no message box"
  box=$(fendral_windows | head -n 1)
  focus "$box"
  xdotool key Return
  wait "$launcher"
  status=$?
  [ "$status" = 1 ] && grep -q 'was not found!' "$tmp/box.err" || fail "--launch with a display: rc $status"
  echo "ok an X server that refuses: one line and exit 1; --launch failing with a display shows the message box too"
else
  echo "ok (the X server cases need Xvfb, xauth and xdotool)"
fi
