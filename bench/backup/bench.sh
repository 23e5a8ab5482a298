#!/usr/bin/env bash
# The archive step of a backup and of a restore of the generated database, next to
# "zip -6 -j" and "unzip" of the same file.
set -euo pipefail
read -r zip zip_piso tamanho tamanho_piso unzip unzip_piso < <("$BUILD/bench/backup/bench_backup" "$DATA/completo.mdb")
echo "BENCH backup.zip: $zip s"
echo "BENCH backup.zip.floor: $zip_piso s"
echo "BENCH backup.size: $tamanho MB"
echo "BENCH backup.size.floor: $tamanho_piso MB"
echo "BENCH restore.unzip: $unzip s"
echo "BENCH restore.unzip.floor: $unzip_piso s"
