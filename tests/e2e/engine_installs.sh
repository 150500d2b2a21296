#!/usr/bin/env bash
# The engine installs Linux players have, started by `fendral --launch` as Launch would: Q2PRO on the
# PATH, Debian's layout with its wrapper as a decoy, a Flatpak app, and Engine= for each kind of engine.
# The real engines' console logs show what they ran; flatpak and wine are recording stand-ins, as no
# app can be installed offline. Usage: engine_installs.sh FENDRAL YAMAGI_FOLDER Q2PRO_FOLDER
# YAMAGI_FOLDER holds q2ded and baseq2/game.so; Q2PRO_FOLDER q2proded and gamex86_64.so.
set -uo pipefail

fendral_built=$1
yamagi=$2
q2pro=$3
timeout=${E2E_TIMEOUT:-20}
source "$(dirname "$0")/harness.sh"
[ -x "$yamagi/q2ded" ] && [ -x "$q2pro/q2proded" ] ||
  skip "the engines were not built (their sources are not in ../shared/engines beside this repository)"
need setpriv

# --- the installs, under the scratch folder's system root; the data in a folder with a blank
root=$FENDRAL_SYSTEM_ROOT
home=$tmp/home
data="$tmp/Quake 2 data"
mkdir -p "$tmp/bin" "$tmp/path" "$tmp/games" "$tmp/record" "$home/.local/share/YamagiQ2/baseq2" \
  "$root/usr/lib/yamagi-quake2/baseq2" "$root/var/lib/flatpak/app/org.yamagi.YamagiQ2/current/active" \
  "$home/.local/share/flatpak/app/com.github.skullernet.q2pro/current/active" "$data/baseq2" "$data/ctf"
player_copy "$fendral_built"
cp "$q2pro/q2proded" "$tmp/path/q2pro"
cp "$q2pro"/gamex86_64.so "$data/baseq2/"
cp "$yamagi/baseq2/game.so" "$root/usr/lib/yamagi-quake2/baseq2/"
fake_game "$tmp/games/flatpak" "$tmp/record/flatpak"
fake_game "$tmp/games/wine" "$tmp/record/wine"
printf 'MZ\x90\0' >"$data/game.exe"
echo 'set s_initsound 0' >"$home/.local/share/YamagiQ2/baseq2/autoexec.cfg"
# Q2PRO logs only when told to, before the launch's own words run.
printf 'set logfile_prefix ""\nset logfile_flush 1\nset logfile 1\n' >"$data/ctf/autoexec.cfg"
# The config prints a marker and what the launch set, starts a level (which loads the game library from
# the working folder) and quits before the network port is taken.
printf 'echo config of ctf ran\ngame\nbasedir\nogg_enable\nin_initjoy\nfendral_option\nmap victory.pcx\nquit\n' \
  >"$data/ctf/my.cfg"
chmod -R a+rX "$tmp"
[ ${#as_player[@]} -eq 0 ] || chown -R nobody:nogroup "$home" "$data" "$tmp/record"

# launch CASE INI_LINES [OPTIONS...]: `fendral --launch` as the player with these settings for custom
# game 1 (ctf); sets rc.
launch() {
  printf '[Main]\nQ2Location=%s\nCDLocation=D\nG1C=ctf\nG1Config=my.cfg\nCDaudio=True\nJoyStick=False\n%s\n' \
    "$data" "$2" >"$tmp/bin/fendral.ini"
  chmod 644 "$tmp/bin/fendral.ini"
  rm -f "$tmp"/record/* "$data/ctf/logs/console.log" "$home/.local/share/YamagiQ2/ctf/qconsole.log"
  echo "--- $1" >>"$tmp/fendral.log"
  env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" PATH="$tmp/games:$tmp/path" \
    "${as_player[@]}" "$tmp/bin/fendral" --launch --game 1 "${@:3}" >>"$tmp/fendral.log" 2>&1
  rc=$?
}

# log_has CASE LOG TEXT...: waits for the engine's complete log, then finds each TEXT in it.
log_has() {
  local text
  logs=("$tmp/fendral.log" "$2")
  poll grep -qE 'Closing console log|shutting down' "$2" 2>/dev/null || fail "$1: the engine wrote no complete log"
  for text in "${@:3}"; do grep -qF -- "$text" "$2" || fail "$1: the engine's log lacks '$text'"; done
  [ ! -e "$tmp/record/wrapper" ] || fail "$1: the distribution's wrapper ran"
}
q2pro_log=$data/ctf/logs/console.log
yamagi_log=$home/.local/share/YamagiQ2/ctf/qconsole.log

# Q2PRO on the PATH: its own words (no -datadir, no joystick), in the data folder.
launch "(q2pro)" "Options=+set fendral_option 7"
log_has "(q2pro)" "$q2pro_log" "config of ctf ran" '"game" is "ctf"' "\"basedir\" is \"$data\"" '"ogg_enable" is "1"' \
  'Unknown command "in_initjoy"' '"fendral_option" is "7"' "Loaded game library from ./baseq2/gamex86_64.so"
! grep -q datadir "$q2pro_log" || fail "(q2pro) got -datadir"
echo "ok Q2PRO from the PATH ran the custom game's config in the data folder, told with +set basedir"

# Debian's layout: its engine outside the PATH comes first, told the data folder once; the wrapper on
# the PATH is left alone.
cp "$yamagi/q2ded" "$root/usr/lib/yamagi-quake2/quake2"
fake_game "$tmp/games/quake2" "$tmp/record/wrapper"
launch "(debian)" ""
log_has "(debian)" "$yamagi_log" "execing my.cfg." "config of ctf ran" '"game" is "ctf"' '"ogg_enable" is "1"' \
  '"in_initjoy" is "0"'
echo "ok Debian's engine under /usr/lib/yamagi-quake2 ran the config; its /usr/games/quake2 wrapper did not run"

# words FILE: what a recorder got, after its working folder.
words() { tail -n +2 "$1"; }
# flatpak_run RECORD: the recorded words follow `flatpak run [OPTION...] REF [ARG...]`, with only the
# documented --command=COMMAND and --filesystem=FILESYSTEM[:ro|:create] options; prints REF and ARGs.
flatpak_run() {
  local word
  local -a got
  mapfile -t got < <(words "$1")
  [ "${got[0]}" = run ] || return 1
  for ((word = 1; word < ${#got[@]}; word++)); do
    case ${got[word]} in
      --command=?*) ;;
      --filesystem=host-os:ro | --filesystem=/*:ro) [[ ${got[word]} != *:*:* ]] || return 1 ;;
      -*) return 1 ;;
      *) break ;;
    esac
  done
  [[ ${got[word]} =~ ^[A-Za-z_][A-Za-z0-9_-]*(\.[A-Za-z_][A-Za-z0-9_-]*){2,}$ ]] || return 1
  printf '%s\n' "${got[@]:word}"
}

# A Flatpak app installed system-wide: the engine in it, not its wrapper script, the folder granted.
rm "$root/usr/lib/yamagi-quake2/quake2" "$tmp/games/quake2" "$tmp/path/q2pro"
launch "(flatpak)" ""
poll test -e "$tmp/record/flatpak" || fail "(flatpak) flatpak was not started: $(tail -n 3 "$tmp/fendral.log")"
expected=$(printf '%s\n' run --command=quake2 "--filesystem=$data:ro" org.yamagi.YamagiQ2 -datadir "$data" +set game ctf \
  +exec my.cfg +set ogg_enable 1 +set in_initjoy 0)
[ "$(words "$tmp/record/flatpak")" = "$expected" ] ||
  fail "(flatpak) $(diff <(echo "$expected") <(words "$tmp/record/flatpak"))"
flatpak_run "$tmp/record/flatpak" >/dev/null || fail "(flatpak) not words flatpak run takes: $(words "$tmp/record/flatpak")"
echo "ok the Yamagi Flatpak app got its engine, the data folder granted read-only and the launch's words"

# Engine= for each kind: Q2PRO by path over the automatic choice, the player's Q2PRO app, a Windows
# program through wine, and a name that is nothing, also with what a shell would read.
cp "$q2pro/q2proded" "$tmp/games/q2pro-own"
launch "(Engine= q2pro)" "Engine=$tmp/games/q2pro-own"
log_has "(Engine= q2pro)" "$q2pro_log" "config of ctf ran" "\"basedir\" is \"$data\""
launch "(Engine= app)" "Engine=com.github.skullernet.q2pro"
poll test -e "$tmp/record/flatpak" || fail "(Engine= app) flatpak was not started"
[ "$(flatpak_run "$tmp/record/flatpak")" = "$(printf '%s\n' com.github.skullernet.q2pro +set basedir "$data" \
  +set game ctf +exec my.cfg +set ogg_enable 1)" ] || fail "(Engine= app) $(words "$tmp/record/flatpak")"
launch "(Engine= exe)" "Engine=$data/game.exe"
poll test -e "$tmp/record/wine" || fail "(Engine= exe) wine was not started"
[ "$(sed -n 2p "$tmp/record/wine")" = "$data/game.exe" ] && grep -qxF 'D:\install\data' "$tmp/record/wine" ||
  fail "(Engine= exe) wine did not get the program and the composed words: $(cat "$tmp/record/wine")"
for nothing in "missing-engine" "\$(touch $tmp/shell) q2pro" "$tmp/games" "$data/ctf/my.cfg"; do
  launch "(Engine= nothing)" "Engine=$nothing"
  [ $rc = 1 ] && tail -n 1 "$tmp/fendral.log" | grep -qx 'Either quake2.exe or  was not found!' ||
    fail "(Engine=$nothing) rc $rc: $(tail -n 1 "$tmp/fendral.log")"
  sleep 0.2
  [ -z "$(ls "$tmp/record")" ] && [ ! -e "$tmp/shell" ] || fail "(Engine=$nothing) something started"
done
# --engine names this run's engine over the file's.
launch "(--engine)" "Engine=missing-engine" --engine q2pro-own
log_has "(--engine)" "$q2pro_log" "config of ctf ran"
echo "ok Engine= ran Q2PRO, the player's Q2PRO app and a Windows program; naming nothing started nothing"

# --engines lists what is there and what the settings would use.
cp "$q2pro/q2proded" "$tmp/path/q2pro"
printf '[Main]\nQ2Location=%s\n' "$data" >"$tmp/bin/fendral.ini"
out=$(env -u DISPLAY PATH="$tmp/path:$tmp/games" HOME="$home" "$tmp/bin/fendral" --engines 2>&1)
for line in "found:          Q2PRO, found on the PATH: $tmp/path/q2pro" \
  "found:          Yamagi Quake II, the Flatpak app org.yamagi.YamagiQ2" \
  "found:          Q2PRO, the Flatpak app com.github.skullernet.q2pro" \
  "engine:         Q2PRO, found on the PATH: $tmp/path/q2pro"; do
  grep -qxF "$line" <<<"$out" || fail "--engines lacks '$line': $out"
done
echo "ok --engines listed the engines found and the one Launch would start"
