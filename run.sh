#!/usr/bin/env bash
# Installs what is missing, builds, generates the data and starts the game.
set -euo pipefail
ZONVEL_ROOT="$(cd "$(dirname "$0")" && pwd)"
source "$ZONVEL_ROOT/tools/setup.sh"
zonvel_install_packages
zonvel_build build
cd "$ZONVEL_ROOT/build"
exec ./zonvel
