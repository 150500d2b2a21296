#!/usr/bin/env bash
# Drives the real launcher on a virtual display of its own: keys on Launch with quake2.exe missing bring
# the message box, and Edit or Create opens the editor. Usage: e2e.sh FENDRAL FENDRAL_NOTEPAD
set -uo pipefail

fendral_built=$1
notepad_built=$2
timeout=${E2E_TIMEOUT:-10}
source "$(dirname "$0")/harness.sh"
need Xvfb xdotool xdpyinfo
logs=("$tmp/fendral.log")

start_xvfb
export XDG_RUNTIME_DIR=$tmp/run
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The program beside its settings; in the Quake 2 folder the batch file, but no quake2.exe.
mkdir "$tmp/bin"
cp "$fendral_built" "$tmp/bin/fendral"
cp "$notepad_built" "$tmp/bin/fendral-notepad"
q2="$tmp/Quake 2 Folder"
mkdir -p "$q2/baseq2"
printf 'echo ran >"%s"\n' "$tmp/batch-ran" >"$q2/go.bat"
printf '%s\n' "[Main]" "Q2Location=$q2" "Config=my.cfg" "BatchFileStatus=True" "BatchFileLocation=go.bat" \
  >"$tmp/bin/fendral.ini"

window_count_is() { [ "$(fendral_windows | wc -l)" -eq "$1" ]; }
"$tmp/bin/fendral" >>"$tmp/fendral.log" 2>&1 &
launcher_pid=$!
poll window_count_is 1 || fail "the launcher's window did not appear"
main_window=$(fendral_windows)

for key in space KP_Enter; do # both press the focused button, which is Launch when the window opens
  focus "$main_window"
  xdotool key $key
  poll window_count_is 2 || fail "no message after Launch by $key with quake2.exe missing"
  focus "$(fendral_windows | grep -vx "$main_window")"
  xdotool key Return
  poll window_count_is 1 || fail "the message did not close on Return"
  gone "$launcher_pid" && fail "the launcher ended although the game was missing"
done
[ -e "$tmp/batch-ran" ] && fail "the batch file ran although the game was missing"
echo "ok quake2.exe missing: Space and keypad Enter on Launch showed the message, Return closed it, nothing ran"

focus "$main_window"
xdotool mousemove --window "$main_window" 20 20 click 1 # Setup; "Game Settings" is the first tab shown
sleep 1                                                  # the setup view has no X window of its own to wait for
# cmdConfigEdit: tab panel at (8, 48), its page below the tab row, the button at (14, 56) in the page.
xdotool mousemove --window "$main_window" 60 140 click 1
notepad_windows() { xdotool search --onlyvisible --name 'my\.cfg' 2>/dev/null; }
poll notepad_windows >/dev/null || fail "no editor window titled with my.cfg appeared"
focus "$(notepad_windows | head -n 1)"
xdotool type --delay 20 'bind x +attack'
xdotool key ctrl+s
config="$q2/baseq2/my.cfg"
poll test -s "$config" || fail "ctrl+s in the editor did not create $config"
[ "$(cat "$config")" = 'bind x +attack' ] || fail "the saved file holds '$(cat "$config")'"
gone "$launcher_pid" && fail "the launcher ended while the editor ran"
echo "ok Edit or Create opened the editor on baseq2/my.cfg and saving created it"
