#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and CI's checks need, plus any named as
# arguments; does nothing when all are present.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qtbase5-dev libqt5sql5-sqlite libsqlite3-dev libqt5serialport5-dev qttools5-dev qttools5-dev-tools
  libqwt-qt5-dev libqt5svg5-dev libqt5opengl5-dev libudev-dev libarchive-dev
  7zip libarchive-tools fonts-dejavu-core sqlite3 qttranslations5-l10n
  # CI's format check and fuzz targets (libFuzzer and the sanitizer runtimes are in libclang-rt)
  clang-format-14 clang-14 libclang-rt-14-dev
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
