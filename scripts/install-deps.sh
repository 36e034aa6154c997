#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, asking apt only for absent ones.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libsdl2-dev libsdl2-mixer-dev libepoxy-dev libfreetype-dev libtinyxml2-dev
  libsdl2-image-dev
  libbullet-dev libassimp-dev
  libgl1-mesa-dri libegl1 libegl-mesa0 libgles2
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core locales
  fonts-ebgaramond
  xvfb xdotool python3 libx11-6
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
