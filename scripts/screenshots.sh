#!/usr/bin/env bash
# Pictures of the windows for the documentation, made again whenever a window changes: a fresh
# demo installation, the register under a virtual display (xvfb-run), each window opened and
# saved into docs/images/ (the location window after a batch of scanned tools was put away, the
# station after scanned labels, the administration utility, a page of each label format).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
BIN=${BUILD_DIR:-build}/bin
OUT=docs/images
DEMO=$(mktemp -d /tmp/falqshots.XXXXXX)
trap 'rm -rf "$DEMO"' EXIT
"$BIN/falqsetup" demo "$DEMO" >/dev/null
mkdir -p "$OUT"
export VELMORA_ROOT="$DEMO" XDG_RUNTIME_DIR="$DEMO/xdg"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
db="$DEMO/dados/falquinas.db"
# Tools the demo has put away (and a drawing at a machine), for the scanned readings.
stored=$(sqlite3 "$db" "SELECT 'CL:' || NRO FROM LOCALIZACAO WHERE TIPOREG = 'CL' AND ESTADO = 'A' ORDER BY NRO LIMIT 3" | paste -sd';')
drawing=$(sqlite3 "$db" "SELECT 'DS:' || NRO FROM LOCALIZACAO WHERE TIPOREG = 'DS' AND ESTADO = 'A' ORDER BY NRO LIMIT 1")
valid=$(sqlite3 "$db" "SELECT C.CLICHENRO FROM CLICHES C JOIN LOCALIZACAO L ON L.TIPOREG = 'CL' AND L.NRO = C.CLICHENRO WHERE C.UTILIZA = 'S' AND L.ESTADO = 'A' ORDER BY 1 LIMIT 1")
atMachine=$(sqlite3 "$db" "SELECT D.DESENHONRO FROM DESENHOS D JOIN LOCALIZACAO L ON L.TIPOREG = 'DS' AND L.NRO = D.DESENHONRO WHERE D.UTILIZA = 'S' AND L.ESTADO = 'M' ORDER BY 1 LIMIT 1")
xvfb-run -a -s "-screen 0 1400x1000x24" "$BIN/falqshots" "$OUT" MENU DASHBOARD LABELS \
  TAB000 TAB001 TAB002 TAB003 TAB004 TAB005 TAB006 \
  CLICHE001 CLICHE002 CLICHE003 CLICHE004 DESENHO001 DESENHO002 DESENHO003 DESENHO004 \
  MOVIM001 MOVIM002 MOVIM003 MOVIM004 \
  "MOVIM005@Edit_Leitura=$stored;$drawing;L:A-01-03@BotForaArmazem" \
  "MOVIM006@Edit_Leitura=$stored;L:A-01-01;L:B-02-04"
QT_QPA_PLATFORM=offscreen "$BIN/falqshots" "$OUT" STATION "CL:$valid" "DS:$atMachine"
QT_QPA_PLATFORM=offscreen "$BIN/falqshots" "$OUT" ADMIN
rm -f "$OUT"/*.pdf
echo "Pictures in $OUT"
