#!/usr/bin/env bash
# Installs the Debian packages the build needs, only when one is missing.
set -euo pipefail
PKGS=(build-essential cmake ninja-build pkg-config ccache clang libclang-rt-14-dev
      libsdl2-dev libsdl2-ttf-dev fonts-dejavu-core libpng-dev libjpeg62-turbo-dev zlib1g-dev
      libvorbis-dev libogg-dev libmpg123-dev libfreetype-dev libcairo2-dev
      libxmp-dev
      libgtest-dev libgmock-dev libbenchmark-dev libbox2d-dev libegl1 libgl1-mesa-dri)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
