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

if [ "$mode" = install ]; then
  prefix=$tmp/prefix
  cmake --install "$build" --prefix "$prefix" >"$tmp/install.log" 2>&1 || {
    cat "$tmp/install.log"
    fail "cmake --install failed"
  }
  expected="bin/fendral
bin/fendral-notepad
lib/fendral/window/fendral-window.so
share/applications/$app_id.desktop
share/doc/fendral/changelog.gz
share/doc/fendral/copyright
share/icons/hicolor/scalable/apps/$app_id.svg
share/man/man1/fendral-notepad.1.gz
share/man/man1/fendral.1.gz
share/metainfo/$app_id.metainfo.xml"
  installed=$(cd "$prefix" && find . -type f | sed 's|^\./||' | sort)
  [ "$installed" = "$expected" ] ||
    fail "installed files differ: $(diff <(echo "$expected") <(echo "$installed"))"
  echo "ok the programs, desktop entry, icon, metadata, manual pages and copyright are installed"

  desktop=$prefix/share/applications/$app_id.desktop
  out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
  [ -x "$prefix/bin/$(desktop_key Exec "$desktop")" ] ||
    fail "the desktop entry runs a program that is not installed"
  [ -f "$prefix/share/icons/hicolor/scalable/apps/$(desktop_key Icon "$desktop").svg" ] ||
    fail "the desktop entry names an icon that is not installed"
  grep -qx 'Exec=fendral --launch' "$desktop" || fail "no desktop action runs fendral --launch"
  echo "ok the desktop entry validates, and its program, icon and launch action exist"

  metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
  appstreamcli validate --no-net "$metainfo" >"$tmp/appstream.log" 2>&1 || {
    cat "$tmp/appstream.log"
    fail "appstreamcli validate"
  }
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch the desktop entry"
  newest=$(grep -om1 '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
  [ "$newest" = "$version" ] || fail "the newest release in the metadata is $newest, the project is $version"
  newest=$(zcat "$prefix/share/doc/fendral/changelog.gz" | sed -n '1s/.*(\(.*)\).*/\1/p' | tr -d ')')
  [ "$newest" = "$version" ] || fail "the newest changelog entry is $newest, the project is $version"
  echo "ok the metadata validates and both release histories name version $version"

  for page in "$prefix"/share/man/man1/*.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
  done
  echo "ok the manual pages render without warnings"

  # Neither needs a display.
  help=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/fendral" --help) || fail "fendral --help failed"
  manual=$(LC_ALL=C MANWIDTH=200 man -l "$prefix/share/man/man1/fendral.1.gz" 2>/dev/null)
  for option in $(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u); do
    grep -q -- "$option" <<<"$manual" || fail "the manual page lacks $option"
  done
  env -u DISPLAY "$prefix/bin/fendral" --version | grep -qwF -- "$version" ||
    fail "fendral --version does not name $version"
  echo "ok the manual page has every option of --help, and --version names $version"
  exit 0
fi

# --- package
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 || {
  cat "$tmp/cpack.log"
  fail "cpack -G DEB failed"
}
deb=$(echo "$tmp"/pkg/fendral_"$version"_*.deb)
[ -f "$deb" ] || fail "no package fendral_${version}_*.deb"

depends=$(dpkg-deb -f "$deb" Depends)
[[ $depends == *libqt6widgets6* && $depends == *libc6* ]] || fail "dependencies not computed: $depends"
recommends=$(dpkg-deb -f "$deb" Recommends)
[ "$recommends" = "wine, qt6-wayland" ] || fail "Recommends: $recommends"
# Owners root, folders and programs 0755, every other file 0644.
bad=$(dpkg-deb -c "$deb" | awk '$2 != "root/root" ||
  ($1 !~ /^(drwxr-xr-x|-rw-r--r--)$/ && !($1 == "-rwxr-xr-x" && $6 ~ /^\.\/usr\/bin\//))')
[ -z "$bad" ] || fail "owners or permissions: $bad"
echo "ok the package depends on its libraries, recommends wine and qt6-wayland, and owns its files right"

lintian --no-tag-display-limit "$deb" >"$tmp/lintian.log" 2>/dev/null
if grep -q '^[EW]:' "$tmp/lintian.log"; then
  cat "$tmp/lintian.log"
  fail "lintian reports errors or warnings"
fi
echo "ok lintian reports no errors or warnings"

root=$tmp/root
dpkg-deb -x "$deb" "$root"
bin=$root/usr/bin
for program in "$bin"/*; do
  file -b "$program" | grep -q ', stripped' || fail "$(basename "$program") is not stripped"
done
echo "ok the programs are stripped"

# The player: an account of its own when the test runs as root, else a folder made read-only.
home=$tmp/home
game=$tmp/quake2
mkdir -p "$home" "$game/baseq2" "$tmp/out"
fake_game "$game/quake2.exe" "$tmp/out/game-args"
if [ ${#as_player[@]} -gt 0 ]; then
  chown -R nobody:nogroup "$home" "$tmp/out"
else
  chmod a-w "$bin"
fi
run_player() {
  (cd "$bin" && exec "${as_player[@]}" env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" \
    XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run" "$@")
}
mkdir -m 700 "$home/run"
[ "$(id -u)" -eq 0 ] && chown nobody:nogroup "$home/run"

# --- X11: the player's window
start_xvfb

start_player_window() {
  run_player ./fendral >>"$tmp/fendral.log" 2>&1 &
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
beside=$(ls -A "$bin")
[ "$beside" = "$(printf 'fendral\nfendral-notepad')" ] || fail "written beside the program: $beside"
echo "ok a restart read the settings back and started the game; nothing was written beside the program"
