#!/usr/bin/env bash
# Installs the Debian 12 packages Quorvel needs to build, run and test,
# skipping those already there. Uses sudo only when not root.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6xml6 libqt6sql6-sqlite
  qt6-webengine-dev
  php-cli php-gd php-mbstring php-sqlite3
  clang libclang-rt-14-dev clang-format
  libcurl4-openssl-dev python3-pyftpdlib python3-openssl openssl
  desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# npm brings axe-core, the accessibility checker the browser tests run in
# the page (tests/support/fetch-axe.sh); any npm on the PATH will do.
command -v npm >/dev/null || missing+=(npm)
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
