#!/usr/bin/env bash
# Installs every Debian package that Lumeno needs to build, test and run.
# Idempotent: packages already present are left alone. Runs as root or through sudo.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-svg-dev libqt6sql6-sqlite libqt6svg6 qt6-qpa-plugins qt6-translations-l10n
  libqcustomplot-dev libqcustomplot2.1-qt6
  mdbtools mdbtools-dev libglib2.0-dev libminizip-dev
  libgsf-1-dev libxlsxwriter-dev
  libbenchmark-dev
  python3 python3-xlrd gnumeric
  fonts-liberation fonts-dejavu-core
  xvfb xauth
)

if [ "$(id -u)" -eq 0 ]; then
  SUDO=()
else
  if ! command -v sudo >/dev/null 2>&1; then
    echo "setup: precisa ser executado como root ou com sudo disponível" >&2
    exit 1
  fi
  SUDO=(sudo)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "setup: todos os pacotes já estão instalados"
  exit 0
fi

echo "setup: instalando ${missing[*]}"
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
"${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
