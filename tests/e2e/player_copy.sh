#!/usr/bin/env bash
# player_copy.sh FOLDER PROGRAM...: copies the built programs into FOLDER/bin, and the window library to
# where the first one's run path looks for it, relative to itself: the installed layout, readable by a
# player account whatever the permissions of the folders that hold the build. Any other run-path
# entry, empty ones included, would let the program load libraries from elsewhere, so it fails.
set -euo pipefail
folder=$1
shift
window=$(readelf -d "$1" | sed -n 's/.*(RUNPATH).*\[\$ORIGIN\/\([^:]*\)\]$/\1/p')
if [ -z "$window" ]; then
  echo "$1 needs one run-path entry, relative to itself: $(readelf -d "$1" | grep PATH)" >&2
  exit 1
fi
mkdir -p "$folder/bin/$window"
cp "$@" "$folder/bin/"
cp "$(dirname "$1")/$window/fendral-window.so" "$folder/bin/$window/"
window=$(realpath -m --relative-to="$folder" "$folder/bin/$window")
chmod -R a+rX "$folder/bin" "$folder/${window%%/*}"
