#!/usr/bin/env bash
# Installs what is missing, builds Fendral and starts it.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
fendral_install_packages
fendral_build "$fendral_root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFENDRAL_TESTS=OFF -DFENDRAL_BENCH=OFF
program="$fendral_root/build/bin/fendral"
if [ ! -x "$program" ]; then
  echo "Built the core; the window is not there yet."
  exit 0
fi
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Fendral is built at $program, but there is no display to show its window on."
  echo "Start it from a desktop session, or under a virtual display: xvfb-run -a $program"
  exit 1
fi
exec "$program"
