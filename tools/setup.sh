#!/usr/bin/env bash
# Shared by run.sh and test.sh: installs the Debian packages the build needs
# (only those missing), then configures and builds into the given folder.
set -euo pipefail

ZONVEL_PACKAGES=(
  build-essential cmake pkg-config git
  libsdl2-dev libsdl2-mixer-dev libmodplug-dev libjpeg62-turbo-dev
  libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libcairo2-dev libfreetype-dev fonts-dejavu-core fonts-dejavu-extra libpng-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth openbox i3 xdotool wmctrl
  desktop-file-utils appstream x11-utils
)

# Only tools/package.sh needs these: the Debian package builder's helpers and lintian.
ZONVEL_PACKAGE_TOOLS=(dpkg-dev file lintian)

# zonvel_install_packages [packages...]   (default: ZONVEL_PACKAGES)
zonvel_install_packages() {
  local wanted=("$@")
  [ ${#wanted[@]} -eq 0 ] && wanted=("${ZONVEL_PACKAGES[@]}")
  local missing=()
  local pkg
  for pkg in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# zonvel_build BUILD_DIR [extra cmake arguments...]
# Builds everything, or only the targets named in ZONVEL_BUILD_TARGETS.
zonvel_build() {
  local dir="$1"; shift
  cmake -S "$ZONVEL_ROOT" -B "$ZONVEL_ROOT/$dir" "$@" >/dev/null
  local targets=()
  if [ -n "${ZONVEL_BUILD_TARGETS:-}" ]; then
    read -r -a targets <<< "$ZONVEL_BUILD_TARGETS"
    targets=(--target "${targets[@]}")
  fi
  cmake --build "$ZONVEL_ROOT/$dir" -j"$(nproc)" "${targets[@]}"
}
