#!/usr/bin/env bash
# Drives the real launcher so that Launch starts a real Linux Quake 2 engine, and reads the engine's own
# console log. Usage: engine.sh FENDRAL ENGINE_FOLDER
# ENGINE_FOLDER holds q2ded and baseq2/game.so, and quake2 with ref_soft.so when the client was built.
set -uo pipefail

fendral_built=$1
engines=$2
timeout=${E2E_TIMEOUT:-20}
source "$(dirname "$0")/harness.sh"
[ -x "$engines/q2ded" ] || skip "no engine was built (its source is not in ../shared/engines beside this repository)"
need Xvfb xdotool xdpyinfo python3 setpriv
start_xvfb

# The engine refuses root, so the launcher and all it starts run as the player.
home=$tmp/home
mkdir -p "$home/.local/share/YamagiQ2/baseq2" "$tmp/run" "$tmp/record"
# No sound: with SDL's dummy audio the engine can deadlock closing it at quit, its log still unflushed.
echo 'set s_initsound 0' >"$home/.local/share/YamagiQ2/baseq2/autoexec.cfg"
[ ${#as_player[@]} -eq 0 ] || chown -R nobody:nogroup "$home" "$tmp/run" "$tmp/record"

# --- the installs: the engine beside its data in a folder with a blank, with a Windows-only mod and
# quake2.exe; game data elsewhere for an engine on the PATH; a recording wine
mkdir "$tmp/bin"
player_copy "$fendral_built"
q2="$tmp/Quake 2 dir"
mkdir -p "$q2/baseq2" "$q2/winmod" "$tmp/data/baseq2" "$tmp/data/ctf" "$tmp/path" "$tmp/wine"
cp "$engines/baseq2/game.so" "$q2/baseq2/"
cp "$engines/baseq2/game.so" "$tmp/data/baseq2/"
cp "$engines/q2ded" "$tmp/path/yquake2"
client=no
if [ -x "$engines/quake2" ] && [ -f "$engines/ref_soft.so" ]; then
  client=yes
  cp "$engines/quake2" "$engines/ref_soft.so" "$q2/"
  # The client's software renderer needs a palette, a font and a colour table before it draws.
  python3 - "$q2/baseq2/pics" <<'EOF'
import os, struct, sys
os.makedirs(sys.argv[1])
for name, w, h in (("colormap.pcx", 256, 320), ("conchars.pcx", 128, 128)):
    head = struct.pack("<4B6h48s2B2h58s", 10, 5, 1, 8, 0, 0, w - 1, h - 1, 72, 72, bytes(48), 0, 1, w, 1, bytes(58))
    open(os.path.join(sys.argv[1], name), "wb").write(head + bytes(w * h) + b"\x0c" + bytes(768))
open(os.path.join(sys.argv[1], "16to8.dat"), "wb").write(bytes(65536))
EOF
else
  cp "$engines/q2ded" "$q2/quake2"
fi
printf 'MZ\x90\0' >"$q2/quake2.exe"
printf 'MZ\x90\0' >"$q2/winmod/gamex86.dll"
fake_game "$tmp/wine/wine" "$tmp/record/wine"

# config FILE MARKER: prints the marker, the variables the launch sets, then lets the client connect.
config() {
  printf 'echo %s\ngame\nogg_enable\nin_initjoy\nfendral_option\nwait\nwait\nwait\nquit\n' "$2" >"$1"
}
config "$q2/baseq2/std.cfg" "standard config from the folder with a blank"
config "$tmp/data/ctf/ctf.cfg" "ctf config from the data folder"
chmod -R a+rX "$tmp"
chmod 700 "$tmp/run"

# launch CASE PATH INI_LINES CLICK: starts the launcher as the player with these settings, clicks the
# game's option button at that point of the window, then Launch, and waits for the launcher to end.
launch() {
  printf '[Main]\nCDLocation=D\nBatchFileStatus=False\n%s\n' "$3" >"$tmp/bin/fendral.ini"
  chmod 644 "$tmp/bin/fendral.ini"
  # A session bus that is not there: without one the engine's SDL autolaunches a bus that outlives us.
  env HOME="$home" XDG_RUNTIME_DIR="$tmp/run" PATH="$2" SDL_VIDEODRIVER=dummy \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/run/no-bus" "${as_player[@]}" "$tmp/bin/fendral" >>"$tmp/fendral.log" 2>&1 &
  launcher_pid=$!
  poll fendral_windows >/dev/null || fail "$1: the launcher's window did not appear"
  local window point
  window=$(fendral_windows | head -n 1)
  sleep 0.5  # mapped is not yet drawn: a click before the first paint can be lost on a busy machine
  for point in "$4" 340,316; do
    xdotool mousemove --sync --window "$window" "${point%,*}" "${point#*,}" click 1
    sleep 0.1
  done
  poll gone "$launcher_pid" || fail "$1: the launcher did not end after Launch"
}

# engine_case CASE GAME PATH INI_LINES CLICK TEXT...: launches, waits for the engine's complete log for
# GAME and checks that it holds every TEXT on a line of its own.
engine_case() {
  local log_file="$home/.local/share/YamagiQ2/$2/qconsole.log" text
  logs=("$tmp/fendral.log" "$log_file")
  launch "$1" "$3" "$4" "$5"
  poll grep -q 'shutting down' "$log_file" 2>/dev/null || fail "$1: the engine wrote no complete log"
  for text in "${@:6}"; do
    grep -qxF "$text" <(sed 's/ *$//' "$log_file") || fail "$1: the engine's log lacks '$text'"
  done
}

# The engine beside the data, in a folder with a blank: standard game, its config in baseq2,
# multiplayer client with an address, extra options, CD music on and the gamepad off.
connecting=()
[ "$client" = yes ] && connecting=("Connecting to 127.0.0.1:27999...")
engine_case "(native)" baseq2 "$tmp/path" "Q2Location=$q2
Options=+set fendral_option 7
ServerIP=127.0.0.1:27999
Config=std.cfg
CDaudio=True
JoyStick=False" 34,233 "execing std.cfg." "standard config from the folder with a blank" '"ogg_enable" is "1"' \
  '"in_initjoy" is "0"' '"fendral_option" is "7"' "${connecting[@]}"
echo "ok the engine in '$(basename "$q2")' ran std.cfg from its baseq2 with the address and switches (client: $client)"

# An engine on the PATH, the data elsewhere: custom game 1, CD music off, gamepad on.
engine_case "(path)" ctf "$tmp/path" "Q2Location=$tmp/data
G1C=ctf
G1Config=ctf.cfg
CDaudio=False
JoyStick=True" 34,105 "execing ctf.cfg." "ctf config from the data folder" '"game" is "ctf"' '"ogg_enable" is "0"' \
  '"in_initjoy" is "1"'
echo "ok the engine on the PATH ran ctf.cfg from the ctf folder of the data folder"

# A mod with only Windows code goes to quake2.exe under wine, with the composed words.
launch "(wine)" "$tmp/wine:$tmp/path" "Q2Location=$q2
G3C=winmod
G3Config=win.cfg
Options=-x  \$(id)
CDaudio=True
JoyStick=True" 34,153
poll test -e "$tmp/record/wine" || fail "(wine) wine was not started"
composed=" +set game winmod    -x  \$(id)   +set cddir D:\\install\\data +set basedir $q2  + exec win.cfg "
read -ra words <<<"$composed"
expected=$(printf '%s\n' "$q2" "$q2/quake2.exe" "${words[@]}")
[ "$(cat "$tmp/record/wine")" = "$expected" ] || fail "(wine) wine did not get quake2.exe and the composed words in the \
Quake 2 folder: $(diff <(echo "$expected") "$tmp/record/wine")"
echo "ok the Windows-only mod went to quake2.exe under wine with the composed words, in the Quake 2 folder"

# Engine= in the window's settings: that program and no other, given the data folder in Yamagi's words.
fake_game "$tmp/own-engine" "$tmp/record/own"
launch "(Engine=)" "$tmp/path" "Q2Location=$q2
Engine=$tmp/own-engine" 34,233
poll test -e "$tmp/record/own" || fail "(Engine=) the chosen engine was not started"
[ "$(sed -n 2,3p "$tmp/record/own")" = "$(printf '%s\n' -datadir "$q2")" ] ||
  fail "(Engine=) the engine got $(cat "$tmp/record/own")"
echo "ok the window started the program named by Engine=, told the data folder"
