#!/usr/bin/env bash
# Installs what building and testing Korrelin needs on Debian or Ubuntu, and only
# what is missing: a second run costs a dpkg query and nothing else.
set -euo pipefail

packages=(
    cmake make g++ libgtest-dev libgmock-dev googletest
    g++-mingw-w64-i686 g++-mingw-w64-x86-64
    wine wine64 wine32:i386
    xvfb x11-utils imagemagick fonts-wine fonts-wqy-microhei
    clang libclang-rt-14-dev zip
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo[@]}" dpkg --add-architecture i386
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
