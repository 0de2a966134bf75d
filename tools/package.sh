#!/usr/bin/env bash
# Builds the Debian package build/zonvel_<version>_amd64.deb and checks it
# with lintian: lintian's errors fail the script, its warnings are shown.
#   tools/package.sh
#   sudo apt install ./build/zonvel_*_amd64.deb
set -euo pipefail
ZONVEL_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ZONVEL_ROOT/tools/setup.sh"

zonvel_install_packages
zonvel_install_packages "${ZONVEL_PACKAGE_TOOLS[@]}"
zonvel_build build
cd "$ZONVEL_ROOT/build"
rm -f zonvel_*.deb
cpack -G DEB >/dev/null
deb="$(ls zonvel_*.deb)"
echo "Built $ZONVEL_ROOT/build/$deb"
dpkg-deb --field "$deb" Package Version Architecture Depends
# Tags are listed by severity; only errors fail the build.
lintian --fail-on error --info "$deb"
