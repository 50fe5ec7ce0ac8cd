#!/usr/bin/env bash
# Fuzzes the .cop, .rsm and .sec readers and whole imports into a database in memory with
# libFuzzer, one target after the other.
# Usage: scripts/fuzz.sh [seconds per target, default 60] [targets, default: cop rsm sec importacao]
# Builds with clang in fuzz-build/; corpora and findings stay in fuzz-build/corpus-*.
set -euo pipefail
cd "$(dirname "$0")/.."
segundos="${1:-60}"
shift || true
alvos=("$@")
[ "${#alvos[@]}" -gt 0 ] || alvos=(cop rsm sec importacao)
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
  echo "== $alvo: $segundos s"
  (cd "fuzz-build/corpus-$alvo" && ../fuzz/fuzz_"$alvo" -max_total_time="$segundos" -rss_limit_mb=2048 \
     -timeout=10 -print_final_stats=1 . 2>&1 | tail -n 14)
done
