#!/usr/bin/env bash
# Drives the real launcher on a virtual display of its own, under a real window manager: keys on Launch
# with quake2.exe missing bring the message box, Help opens centred over the window, and Edit or Create
# opens the editor. Usage: e2e.sh FENDRAL FENDRAL_NOTEPAD
set -uo pipefail

fendral_built=$1
notepad_built=$2
timeout=${E2E_TIMEOUT:-10}
source "$(dirname "$0")/harness.sh"
need Xvfb xdotool xdpyinfo xwininfo xprop openbox
logs=("$tmp/fendral.log" "$tmp/openbox.log")

start_xvfb
# A window manager frames and places windows as a player's desktop does.
openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
pids+=($!)
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
poll wm_running || fail "the window manager did not start"
export XDG_RUNTIME_DIR=$tmp/run
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The program beside its settings; in the Quake 2 folder the batch file, but no quake2.exe.
mkdir "$tmp/bin"
player_copy "$fendral_built" "$notepad_built"
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

# centre WINDOW: twice the middle of its inside on the screen, so odd sizes stay in whole numbers.
centre() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
    /Width:/ {w = $2} /Height:/ {h = $2} END {print 2 * x + w, 2 * y + h}'
}
help_window() { xdotool search --onlyvisible --name '^Fendral Help$' 2>/dev/null; }
for opening in first second; do # the first is placed before the window manager has framed it
  xdotool mousemove --window "$main_window" 20 316 click 1
  poll help_window >/dev/null || fail "no help window at its $opening opening"
  read -r hx hy <<<"$(centre "$(help_window)")"
  read -r mx my <<<"$(centre "$main_window")"
  [ $(((hx - mx) ** 2 <= 1 && (hy - my) ** 2 <= 1)) -eq 1 ] ||
    fail "the help window's $opening opening is off centre: ($hx, $hy) against ($mx, $my), doubled"
  focus "$(help_window)"
  xdotool key Escape
  poll eval '! help_window >/dev/null' || fail "Escape did not close the help window"
done
echo "ok Help opened centred over the window, at its first opening and again"

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

# With no Quake 2 folder and no config name, Edit or Create names "/baseq2/": the editor says it names
# a folder, and Ctrl+S asks for a file name in the nearest folder that exists.
"$tmp/bin/fendral-notepad" "$tmp/gone/baseq2/" >>"$tmp/notepad.log" 2>&1 &
named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
poll named '^Fendral Notepad$' >/dev/null || fail "the editor said nothing on opening a folder's name"
focus "$(named '^Fendral Notepad$')"
xdotool key Return
poll named 'baseq2/ - Fendral Notepad$' >/dev/null || fail "no editor window on the folder's name"
focus "$(named 'baseq2/ - Fendral Notepad$')"
xdotool type --delay 20 'bind y +jump'
xdotool key ctrl+s
poll named '^Save As$' >/dev/null || fail "ctrl+s on a folder's name did not ask for a file name"
focus "$(named '^Save As$')"
xdotool type --delay 20 'named.cfg'
xdotool key Return
poll test -s "$tmp/named.cfg" || fail "Save As did not save into the nearest folder"
[ "$(cat "$tmp/named.cfg")" = 'bind y +jump' ] || fail "the saved file holds '$(cat "$tmp/named.cfg")'"
echo "ok the editor on a folder's name saved through Save As into that folder"
