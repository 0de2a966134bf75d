#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
#   ./test.sh             normal build in build/
#   ./test.sh --sanitize  ASan + UBSan build in build-asan/
set -euo pipefail
ZONVEL_ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$ZONVEL_ROOT/tools/setup.sh"

dir=build
args=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  # Optimised, so the simulator runs finish in minutes under the sanitizers.
  args=(-DZONVEL_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

zonvel_install_packages
zonvel_build "$dir" "${args[@]}"
cd "$ZONVEL_ROOT/$dir"
# Tests that open a window share one virtual X server.
exec xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j"$(nproc)"
