#!/usr/bin/env bash
# Drives the real launcher on a virtual display of its own, with a fake game in a folder with blanks.
# Usage: e2e.sh FENDRAL FENDRAL_NOTEPAD
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

# --- the program, its settings and a fake game
mkdir "$tmp/bin"
cp "$fendral_built" "$tmp/bin/fendral"
cp "$notepad_built" "$tmp/bin/fendral-notepad"
q2="$tmp/Quake 2 Folder"
mkdir -p "$q2/baseq2"
fake_game "$q2/quake2.exe" "$tmp/game-args"
# Not executable: the launcher hands it to the command interpreter.
printf 'echo ran >"%s"\n' "$tmp/batch-ran" >"$q2/go.bat"
printf '%s\n' "[Main]" "Q2Location=$q2" "Config=my.cfg" "BatchFileStatus=True" "BatchFileLocation=go.bat" \
  >"$tmp/bin/fendral.ini"

window_count_is() { [ "$(fendral_windows | wc -l)" -eq "$1" ]; }

start_launcher() {
  "$tmp/bin/fendral" >>"$tmp/fendral.log" 2>&1 &
  launcher_pid=$!
  poll window_count_is 1 || fail "$1: the launcher's window did not appear"
  main_window=$(fendral_windows)
}

message_window() { fendral_windows | grep -vx "$main_window"; }

# --- (c) quake2.exe missing: a message, nothing started, the window keeps working
mv "$q2/quake2.exe" "$tmp/quake2.exe.away"
start_launcher "(c)"
for key in space KP_Enter; do  # both press the focused button
  focus "$main_window"
  xdotool key $key
  poll window_count_is 2 || fail "(c) no message after Launch by $key with quake2.exe missing"
  focus "$(message_window)"
  xdotool key Return
  poll window_count_is 1 || fail "(c) the message did not close on Return"
  gone "$launcher_pid" && fail "(c) the launcher ended although the game was missing"
done
[ -e "$tmp/game-args" ] && fail "(c) a game was started"
[ -e "$tmp/batch-ran" ] && fail "(c) the batch file ran although the game was missing"
echo "ok (c) quake2.exe missing: message shown twice, nothing started, launcher stays"

# --- (d) Edit or Create opens the editor on the standard config, and saving creates the file
focus "$main_window"
xdotool mousemove --window "$main_window" 20 20 click 1  # Setup; "Game Settings" is the first tab shown
sleep 1  # the setup view has no X window of its own to wait for
# cmdConfigEdit: tab panel at (8, 48), its page below the tab row, the button at (14, 56) in the page.
xdotool mousemove --window "$main_window" 60 140 click 1
notepad_windows() { xdotool search --onlyvisible --name 'my\.cfg' 2>/dev/null; }
poll notepad_windows >/dev/null || fail "(d) no editor window titled with my.cfg appeared"
editor=$(notepad_windows | head -n 1)
focus "$editor"
xdotool type --delay 20 'bind x +attack'
xdotool key ctrl+s
config="$q2/baseq2/my.cfg"
poll test -s "$config" || fail "(d) ctrl+s in the editor did not create $config"
[ "$(cat "$config")" = 'bind x +attack' ] || fail "(d) the saved file holds '$(cat "$config")'"
gone "$launcher_pid" && fail "(d) the launcher ended while the editor ran"
echo "ok (d) Edit or Create opened the editor on baseq2/my.cfg and saving created it"
kill_ours
poll gone "$launcher_pid" || fail "(d) the launcher did not end when told to"
rm -f "$config"

# --- (a) Launch from the keyboard; the exact words are the command-line test's
mv "$tmp/quake2.exe.away" "$q2/quake2.exe"
start_launcher "(a)"
focus "$main_window"
xdotool key space  # Launch holds the focus when the window opens
poll test -e "$tmp/game-args" || fail "(a) the game was not started by the key on Launch"
poll test -e "$tmp/batch-ran" || fail "(a) the batch file did not run"
poll gone "$launcher_pid" || fail "(a) the launcher did not end after starting the game"
echo "ok (a) a key on Launch ran the batch file, started the game and ended the launcher"
