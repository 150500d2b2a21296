#!/usr/bin/env bash
# Start-up and launch speed of the launcher against a bare Qt window of the same size, on a virtual
# display of its own. Usage: run.sh BUILD_FOLDER   (RUNS=11 by default; use a Release build)
set -euo pipefail

build=$(cd "${1:?usage: run.sh BUILD_FOLDER}" && pwd)
runs=${RUNS:-11}
settle_ms=${SETTLE_MS:-300}
bin=$build/bin
for program in fendral startup_probe startup_bare_window startup_fake_game; do
  [ -x "$bin/$program" ] || { echo "missing $bin/$program: build the folder with the benchmarks on" >&2; exit 1; }
done

source "$(dirname "$0")/../../tests/e2e/harness.sh"
start_xvfb
export XDG_RUNTIME_DIR=$tmp/run
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The launcher installed as the package lays it out, with its settings beside it: the build's own
# copy searches extra folders for every library. The fake game stamps its start.
cmake --install "$build" --prefix "$tmp/app" --strip >/dev/null
fendral=$tmp/app/bin/fendral
mkdir "$tmp/q2"
cp "$bin/startup_fake_game" "$tmp/q2/quake2.exe"
cat >"$tmp/app/bin/fendral.ini" <<EOF
[Main]
Q2Location=$tmp/q2
CDLocation=D
Options=-HEAPSIZE 32000
Config=my.cfg
JoyStick=True
CDaudio=False
BatchFileStatus=False
BatchFileLocation=go.bat
EOF

# A first run: the same settings without the Quake 2 folder, beside a second copy, and the game in a
# stand-in Steam library of a home of its own, reached through a link as Steam lays it out. The fake
# game is the engine in the folder, so an engine installed here cannot be taken instead.
cmake --install "$build" --prefix "$tmp/first" --strip >/dev/null
grep -v '^Q2Location=' "$tmp/app/bin/fendral.ini" >"$tmp/first/bin/fendral.ini"
found="$tmp/home/.local/share/Steam/steamapps/common/Quake 2"
mkdir -p "$found/baseq2" "$tmp/home/.steam"
ln -s ../.local/share/Steam "$tmp/home/.steam/steam"
printf 'PACK' >"$found/baseq2/pak0.pak"
printf '"AppState"\n{\n\t"appid"\t"2320"\n\t"installdir"\t"Quake 2"\n}\n' \
  >"$tmp/home/.local/share/Steam/steamapps/appmanifest_2320.acf"
cp "$bin/startup_fake_game" "$found/quake2"

probe() { "$bin/startup_probe" "$@" 2>>"$tmp/probe.log"; }
first_run() { HOME=$tmp/home probe launch "$settle_ms" "$found/started" "$tmp/first/bin/fendral"; }

# One unmeasured run of each, so both find the font and library caches warm.
probe map "$settle_ms" "$bin/startup_bare_window" >/dev/null
probe map "$settle_ms" "$bin/startup_bare_window" --label >/dev/null
probe launch "$settle_ms" "$tmp/q2/started" "$fendral" >/dev/null
first_run >/dev/null

: >"$tmp/bare"
: >"$tmp/label"
: >"$tmp/fendral"
: >"$tmp/first-run"
for _ in $(seq "$runs"); do
  probe map "$settle_ms" "$bin/startup_bare_window" >>"$tmp/bare"
  probe map "$settle_ms" "$bin/startup_bare_window" --label >>"$tmp/label"
  probe launch "$settle_ms" "$tmp/q2/started" "$fendral" >>"$tmp/fendral"
  first_run >>"$tmp/first-run"
done

# median FILE COLUMN
median() { cut -d' ' -f"$2" "$1" | sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

bare_map=$(median "$tmp/bare" 1)
bare_mem=$(median "$tmp/bare" 2)
bare_cpu=$(median "$tmp/bare" 3)
label_map=$(median "$tmp/label" 1)
label_mem=$(median "$tmp/label" 2)
label_cpu=$(median "$tmp/label" 3)
map=$(median "$tmp/fendral" 1)
mem=$(median "$tmp/fendral" 2)
game=$(median "$tmp/fendral" 3)
end=$(median "$tmp/fendral" 4)
cpu=$(median "$tmp/fendral" 5)
first_map=$(median "$tmp/first-run" 1)
first_cpu=$(median "$tmp/first-run" 5)
first_game=$(median "$tmp/first-run" 3)

echo "Medians of $runs runs on $DISPLAY ($(basename "$build"))"
awk -v bm="$bare_map" -v bk="$bare_mem" -v bc="$bare_cpu" -v lm="$label_map" -v lk="$label_mem" \
  -v lc="$label_cpu" -v m="$map" -v k="$mem" -v c="$cpu" -v g="$game" -v e="$end" -v fm="$first_map" \
  -v fc="$first_cpu" -v fg="$first_game" 'BEGIN {
  fmt = "%-33s %8s %8s %8s %9s %10s %16s\n"
  printf fmt, "", "bare", "label", "fendral", "vs bare", "vs label", "target"
  printf fmt, "start to window mapped (ms)", sprintf("%.1f", bm / 1000), sprintf("%.1f", lm / 1000),
    sprintf("%.1f", m / 1000), sprintf("%.2fx", m / bm), sprintf("%.2fx", m / lm), "<= 1.10x label"
  printf fmt, "CPU time to window mapped (ms)", sprintf("%.1f", bc / 1000), sprintf("%.1f", lc / 1000),
    sprintf("%.1f", c / 1000), sprintf("%.2fx", c / bc), sprintf("%.2fx", c / lc), ""
  printf fmt, "peak memory, VmHWM (MiB)", sprintf("%.1f", bk / 1024), sprintf("%.1f", lk / 1024),
    sprintf("%.1f", k / 1024), sprintf("%.2fx", k / bk), sprintf("%.2fx", k / lk), "<= 1.30x bare"
  printf fmt, "Launch key to game start (ms)", "", "", sprintf("%.2f", g / 1000), "", "", "< 20 ms"
  printf fmt, "Launch key to launcher exit (ms)", "", "", sprintf("%.2f", e / 1000), "", "", ""
  printf fmt, "first run: start to window mapped", "", "", sprintf("%.1f", fm / 1000), sprintf("%.2fx", fm / bm),
    sprintf("%.2fx", fm / lm), "<= 1.10x label"
  printf fmt, "first run: CPU time to window", "", "", sprintf("%.1f", fc / 1000), sprintf("%.2fx", fc / bc),
    sprintf("%.2fx", fc / lc), ""
  printf fmt, "first run: Launch key to game start", "", "", sprintf("%.2f", fg / 1000), "", "", "< 20 ms"
}'
echo "bare: an empty window of the same size; label: the same with one line of text; first run: no folder"
echo "saved, the game found in a stand-in Steam library"
