#!/usr/bin/env bash
# Installs, with apt-get, whatever the build and the tests need and the machine lacks.
# Safe to run again: it only installs packages that are missing. Recommendations are left
# out, so what they bring that we need is named here (fonts-wine: the Marlett font that
# draws the title-bar buttons of Wine windows).
set -euo pipefail
pkgs=(
  cmake ninja-build g++ clang clang-format libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine wine64 xvfb xauth x11-utils xdotool fonts-ipafont-gothic fonts-wine
  alsa-utils libasound2-plugins sox imagemagick python3
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
