#!/usr/bin/env bash
# Installs the Debian packages the register needs to build, run and test (only those missing).
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-pdf-dev qt6-tools-dev qt6-l10n-tools
  libqt6sql6-sqlite libqt6sql6-psql libqt6sql6-odbc qt6-image-formats-plugins
  libxlsxwriter-dev libzint-dev libzxing-dev zlib1g-dev libgl1-mesa-dev libsane-dev sane-utils tdsodbc unixodbc
  xvfb xauth fonts-dejavu-core postgresql sqlite3 libsqlite3-dev
  dpkg-dev desktop-file-utils appstream lintian
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
