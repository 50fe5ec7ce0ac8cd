#!/usr/bin/env bash
# Fuzzes the .cop, .rsm and .sec readers and the Access (.mdb) reading path with
# libFuzzer, one after the other.
# Usage: scripts/fuzz.sh [seconds per reader, default 60]
# Builds with clang in fuzz-build/; corpora and findings stay in fuzz-build/corpus-*.
set -euo pipefail
cd "$(dirname "$0")/.."
segundos="${1:-60}"
./scripts/setup.sh
if ! command -v clang++ >/dev/null 2>&1 || ! dpkg-query -W -f='${Status}' libclang-rt-14-dev 2>/dev/null | grep -q "install ok"; then
  if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
  "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
  "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends clang libclang-rt-14-dev
fi
CC=clang CXX=clang++ cmake -S . -B fuzz-build -G Ninja -DLUMENO_FUZZ=ON -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build fuzz-build --target fuzz_cop fuzz_rsm fuzz_sec fuzz_mdb

# Seeds: the demonstration files and small hand-made records.
for leitor in cop rsm sec; do mkdir -p "fuzz-build/corpus-$leitor"; done
cp demo/estacao_demo.cop fuzz-build/corpus-cop/
printf '1\r\n05/03/98 1 150 10 1 2\r\n' > fuzz-build/corpus-cop/curto.cop
cp demo/secao_demo.sec fuzz-build/corpus-sec/
printf '0\n1 2\n3 4\n' > fuzz-build/corpus-sec/curto.sec
printf '\0\0041234\0\0\0\0\001\0\0\0\0\0\0\0\0\0\005\0\003\0\142\0\0\0\210\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0' \
  > fuzz-build/corpus-rsm/registro.rsm

for leitor in cop rsm sec; do
  echo "== .$leitor: $segundos s"
  (cd "fuzz-build/corpus-$leitor" && ../fuzz/fuzz_"$leitor" -max_total_time="$segundos" -rss_limit_mb=1024 \
     -timeout=5 -print_final_stats=1 . 2>&1 | tail -n 12)
done

# The Access reader, seeded with the network's sample file. libmdb loops and crashes on
# damaged files (which is why the program reads them in a separate process), so this run
# goes on past each finding and counts them; they are kept in fuzz-build/achados-mdb.
mdb=../shared/fixtures/hidro/hidro_paraiba.mdb
if [ -f "$mdb" ]; then
  mkdir -p fuzz-build/corpus-mdb fuzz-build/achados-mdb
  cp "$mdb" fuzz-build/corpus-mdb/
  echo "== .mdb: $segundos s"
  tempo=(); if [ -x /usr/bin/time ]; then tempo=(/usr/bin/time -v); fi
  (cd fuzz-build/corpus-mdb && "${tempo[@]}" ../fuzz/fuzz_mdb -max_total_time="$segundos" \
     -max_len=3000000 -rss_limit_mb=2048 -timeout=10 -fork=1 -ignore_crashes=1 \
     -ignore_timeouts=1 -ignore_ooms=1 -artifact_prefix=../achados-mdb/ -print_final_stats=1 . \
     2>&1 | grep -E "^#|INFO: fuzzed|crashes|timeouts|ooms|Maximum resident|Elapsed" | tail -n 12)
  echo "achados: $(ls fuzz-build/achados-mdb | wc -l) ($(ls fuzz-build/achados-mdb | cut -d- -f1 | sort | uniq -c | tr '\n' ' '))"
else
  echo "== .mdb: ../shared/fixtures/hidro/hidro_paraiba.mdb ausente, leitor .mdb não testado"
fi
