#!/usr/bin/env bash
# Installs what is missing, builds Fendral with AddressSanitizer and UndefinedBehaviorSanitizer
# (clang, so the fuzz target builds too), warnings as errors, and runs every test. Usage:
# test.sh [CMAKE_OPTIONS...], the options used when build-test/ is first configured.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
fendral_install_packages
folder="$fendral_root/build-test"
fendral_build "$folder" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ \
  -DFENDRAL_SANITIZE=ON -DFENDRAL_FUZZ=ON -DFENDRAL_BENCH=OFF -DFENDRAL_WERROR=ON "$@"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$fendral_root/tests/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
cd "$folder"
ctest --output-on-failure -j2 --timeout 300
