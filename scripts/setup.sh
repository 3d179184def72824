#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine. Safe to run again.
# (The last line is what scripts/windows_libs.sh builds cairo and SQLite for Windows with.)
set -euo pipefail

packages=(cmake g++ make libgtest-dev libcli11-dev nlohmann-json3-dev clang-format clang libclang-rt-14-dev
          python3 mingw-w64 wine wine64 fonts-wine fonts-liberation xvfb imagemagick x11-utils
          librsvg2-bin procps util-linux
          pkg-config libcairo2-dev libfontconfig-dev fonts-dejavu-core poppler-utils tzdata
          help2man man-db dpkg-dev bash-completion file lintian python3-jsonschema
          libsqlite3-dev sqlite3 libssl-dev libpq-dev postgresql-15 libpoppler-cpp-dev
          libz-mingw-w64-dev tcl meson ninja-build patch patchutils xz-utils)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
