#!/usr/bin/env bash
# Builds the Debian package build-package/zonvel_<version>_amd64.deb and
# checks it with lintian: lintian's errors fail the script, its warnings are
# shown. The package has its own build folder because Debian puts games in
# /usr/games, where a plain `cmake --install` uses bin/.
#   tools/package.sh
#   sudo apt install ./build-package/zonvel_*_amd64.deb
set -euo pipefail
ZONVEL_ROOT="$(cd "$(dirname "$0")/.." && pwd)"
source "$ZONVEL_ROOT/tools/setup.sh"

zonvel_install_packages
zonvel_install_packages "${ZONVEL_PACKAGE_TOOLS[@]}"
dir="$ZONVEL_ROOT/build-package"
# Debian's compiler and linker flags, with every hardening option.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cppflags="$(dpkg-buildflags --get CPPFLAGS)"
cmake -S "$ZONVEL_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_INSTALL_BINDIR=games -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  -DCMAKE_C_FLAGS="$(dpkg-buildflags --get CFLAGS) $cppflags" \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $cppflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
# Only what the package holds; tests and benchmarks are built by test.sh.
cmake --build "$dir" -j"$(nproc)" --target zonvel zonvel_data zonvel_dist
cd "$dir"
rm -f zonvel_*.deb
cpack -G DEB >/dev/null
deb="$(ls zonvel_*.deb)"
echo "Built $dir/$deb"
dpkg-deb --field "$deb" Package Version Architecture Depends
# Tags are listed by severity; only errors fail.
lintian --fail-on error --info "$deb"
