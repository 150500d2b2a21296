#!/usr/bin/env bash
# Installs what is missing, builds Fendral and starts it. Without a display it shows what Launch would
# run with the settings file it finds, and how to see the window.
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
  echo "Fendral is built at $program. There is no display, so here is what Launch would run"
  echo "(fendral --preview):"
  echo
  if ! "$program" --preview 2>&1 | sed 's/^/  /'; then
    echo "  (the Quake 2 folder in that settings file has no game yet: set it up in the window)"
  fi
  echo
  echo "To see the window, start it from a desktop session, or under a virtual display:"
  echo "  xvfb-run -a $program"
  exit 0
fi
exec "$program"
