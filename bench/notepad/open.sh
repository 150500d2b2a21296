#!/usr/bin/env bash
# Time and peak memory of the editor opening a large file and quitting, on a virtual display of its
# own. Usage: open.sh BUILD_FOLDER [MEGABYTES...]   (10 and 55 by default; use a Release build)
set -euo pipefail

build=$(cd "${1:?usage: open.sh BUILD_FOLDER [MEGABYTES...]}" && pwd)
shift
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(10 55)
notepad=$build/bin/fendral-notepad
[ -x "$notepad" ] || { echo "missing $notepad" >&2; exit 1; }

source "$(dirname "$0")/../../tests/e2e/harness.sh"
start_xvfb
export XDG_RUNTIME_DIR=$tmp/run
mkdir -m 700 "$XDG_RUNTIME_DIR"

for mb in "${sizes[@]}"; do
  # Config-like lines of mixed length, CR LF ended, with a few Latin-1 bytes.
  name="big$mb.cfg"
  awk -v bytes=$((mb * 1000000)) 'BEGIN {
    while (n < bytes) { line = sprintf("bind k%d \"say caf\351 %d %s\"\r", i, i, substr("abcdefghijklmnopqrstuvwxyz", 1, i % 27)); print line; n += length(line) + 1; i++ }
  }' >"$tmp/$name"
  start=$(date +%s.%N)
  /usr/bin/time -f "%e %M %U %S" -o "$tmp/time" "$notepad" "$tmp/$name" &
  pid=$!
  # The title names the file alone once all of it is in the editor.
  shown= window=
  for _ in $(seq 2400); do
    if [ -z "$shown" ] && xdotool search --onlyvisible --name "^$name" >/dev/null 2>&1; then shown=$(date +%s.%N); fi
    window=$(xdotool search --onlyvisible --name "^$name - " 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.05
  done
  whole=$(date +%s.%N)
  [ -n "$window" ] || { echo "no window for $name" >&2; kill "$pid"; exit 1; }
  timeout 5 xdotool windowfocus --sync "$window" >/dev/null 2>&1 || xdotool windowfocus "$window" 2>/dev/null
  xdotool key ctrl+q 2>/dev/null
  wait "$pid"
  read -r seconds kib user system <"$tmp/time"
  printf '%s MB: window after %.2f s, whole file in after %.2f s, %s s to quit, %s s of processor time, peak memory %s MiB\n' "$mb" \
    "$(awk "BEGIN { print $shown - $start }")" "$(awk "BEGIN { print $whole - $start }")" "$seconds" "$(awk "BEGIN { print $user + $system }")" "$((kib / 1024))"
done
