#!/usr/bin/env bash
# Installs what is missing, builds, starts a throwaway PostgreSQL cluster and runs every test
# on SQLite and on PostgreSQL; the cluster is stopped at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
bash scripts/deps.sh
export CMAKE_ARGS="${CMAKE_ARGS:-} -DFALQ_WERROR=ON"
bash scripts/build.sh
eval "$(bash scripts/pgcluster.sh start)"
trap 'bash "$ROOT/scripts/pgcluster.sh" stop "$FALQ_PG_DIR"' EXIT
export XDG_RUNTIME_DIR=$(mktemp -d /tmp/falqxdg.XXXXXX)
export QT_QPA_PLATFORM=offscreen
cd "${BUILD_DIR:-build}"
ctest --output-on-failure -j 2 "$@"
# The Debian package, checked and run unpacked (only with the whole test run).
if [ $# -eq 0 ]; then
  cd "$ROOT"
  bash scripts/package-test.sh
fi
