#!/usr/bin/env bash
# Checks Fendral as a distribution and a player meet it. Usage: install.sh install|package BUILD VERSION
#   install: `cmake --install` into a scratch prefix; the files, their validators and the manual page
#   package: the Debian package, lintian, and the unpacked program run by a player who cannot write
#            beside it
set -uo pipefail

mode=$1
build=$2
version=$3
app_id=io.github.fendral.Fendral
timeout=${INSTALL_TIMEOUT:-10}
source "$(dirname "$0")/../e2e/harness.sh"
logs=("$tmp/fendral.log")

desktop_key() { sed -n "/^\[Desktop Entry\]/,/^\[/s/^$1=//p" "$2"; }
# quiet WHAT COMMAND...: runs it; when it fails, shows its output and fails with WHAT.
quiet() { "${@:2}" >"$tmp/quiet.log" 2>&1 || { cat "$tmp/quiet.log"; fail "$1"; }; }

if [ "$mode" = install ]; then
  prefix=$tmp/prefix
  quiet "cmake --install failed" cmake --install "$build" --prefix "$prefix"
  share=$prefix/share
  desktop=$share/applications/$app_id.desktop
  out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
  [ -x "$prefix/bin/$(desktop_key Exec "$desktop")" ] || fail "the desktop entry runs a program that is not installed"
  [ -f "$share/icons/hicolor/scalable/apps/$(desktop_key Icon "$desktop").svg" ] ||
    fail "the desktop entry names an icon that is not installed"
  echo "ok the desktop entry validates, and its program and icon are installed"

  metainfo=$share/metainfo/$app_id.metainfo.xml
  quiet "appstreamcli validate" appstreamcli validate --no-net "$metainfo"
  launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
  [ -f "$share/applications/$launchable" ] || fail "the metadata launches '$launchable', which is not installed"
  for newest in "$(grep -om1 '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)" \
    "$(zcat "$share/doc/fendral/changelog.gz" | sed -n '1s/^[^(]*(\([^)]*\)).*/\1/p')"; do
    [ "$newest" = "$version" ] || fail "a release history's newest entry is $newest, the project is $version"
  done
  echo "ok the metadata validates and both release histories name version $version"

  for page in "$share"/man/man1/*.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  done
  # Neither needs a display.
  help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/fendral" --help) || fail "fendral --help failed"
  manual=$(LC_ALL=C MANWIDTH=200 man -l "$share/man/man1/fendral.1.gz" 2>/dev/null)
  for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u); do
    grep -q -- "$option" <<<"$manual" || fail "the manual page lacks $option"
  done
  env -u DISPLAY "$prefix/bin/fendral" --version | grep -qwF -- "$version" ||
    fail "fendral --version does not name $version"
  echo "ok the manual pages render without warnings and cover --help; --version names $version"
  exit 0
fi

# --- package; lintian also checks its computed dependencies, owners, permissions and stripping
# Without a maintainer cpack makes no package rather than a guess at one; this test then names its own.
maintainer=()
if grep -qx 'set(CPACK_PACKAGE_CONTACT "")' "$build/CPackConfig.cmake"; then
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/unnamed" >"$tmp/unnamed.log" 2>&1 &&
    fail "cpack made a package without a maintainer"
  grep -q "requires a maintainer" "$tmp/unnamed.log" || fail "cpack without a maintainer: $(tail -n 3 "$tmp/unnamed.log")"
  maintainer=(-D "CPACK_PACKAGE_CONTACT=Package Test <package-test@example.org>")
fi
quiet "cpack -G DEB failed" cpack -G DEB --config "$build/CPackConfig.cmake" "${maintainer[@]}" -B "$tmp/pkg"
deb=$(echo "$tmp"/pkg/fendral_"$version"_*.deb)
[ -f "$deb" ] || fail "no package fendral_${version}_*.deb"
lintian --no-tag-display-limit "$deb" >"$tmp/lintian.log" 2>/dev/null
grep '^[EW]:' "$tmp/lintian.log" && fail "lintian reports errors or warnings"
echo "ok lintian reports no errors or warnings"

root=$tmp/root
dpkg-deb -x "$deb" "$root"
bin=$root/usr/bin

# The player: an account of its own when the test runs as root, else a folder made read-only.
home=$tmp/home
game=$tmp/quake2
mkdir -p "$home/run" "$game/baseq2" "$tmp/out"
chmod 700 "$home/run"
fake_game "$game/quake2.exe" "$tmp/out/game-args"
if [ ${#as_player[@]} -gt 0 ]; then chown -R nobody:nogroup "$home" "$tmp/out"; else chmod a-w "$bin"; fi
start_xvfb

# Copied away from its window library, the program says so in one line where a window is needed, and
# still works without one.
mkdir "$tmp/alone"
cp "$bin/fendral" "$tmp/alone/"
printf '[Main]\nQ2Location=%s\n' "$game" >"$tmp/alone/fendral.ini"
err=$("$tmp/alone/fendral" 2>&1 >/dev/null)
rc=$?
[ $rc = 1 ] && [ "$(wc -l <<<"$err")" = 1 ] && [[ "$err" == "fendral: "*"fendral-window.so"* ]] ||
  fail "without its window library: rc $rc, $err"
"$tmp/alone/fendral" --preview | grep -qx "program: *$game/quake2.exe" || fail "--preview without the window library"
err=$("$tmp/alone/fendral" --launch --settings "$tmp/alone/none.ini" 2>&1)
rc=$?
[ $rc = 1 ] && [[ "$err" == *"was not found!" ]] || fail "a failing --launch without the window library: rc $rc, $err"
echo "ok without its window library: one line and exit 1 for the window; --preview works, --launch says why it fails"

# --- the player's window on X11
start_player_window() {
  # Exec'd, so that the pid is the program's.
  (cd "$bin" && exec "${as_player[@]}" env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" \
    XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run" ./fendral) >>"$tmp/fendral.log" 2>&1 &
  launcher=$!
  pids+=($launcher)
  poll fendral_windows >/dev/null || fail "the window did not appear"
  window=$(fendral_windows | head -n 1)
  focus "$window"
}
start_player_window
wm_class=$(xprop -id "$window" WM_CLASS | sed 's/.*, "\(.*\)"$/\1/')
[ "$wm_class" = "$(desktop_key StartupWMClass "$root/usr/share/applications/$app_id.desktop")" ] ||
  fail "the X11 class $wm_class is not the desktop entry's StartupWMClass"
echo "ok on X11 the window's class matches the desktop entry"

# --- Save as the player: Setup, the Quake 2 folder on the first tab, Save (window coordinates)
xdotool mousemove --window "$window" 20 20 click 1
sleep 0.5  # the setup view has no X window of its own to wait for
xdotool mousemove --window "$window" 50 58 click 1
xdotool mousemove --window "$window" 150 153 click 1
xdotool type --delay 10 "$game"
xdotool key Escape # closes the folder completion's list, which would take the next click
xdotool mousemove --window "$window" 181 316 click 1
settings=$home/config/fendral/fendral.ini
saved() { tr -d '\r' <"$settings" 2>/dev/null | grep -qx "Q2Location=$game"; }
poll saved || fail "Save did not write $settings: $(cat "$settings" 2>&1)"
[ "$(stat -c %a "$home/config/fendral")" = 700 ] || fail "the settings folder is open to others"
kill "$launcher"
wait "$launcher" 2>/dev/null
echo "ok Save wrote the player's $settings"

# --- a restart reads it back: Launch starts the saved game
start_player_window
xdotool key space
poll grep -qx -- "$game" "$tmp/out/game-args" 2>/dev/null ||
  fail "the restarted launcher did not start the saved game"
poll gone "$launcher" || fail "the launcher did not end after starting the game"
beside=$(ls -A "$bin")
[ "$beside" = "$(printf 'fendral\nfendral-notepad')" ] || fail "written beside the program: $beside"
echo "ok a restart read the settings back; its Launch key started the game and ended it; nothing was written beside it"

# --- root on an install under /usr: the unpacked tree seen at /usr/local/games in a mount namespace
# of its own, with a shared file an administrator put beside the program. Root reads it, and its Save
# goes into its own folder with the shared file's other lines, never beside the program.
if [ "$(id -u)" = 0 ] && unshare --mount --propagation private true 2>/dev/null; then
  under_usr() {
    exec unshare --mount --propagation private sh -c 'mount --bind "$0" /usr/local/games && exec "$@"' \
      "$root/usr" env -u XDG_CONFIG_HOME -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$tmp/root-home" \
      XDG_RUNTIME_DIR="$tmp/root-run" /usr/local/games/bin/fendral "$@"
  }
  mkdir -m 700 "$tmp/root-run"
  printf '[Main]\nQ2Location=%s\nOptions=+set shared 1\n' "$game" >"$bin/fendral.ini"
  own=$tmp/root-home/.config/fendral/fendral.ini
  out=$(under_usr --preview)
  [ "$(head -n 2 <<<"$out")" = "$(printf '%-16s%s\n' "settings file:" /usr/local/games/bin/fendral.ini \
    "saved to:" "$own")" ] || fail "root's --preview on an install under /usr: $out"
  mkdir "$tmp/quake2-root"
  fake_game "$tmp/quake2-root/quake2.exe" "$tmp/out/root-game-args"
  (under_usr) >>"$tmp/fendral.log" 2>&1 &
  launcher=$!
  pids+=($launcher)
  poll fendral_windows >/dev/null || fail "root's window did not appear"
  window=$(fendral_windows | head -n 1)
  focus "$window"
  xdotool mousemove --window "$window" 20 20 click 1
  sleep 0.5
  xdotool mousemove --window "$window" 50 58 click 1
  xdotool mousemove --window "$window" 150 153 click 1 key ctrl+a
  xdotool type --delay 10 "$tmp/quake2-root"
  xdotool key Escape
  xdotool mousemove --window "$window" 181 316 click 1
  saved() { tr -d '\r' <"$own" 2>/dev/null | grep -qx "Q2Location=$tmp/quake2-root"; }
  poll saved || fail "root's Save did not write $own: $(cat "$own" 2>&1)"
  kill "$launcher"
  wait "$launcher" 2>/dev/null
  tr -d '\r' <"$own" | grep -qx "Options=+set shared 1" || fail "root's first Save lost the shared lines: $(cat "$own")"
  [ "$(cat "$bin/fendral.ini")" = "$(printf '[Main]\nQ2Location=%s\nOptions=+set shared 1' "$game")" ] ||
    fail "root's Save changed the shared file"
  rm "$bin/fendral.ini"
  beside=$(ls -A "$bin")
  [ "$beside" = "$(printf 'fendral\nfendral-notepad')" ] || fail "root's Save wrote beside the program: $beside"
  echo "ok root on an install under /usr reads the shared file and saves into its own folder, with its other lines"
else
  echo "skipped root on an install under /usr: needs root and a mount namespace"
fi
