#!/usr/bin/env bash
# Installs what is missing, builds, creates a demo installation (embedded SQLite, no server)
# in $FALQ_DEMO_DIR (default ~/falquinas-demo) unless it exists, and starts falquinas on it
# (or the administration utility: scripts/demo.sh falqadmin).
set -euo pipefail
cd "$(dirname "$0")/.."
PROGRAM=falquinas
if [ "${1:-}" = falqadmin ]; then
  PROGRAM=falqadmin
  shift
fi
bash scripts/deps.sh
bash scripts/build.sh
DEMO=${FALQ_DEMO_DIR:-$HOME/falquinas-demo}
if [ ! -f "$DEMO/aliases.ini" ]; then
  "${BUILD_DIR:-build}/bin/falqsetup" demo "$DEMO"
fi
export VELMORA_ROOT="$DEMO"
exec "${BUILD_DIR:-build}/bin/$PROGRAM" "$@"
