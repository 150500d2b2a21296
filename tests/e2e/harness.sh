# Sourced by the scripts that drive the real programs: a scratch folder, a virtual display of their
# own, polling, and ending whatever they started. Set `timeout` (seconds a poll waits) before sourcing.

timeout=${timeout:-10}
# The system's tools only, whatever the caller's PATH holds; a script gives the programs under test
# the PATH each case needs.
export PATH=/usr/sbin:/usr/bin:/sbin:/bin
tmp=$(mktemp -d)
chmod 755 "$tmp" # a player account must reach what is put here
# The player's own settings file wins over one a test puts beside the program: none of the machine's.
export XDG_CONFIG_HOME=$tmp/config
pids=()
logs=()
# The engine choice looks in the system's own folders under this root: none but a test's own.
export FENDRAL_SYSTEM_ROOT=$tmp/system

skip() {
  echo "skipped: $*"
  exit 77
}

need() {
  local tool
  for tool; do command -v "$tool" >/dev/null || skip "$tool is missing"; done
}

# Everything a script starts runs from the scratch folder, so its processes are found by that. KILL,
# as an engine can hang in its own handler of a gentler signal; the servers in `pids` get TERM, so
# that they remove their sockets and locks.
kill_ours() {
  local proc
  for proc in /proc/[0-9]*; do
    case " $$ ${pids[*]} " in *" ${proc#/proc/} "*) continue ;; esac
    case "$(readlink "$proc/exe" 2>/dev/null) $(tr '\0' ' ' 2>/dev/null <"$proc/cmdline")" in
      *"$tmp/"*) kill -KILL "${proc#/proc/}" 2>/dev/null ;;
    esac
  done
  return 0
}

cleanup() {
  kill_ours
  if [ ${#pids[@]} -gt 0 ]; then kill "${pids[@]}" 2>/dev/null || true; fi
  wait 2>/dev/null
  chmod -R u+w "$tmp"
  rm -rf "$tmp"
}
trap cleanup EXIT

# fail TEXT: says what failed and shows the end of every log in `logs`.
fail() {
  local log
  echo "FAILED: $*"
  for log in "${logs[@]}"; do
    [ -s "$log" ] && echo "--- $log" && tail -n 20 "$log"
  done
  exit 1
}

# poll COMMAND...: true as soon as the command succeeds, false after the timeout.
poll() {
  local deadline=$((SECONDS + timeout))
  until "$@"; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

# start_xvfb [XVFB_ARGS...]: Xvfb picks a free display number itself and tells it, so parallel runs
# never meet; without -noreset it restarts when its last client leaves, and refuses one arriving then.
# With -auth the caller lets itself in first.
start_xvfb() {
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset "$@" 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
  pids+=($!)
  poll test -s "$tmp/display" || fail "no virtual display could be started"
  export DISPLAY=":$(cat "$tmp/display")"
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY
  [[ " $* " == *" -auth "* ]] || poll xdpyinfo_quiet || fail "the virtual display does not answer"
}
xdpyinfo_quiet() { xdpyinfo >/dev/null 2>&1; }

fendral_windows() { xdotool search --onlyvisible --name '^Fendral$' 2>/dev/null; }

# gone PID: the process ended (a zombie counts).
gone() { ! kill -0 "$1" 2>/dev/null || grep -q '^[0-9]* (.*) Z' "/proc/$1/stat" 2>/dev/null; }

# focus WINDOW: gives it the keyboard; without a window manager a click does not.
focus() { timeout 5 xdotool windowfocus --sync "$1" >/dev/null 2>&1 || xdotool windowfocus "$1"; }

# fake_game FILE RECORD: a game that writes its working folder, then its arguments, one a line, to RECORD.
fake_game() {
  printf '#!/bin/sh\nprintf "%%s\\n" "$PWD" "$@" >"%s.part"\n/bin/mv "%s.part" "%s"\n' "$2" "$2" "$2" >"$1"
  chmod 755 "$1"
}

# A player account for what must not run as root.
as_player=()
# By its full path: the scripts run it under the PATH of the case.
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
  as_player=("$(command -v setpriv)" --reuid=nobody --regid=nogroup --clear-groups)
fi

# player_copy PROGRAM...: the built programs and their window library in $tmp/bin and beside it, as
# installed (see player_copy.sh).
player_copy() {
  bash "$(dirname "${BASH_SOURCE[0]}")/player_copy.sh" "$tmp" "$@" 2>"$tmp/copy.log" || fail "$(cat "$tmp/copy.log")"
}
