#!/usr/bin/env bash
# The real launcher on a Wayland compositor of its own, with no X server: its window maps, the help
# window opens as its child, and Launch starts a fake game and ends the launcher. The headless
# compositor has no seat to type on, so the buttons are pressed the way a screen reader presses
# them, over the accessibility bus of a private session bus.
# Usage: wayland.sh FENDRAL
set -uo pipefail

fendral_built=$1
timeout=${E2E_TIMEOUT:-10}
python=/usr/bin/python3 # the system's, which holds pyatspi
shared_tmp=${FENDRAL_WAYLAND_TMP:-}
source "$(dirname "$0")/harness.sh"

need weston dbus-run-session
compgen -G "$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null)/platforms/libqwayland-*.so" >/dev/null ||
  skip "qt6-wayland is missing"
"$python" -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is missing"

# Everything below runs on a session bus of its own. The bus starts the accessibility bus, which puts
# its socket in the runtime folder, so that folder must be private before the bus starts: a shared
# default would let parallel runs remove each other's socket.
if [ -z "${FENDRAL_WAYLAND_TMP:-}" ]; then
  mkdir -m 700 "$tmp/run"
  FENDRAL_WAYLAND_TMP=$tmp XDG_RUNTIME_DIR=$tmp/run dbus-run-session -- bash "$0" "$@"
  exit $?
fi

logs=("$tmp/weston.log")

# press NAME: presses the launcher's push button NAME as an assistive tool would.
press() {
  "$python" - "$1" <<'EOF'
import sys, time, pyatspi

def button(name):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name.lower() == "fendral":
            return pyatspi.findDescendant(
                app, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == name)

deadline = time.time() + 10
while time.time() < deadline:
    found = button(sys.argv[1])
    if found is not None:
        action = found.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        sys.exit(0 if "Press" in names and action.doAction(names.index("Press")) else 2)
    time.sleep(0.2)
sys.exit(1)
EOF
}

# --- a compositor of our own
export WAYLAND_DISPLAY=fendral-e2e
weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --idle-time=0 \
  >"$tmp/weston.log" 2>&1 &
pids+=($!)
poll test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "weston did not start"

# --- a fake game in a folder with blanks
q2="$tmp/Quake 2"
mkdir -p "$q2/baseq2"
fake_game "$q2/quake2.exe" "$tmp/game-args"
mkdir "$tmp/bin"
cp "$fendral_built" "$tmp/bin/fendral"
printf '[Main]\nQ2Location=%s\nCDLocation=D\n' "$q2" >"$tmp/bin/fendral.ini"

# --- the launcher on Wayland alone; the protocol log shows what reaches the compositor
unset DISPLAY
QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 WAYLAND_DEBUG=client \
  "$tmp/bin/fendral" >"$tmp/fendral.log" 2>&1 &
launcher_pid=$!
# A toplevel titled Fendral with a picture attached and committed: the window is on screen.
mapped() {
  grep -q 'xdg_toplevel@[0-9]*\.set_title("Fendral")' "$tmp/fendral.log" &&
    grep -q 'wl_surface@[0-9]*\.attach(wl_buffer@' "$tmp/fendral.log"
}
poll mapped || fail "the launcher's window did not map on Wayland"
gone "$launcher_pid" && fail "the launcher ended on its own"
# The app ID names the desktop entry, which is how the compositor finds the icon and name.
grep -q 'set_app_id("io.github.fendral.Fendral")' "$tmp/fendral.log" || fail "the Wayland app ID is not the desktop entry's"
echo "ok the launcher's window mapped on Wayland with the desktop entry's app ID"

press Help || fail "no Help button on the accessibility bus"
help_toplevel() { grep -o 'xdg_toplevel@[0-9]*\.set_title("Fendral Help")' "$tmp/fendral.log" | grep -o '^[^.]*'; }
poll help_toplevel >/dev/null || fail "the help window did not open"
help=$(help_toplevel | tail -n 1)
grep -q "$help\.set_parent(xdg_toplevel@" "$tmp/fendral.log" ||
  fail "the help window was given no parent, so the compositor cannot keep it over the launcher"
press Ok || fail "the help window's Ok could not be pressed"
poll grep -q "$help\.destroy()" "$tmp/fendral.log" || fail "Ok did not close the help window"
echo "ok the help window opened as the launcher's child"

press Launch || fail "no Launch button on the accessibility bus"
poll test -s "$tmp/game-args" || fail "Launch did not start the game"
poll gone "$launcher_pid" || fail "the launcher did not end after starting the game"
grep -qx -- '+set' "$tmp/game-args" || fail "the game got no command line: $(cat "$tmp/game-args")"
echo "ok Launch started the game and ended the launcher"
