#!/usr/bin/env bash
# Installs what is missing, builds, generates the data and starts the game.
set -euo pipefail
ZONVEL_ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$ZONVEL_ROOT/tools/setup.sh"
zonvel_install_packages
# A player needs the program and its data, not the tests, tools and benchmarks.
ZONVEL_BUILD_TARGETS="zonvel zonvel_data" zonvel_build build
cd "$ZONVEL_ROOT/build"
exec ./zonvel
