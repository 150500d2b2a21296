#!/usr/bin/env bash
# The command line of the real program: mistakes, --preview and --launch against a fake game, a named
# settings file, and displays that are missing, refuse or never answer. Usage: cli.sh FENDRAL
set -uo pipefail

fendral_built=$1
source "$(dirname "$0")/harness.sh"

# run ARGS...: the copy without any display, after the VAR=value words in `with` and the command words
# in `as`; sets rc, out and err. An empty PATH, so that the batch file goes to the shell even where wine
# is installed.
with=()
as=()
run() {
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE PATH="$tmp/path" "${with[@]}" "${as[@]}" \
    "$program" "$@" 2>"$tmp/err")
  rc=$?
  err=$(cat "$tmp/err")
}
started() { [ -e "$tmp/game" ] || [ -e "$tmp/batch-ran" ]; }

mkdir "$tmp/bin" "$tmp/path"
program=$tmp/bin/fendral
player_copy "$fendral_built"
q2="$tmp/Quake 2"
mkdir "$q2"
fake_game "$q2/quake2.exe" "$tmp/game"
printf 'echo ran >"%s"\n' "$tmp/batch-ran" >"$q2/go.bat"
printf '%s\n' "[Main]" "Q2Location=$q2" "CDLocation=D" "ServerIP=10.0.0.7" "Config=my.cfg" "G2C=ctf" \
  "G2Config=ctf.cfg" "JoyStick=True" "CDaudio=False" "BatchFileStatus=True" "BatchFileLocation=go.bat" \
  >"$tmp/bin/fendral.ini"

run --help
[ $rc = 0 ] && grep -q '^Usage: fendral \[options\]' <<<"$out" && grep -q -- '--preview' <<<"$out" ||
  fail "--help: rc $rc, $(head -n 1 <<<"$out")"
# Which words are mistakes is the unit test's table; here, how the program answers one.
run --game 4
[ $rc = 2 ] && [[ "$err" == "fendral: "* ]] && grep -q '^Usage: fendral' <<<"$err" ||
  fail "--game 4: rc $rc, first line '$(head -n 1 <<<"$err")'"
echo "ok --help, and a mistake"

# --preview shows what Launch starts: the composed command line split into words, in the game's folder.
command_line="$q2\\quake2.exe +set game ctf  +Connect 10.0.0.7   +set cddir D:\\install\\data +set basedir $q2  + exec ctf.cfg  -nocdaudio "
read -ra words <<<"${command_line#"$q2\\quake2.exe"}"
expected=$(printf '%-16s%s\n' "settings file:" "$tmp/bin/fendral.ini" "batch path:" "$q2\\go.bat" \
  "command line:" "$command_line" "engine:" "quake2.exe, in the Quake 2 folder" "program:" /bin/sh "argument:" "$q2/go.bat" "working folder:" "$q2" \
  "program:" "$q2/quake2.exe"
  printf 'argument:       %s\n' "${words[@]}"
  echo "working folder: $q2")
run --preview --game 2 --multiplayer
[ $rc = 0 ] && [ "$out" = "$expected" ] || fail "--preview: rc $rc: $(diff <(echo "$expected") <(echo "$out"))"
started && fail "--preview started something"
run --launch --game 2 --multiplayer
poll test -e "$tmp/batch-ran" || fail "--launch did not run the batch file: $err"
poll test -e "$tmp/game" || fail "--launch did not start the game: $err"
[ $rc = 0 ] && [ "$(cat "$tmp/game")" = "$(printf '%s\n' "$q2" "${words[@]}")" ] ||
  fail "--launch: rc $rc, the game got $(cat "$tmp/game")"
echo "ok --preview printed what --launch then ran: the batch file, and the game in its folder with the composed words"

rm -f "$tmp/game" "$tmp/batch-ran"
mv "$q2/quake2.exe" "$tmp/quake2.exe.away"
for action in --preview --launch; do
  run "$action"
  [ $rc = 1 ] && [ "$err" = "Either quake2.exe or go.bat was not found!" ] && ! grep -q "^batch path" <<<"$out" ||
    fail "$action with quake2.exe missing: rc $rc, '$err'"
done
started && fail "a failed --launch started something"
mv "$tmp/quake2.exe.away" "$q2/quake2.exe"
echo "ok with quake2.exe missing, --preview and --launch say so on stderr and exit 1"

# The player's configuration folder is the package test's.
latin="$tmp/caf"$'\xe9'
mkdir "$latin"
printf '%s\n' "[Main]" "Q2Location=$q2" "BatchFileLocation=named.bat" >"$latin/f.ini"
for named in "--settings $latin/f.ini" "--settings=$latin/f.ini"; do
  # shellcheck disable=SC2086
  run --preview $named
  grep -qx "batch path:     $q2\\\\named.bat" <<<"$out" || fail "$named was not read: $err"
done
echo "ok --settings FILE, also by a name that is not UTF-8"

# A settings file that is there but cannot be read: one line naming it and why, for both.
mkdir "$tmp/folder.ini"
mkfifo "$tmp/fifo.ini"
truncate -s 17M "$tmp/large.ini"
printf '[Main]\n' >"$tmp/private.ini"
chmod 600 "$tmp/private.ini"
cases=("folder.ini:it is not a regular file" "fifo.ini:it is not a regular file" "large.ini:the file is too large")
if [ ${#as_player[@]} -gt 0 ]; then cases+=("private.ini:permission denied"); fi
for case in "${cases[@]}"; do
  file=$tmp/${case%%:*}
  for action in --preview --launch; do
    [ "${case%%:*}" = private.ini ] && as=("${as_player[@]}")
    run "$action" --settings "$file"
    as=()
    [ $rc = 1 ] && [ "$err" = "fendral: $file: ${case#*:}" ] && [ -z "$out" ] || fail "$action on $case: rc $rc, $err"
  done
done
started && fail "an unreadable settings file started something"
echo "ok a settings file that is a folder, a FIFO, too large or unreadable: one line saying so, exit 1"

# A file beside the program that this player may not write is read; --preview names the one Save
# would write instead.
chmod a-w "$tmp/bin/fendral.ini"
run --preview
[ "$(head -n 2 <<<"$out")" = "$(printf '%-16s%s\n' "settings file:" "$tmp/bin/fendral.ini" "saved to:" \
  "$tmp/config/fendral/fendral.ini")" ] || fail "--preview with a read-only shared file: $out"
chmod u+w "$tmp/bin/fendral.ini"
echo "ok --preview names the file it read and the file Save would write"

# A first run: the settings name no folder, so --launch takes the game found in a stand-in Steam root
# (no Steam here), reached through a link as Steam lays it out, and writes nothing.
home=$tmp/home
steam=$home/.local/share/Steam/steamapps
mkdir -p "$steam/common/Quake 2/baseq2" "$steam/common/Quake 2/xatrix" "$home/.steam"
ln -s ../.local/share/Steam "$home/.steam/steam"
printf 'PACK' | tee "$steam/common/Quake 2/baseq2/pak0.pak" >"$steam/common/Quake 2/xatrix/pak0.pak"
printf '"AppState"\n{\n\t"appid"\t"2320"\n\t"installdir"\t"Quake 2"\n}\n' >"$steam/appmanifest_2320.acf"
fake_game "$steam/common/Quake 2/quake2" "$tmp/game"
echo "[Main]" >"$tmp/first.ini"
found=$home/.steam/steam/steamapps/common/Quake\ 2
# Debian's data folder too, under the scratch system root: listed after Steam's.
distribution=$FENDRAL_SYSTEM_ROOT/usr/share/games/quake2
mkdir -p "$distribution/baseq2"
printf 'PACK' >"$distribution/baseq2/pak0.pak"
with=(HOME="$home")
run --find
[ $rc = 0 ] && [ "$out" = "$found	Steam library $home/.steam/steam	baseq2 xatrix
$distribution	the distribution's data	baseq2" ] || fail "--find: rc $rc, $out"
rm -r "$distribution"
run --settings "$tmp/first.ini" --launch
poll test -e "$tmp/game" || fail "--launch on a first run started nothing: $err"
[ "$(head -n 1 "$tmp/game")" = "$(realpath "$found")" ] && [ "$(cat "$tmp/first.ini")" = "[Main]" ] ||
  fail "--launch on a first run: $(cat "$tmp/game" "$tmp/first.ini")"
rm -f "$tmp/game"
with=(HOME="$tmp/nowhere")
run --find
[ $rc = 1 ] && [ -z "$out" ] && grep -qx "  $tmp/nowhere/.steam/steam" <<<"$err" || fail "--find, nothing there: rc $rc"
# A folder the player may not read (root reads anything, so as another user): skipped, and said.
mkdir -p "$tmp/locked/.steam/steam/steamapps"
chmod 000 "$tmp/locked/.steam/steam/steamapps"
err=$("${as_player[@]}" env HOME="$tmp/locked" "$program" --find 2>&1 >/dev/null)
chmod 755 "$tmp/locked/.steam/steam/steamapps"
grep -qx "fendral: skipped $tmp/locked/.steam/steam/steamapps/libraryfolders.vdf: permission denied" <<<"$err" ||
  fail "--find with an unreadable folder: $err"
echo "ok --find lists the stand-in Steam game and --launch starts it on a first run; an unreadable folder is"
echo "   named with the reason; nothing found exits 1"

# No display, or one that does not answer: one line, exit 1, never an abort.
unused=$((500 + RANDOM % 400))
while [ -e "/tmp/.X11-unix/X$unused" ]; do unused=$((unused + 1)); done
for case in "" "DISPLAY=:$unused" "WAYLAND_DISPLAY=no-such-socket" "QT_QPA_PLATFORM=xcb DISPLAY=:$unused"; do
  # shellcheck disable=SC2206
  with=(XDG_RUNTIME_DIR="$tmp" $case)
  run
  [ $rc = 1 ] && [ "$(wc -l <<<"$err")" = 1 ] && [[ "$err" == "fendral: "* ]] ||
    fail "the window with '$case': rc $rc, $err"
done
echo "ok no display, and three that do not answer: one line and exit 1"

need Xvfb xdotool xauth
# An X server that refuses us: one line. Where one lets us in, a failing --launch shows the message box too.
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
export XAUTHORITY=$tmp/xauth
: >"$XAUTHORITY"
xauth -q add :0 . "$cookie"
start_xvfb -auth "$XAUTHORITY"
xauth -q add "$DISPLAY" . "$cookie"
with=(DISPLAY="$DISPLAY" XAUTHORITY=/dev/null)
run
[ $rc = 1 ] && [ "$(wc -l <<<"$err")" = 1 ] || fail "a refusing X server: rc $rc, $err"
mv "$q2/quake2.exe" "$tmp/quake2.exe.away"
ASAN_OPTIONS=detect_leaks=0 PATH="$tmp/path" "$program" --launch >/dev/null 2>"$tmp/box.err" &
launcher=$!
poll fendral_windows >/dev/null || fail "--launch with a display showed no message box"
focus "$(fendral_windows | head -n 1)"
xdotool key Return
wait "$launcher"
status=$?
[ $status = 1 ] && grep -q 'was not found!' "$tmp/box.err" || fail "--launch with a display: rc $status"
echo "ok an X server that refuses: one line; --launch failing with a display shows the message box too"

# A stopped X server takes the connection and never greets: one line and exit 1 once the 5 s are up.
kill -STOP "${pids[0]}"
with=(DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY")
began=$(date +%s%N)
run
took=$((($(date +%s%N) - began) / 1000000))
kill -CONT "${pids[0]}"
[ $rc = 1 ] && [ "$(wc -l <<<"$err")" = 1 ] && [ $took -ge 4900 ] && [ $took -lt 9000 ] ||
  fail "a stopped X server: rc $rc after $took ms, $err"
echo "ok a stopped X server: one line and exit 1 after $took ms"
