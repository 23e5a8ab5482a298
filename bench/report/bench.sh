#!/usr/bin/env bash
# The people listing of the generated database (100,000 people) rendered to PDF, next to a bare
# QPainter loop writing as many table pages; and the time from "Visualizar" to the first page.
set -euo pipefail
: "${BUILD:?BUILD must name a Release build tree}"
: "${DATA:?DATA must name the folder of generated databases}"
cmake --build "$BUILD" --target bench_report -j2 >/dev/null
QT_QPA_PLATFORM=offscreen "$BUILD/bench/report/bench_report" "$DATA/completo.mdb" "$BUILD/Talonix/relatorio"
