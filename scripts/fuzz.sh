#!/usr/bin/env bash
# Fuzzes the .cop, .rsm and .sec readers, whole imports into a database in memory and the
# Access (.mdb) reading path with libFuzzer, one target after the other.
# Usage: scripts/fuzz.sh [seconds per target, default 60] [targets, default: cop rsm sec importacao mdb]
# Builds with clang in fuzz-build/; corpora and findings stay in fuzz-build/corpus-*.
set -euo pipefail
cd "$(dirname "$0")/.."
segundos="${1:-60}"
shift || true
alvos=("$@")
[ "${#alvos[@]}" -gt 0 ] || alvos=(cop rsm sec importacao mdb)
./scripts/setup.sh
if ! command -v clang++ >/dev/null 2>&1 || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "install ok"; then
  if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
  "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
  "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends clang libclang-rt-14-dev
fi
CC=clang CXX=clang++ cmake -S . -B fuzz-build -G Ninja -DLUMENO_FUZZ=ON -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build fuzz-build --target "${alvos[@]/#/fuzz_}"

# Seeds: whole files of each format (fuzz/sementes and the demonstration files); for the
# whole import, the same files behind the byte that chooses their format.
for alvo in cop rsm sec importacao; do mkdir -p "fuzz-build/corpus-$alvo"; done
cp fuzz/sementes/cop/* demo/estacao_demo.cop fuzz-build/corpus-cop/
cp fuzz/sementes/rsm/* fuzz-build/corpus-rsm/
cp fuzz/sementes/sec/* demo/secao_demo.sec fuzz-build/corpus-sec/
formato=0
for leitor in cop rsm sec; do
  for f in fuzz-build/corpus-"$leitor"/*; do
    { printf "\\$(printf '%03o' "$formato")"; cat "$f"; } > "fuzz-build/corpus-importacao/$leitor-$(basename "$f")"
  done
  formato=$((formato + 1))
done

for alvo in "${alvos[@]}"; do
  [ "$alvo" = mdb ] && continue
  echo "== $alvo: $segundos s"
  (cd "fuzz-build/corpus-$alvo" && ../fuzz/fuzz_"$alvo" -max_total_time="$segundos" -rss_limit_mb=2048 \
     -timeout=10 -print_final_stats=1 . 2>&1 | tail -n 14)
done

# The Access reader, seeded with the network's sample file. libmdb loops and crashes on
# damaged files (which is why the program reads them in a separate process), so this run
# goes on past each finding and counts them; they are kept in fuzz-build/achados-mdb.
if [[ " ${alvos[*]} " == *" mdb "* ]]; then
  mdb=../shared/fixtures/hidro/hidro_paraiba.mdb
  if [ -f "$mdb" ]; then
    mkdir -p fuzz-build/corpus-mdb fuzz-build/achados-mdb
    cp "$mdb" fuzz-build/corpus-mdb/
    echo "== mdb: $segundos s"
    tempo=(); if [ -x /usr/bin/time ]; then tempo=(/usr/bin/time -v); fi
    (cd fuzz-build/corpus-mdb && "${tempo[@]}" ../fuzz/fuzz_mdb -max_total_time="$segundos" \
       -max_len=3000000 -rss_limit_mb=2048 -timeout=10 -fork=1 -ignore_crashes=1 \
       -ignore_timeouts=1 -ignore_ooms=1 -artifact_prefix=../achados-mdb/ -print_final_stats=1 . \
       2>&1 | grep -E "^#|INFO: fuzzed|crashes|timeouts|ooms|Maximum resident|Elapsed" | tail -n 12)
    echo "achados: $(ls fuzz-build/achados-mdb | wc -l) ($(ls fuzz-build/achados-mdb | cut -d- -f1 | sort | uniq -c | tr '\n' ' '))"
  else
    echo "== mdb: ../shared/fixtures/hidro/hidro_paraiba.mdb ausente, leitor .mdb não testado"
  fi
fi
