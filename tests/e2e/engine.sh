#!/usr/bin/env bash
# Drives the real launcher so that Launch starts a real Linux Quake 2 engine, and reads the engine's own
# console log. Usage: engine.sh FENDRAL ENGINE_FOLDER [SCREENSHOT_FOLDER]
# ENGINE_FOLDER holds q2ded and baseq2/game.so, and quake2 with ref_soft.so when the client was built.
set -uo pipefail

fendral_built=$1
engines=$2
shots=${3:-}
timeout=${E2E_TIMEOUT:-20}
shot_prefix=engine
source "$(dirname "$0")/harness.sh"
[ -x "$engines/q2ded" ] || skip "no engine was built (its source is not in ../shared/engines beside this repository)"
need Xvfb xdotool xdpyinfo python3 setpriv
logs=("$tmp/fendral.log")

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
cp "$fendral_built" "$tmp/bin/fendral"
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
pics = sys.argv[1]
os.makedirs(pics)
def pcx(name, width, height):
    head = struct.pack('<4B6h48s2B2h58s', 10, 5, 1, 8, 0, 0, width - 1, height - 1, 72, 72, bytes(48), 0, 1,
                       width, 1, bytes(58))
    with open(os.path.join(pics, name), 'wb') as out:
        out.write(head + bytes(width * height) + b'\x0c' + bytes(768))
pcx('colormap.pcx', 256, 320)
pcx('conchars.pcx', 128, 128)
with open(os.path.join(pics, '16to8.dat'), 'wb') as out:
    out.write(bytes(65536))
EOF
else
  cp "$engines/q2ded" "$q2/quake2"
fi
printf 'MZ\x90\0' >"$q2/quake2.exe"
printf 'MZ\x90\0' >"$q2/winmod/gamex86.dll"
cat >"$tmp/wine/wine" <<EOF
#!/bin/sh
pwd >"$tmp/record/wine-cwd"
printf '%s\n' "\$@" >"$tmp/record/wine-args.part"
mv "$tmp/record/wine-args.part" "$tmp/record/wine-args"
EOF
chmod 755 "$tmp/wine/wine"

# config FILE MARKER: prints the marker, the variables the launch sets, then lets the client connect.
config() {
  printf 'echo %s\ngame\nogg_enable\nin_initjoy\nfendral_option\nwait\nwait\nwait\nquit\n' "$2" >"$1"
}
config "$q2/baseq2/std.cfg" "standard config from the folder with a blank"
config "$tmp/data/ctf/ctf.cfg" "ctf config from the data folder"
chmod -R a+rX "$tmp"
chmod 700 "$tmp/run"

# launch CASE PATH INI_LINES CLICK...: starts the launcher as the player with these settings, clicks the
# option buttons at the given points of the window, then Launch, and waits for the launcher to end.
launch() {
  local name=$1 path=$2 settings=$3
  shift 3
  printf '[Main]\nCDLocation=D\nBatchFileStatus=False\nBatchFileLocation=go.bat\n%s\n' "$settings" \
    >"$tmp/bin/fendral.ini"
  chmod 644 "$tmp/bin/fendral.ini"
  # A session bus that is not there: without one the engine's SDL autolaunches a bus that outlives us.
  env HOME="$home" XDG_RUNTIME_DIR="$tmp/run" PATH="$path:/usr/bin:/bin" SDL_VIDEODRIVER=dummy \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$tmp/run/no-bus" "${as_player[@]}" "$tmp/bin/fendral" >>"$tmp/fendral.log" 2>&1 &
  launcher_pid=$!
  poll fendral_windows >/dev/null || fail "$name: the launcher's window did not appear"
  local window point
  window=$(fendral_windows | head -n 1)
  sleep 0.5  # mapped is not yet drawn: a click before the first paint can be lost on a busy machine
  for point in "$@" 340,316; do  # the option buttons asked for, then Launch
    xdotool mousemove --sync --window "$window" "${point%,*}" "${point#*,}" click 1
    sleep 0.1
  done
  poll gone "$launcher_pid" || fail "$name: the launcher did not end after Launch"
}

# run_case CASE GAME LAUNCH_ARGS...: launches, then waits for the engine's complete log for GAME.
run_case() {
  local name=$1
  log_file="$home/.local/share/YamagiQ2/$2/qconsole.log"
  logs=("$tmp/fendral.log" "$log_file")
  shift 2
  rm -f "$log_file"
  launch "$name" "$@"
  poll grep -q 'shutting down' "$log_file" 2>/dev/null || fail "$name: the engine wrote no complete log"
}

# logged CASE TEXT...: the engine's console log holds every text, each on a line of its own.
logged() {
  local name=$1 text
  shift
  for text in "$@"; do
    grep -qxF "$text" <(sed 's/ *$//' "$log_file") || fail "$name: the engine's log lacks '$text'"
  done
}

# --- the engine beside the data, in a folder with a blank: standard game, its config in baseq2,
# multiplayer client with an address, extra options, CD music on and the gamepad off
run_case "(native)" baseq2 "$tmp/path" "Q2Location=$q2
Options=+set fendral_option 7
ServerIP=127.0.0.1:27999
Config=std.cfg
CDaudio=True
JoyStick=False" 34,233
expected=("execing std.cfg." "standard config from the folder with a blank" '"ogg_enable" is "1"'
  '"in_initjoy" is "0"' '"fendral_option" is "7"')
[ "$client" = yes ] && expected+=("Connecting to 127.0.0.1:27999...")
logged "(native)" "${expected[@]}"
echo "ok the engine in '$(basename "$q2")' ran std.cfg from its baseq2 with the address and switches (client: $client)"

# --- an engine on the PATH, the data elsewhere: custom game 1, CD music off, gamepad on
run_case "(path)" ctf "$tmp/path" "Q2Location=$tmp/data
G1C=ctf
G1Config=ctf.cfg
CDaudio=False
JoyStick=True" 34,105
logged "(path)" "execing ctf.cfg." "ctf config from the data folder" '"game" is "ctf"' '"ogg_enable" is "0"' \
  '"in_initjoy" is "1"'
echo "ok the engine on the PATH ran ctf.cfg from the ctf folder of the data folder"

# --- a mod with only Windows code goes to quake2.exe under wine, with the composed words
launch "(wine)" "$tmp/wine:$tmp/path" "Q2Location=$q2
G3C=winmod
G3Config=win.cfg
Options=-x  \$(id)
CDaudio=True
JoyStick=True" 34,153
poll test -e "$tmp/record/wine-args" || fail "(wine) wine was not started"
composed="$q2\\quake2.exe +set game winmod    -x  \$(id)   +set cddir D:\\install\\data +set basedir $q2  + exec win.cfg "
read -ra words <<<"$composed"
read -ra program <<<"$q2\\quake2.exe"
expected=$(printf '%s\n' "$q2/quake2.exe" "${words[@]:${#program[@]}}")
if [ "$(cat "$tmp/record/wine-args")" != "$expected" ]; then
  diff <(echo "$expected") "$tmp/record/wine-args"
  fail "(wine) wine did not get quake2.exe and the composed words"
fi
[ "$(cat "$tmp/record/wine-cwd")" = "$q2" ] || fail "(wine) started in $(cat "$tmp/record/wine-cwd"), not in the Quake 2 folder"
echo "ok the Windows-only mod went to quake2.exe under wine with the composed words, in the Quake 2 folder"
