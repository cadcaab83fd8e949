#!/usr/bin/env bash
# Installs the Debian 12 packages Grossby 2018 needs to build, run and test,
# skipping those already present. Uses sudo when not run as root.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libqt6opengl6-dev libgl1-mesa-dev
  qt6-pdf-dev libqt6pdfwidgets6 qt6-charts-dev
  libcli11-dev nlohmann-json3-dev libkainjow-mustache-dev libxlsxwriter-dev libfmt-dev
  libgtest-dev libgmock-dev libbenchmark-dev hyperfine
  fonts-dejavu-core poppler-utils
  qt6-svg-dev appstream desktop-file-utils
  clang-14 libclang-rt-14-dev
  clang-format python3
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" = 0 ] || sudo=sudo
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
