#!/usr/bin/env bash
# Builds the Debian package (falquinas_<version>_amd64.deb) into build/ from the normal build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
cd "${BUILD_DIR:-build}"
cpack -G DEB >/dev/null
ls -1 "$PWD"/falquinas_*.deb
