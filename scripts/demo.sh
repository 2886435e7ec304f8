#!/usr/bin/env bash
# Installs what is missing, builds, creates a demo installation (embedded SQLite, no server)
# in $FALQ_DEMO_DIR (default ~/falquinas-demo) unless it exists, and starts falquinas on it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
DEMO=${FALQ_DEMO_DIR:-$HOME/falquinas-demo}
if [ ! -f "$DEMO/aliases.ini" ]; then
  "${BUILD_DIR:-build}/bin/falqsetup" demo "$DEMO"
fi
export VELMORA_ROOT="$DEMO"
exec "${BUILD_DIR:-build}/bin/falquinas" "$@"
