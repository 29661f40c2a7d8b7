#!/usr/bin/env bash
# Installs the Debian 12 packages Karvo needs to build, run and test. Safe to run again.
set -euo pipefail
packages=(build-essential cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools qt6-charts-dev libqt6opengl6-dev libgl-dev
          libcurl4-openssl-dev libzip-dev zlib1g-dev
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-dejavu-core fonts-liberation)
case "${1:-}" in
    --test) packages+=(xvfb xauth clang-format locales) ;;
    --package) packages+=(dpkg-dev file) ;;
    --fuzz) packages+=(clang libclang-rt-14-dev) ;;
esac
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
