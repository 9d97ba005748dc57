#!/usr/bin/env bash
# Installs, from Debian packages only, everything that building and testing the controller need.
# Idempotent: when every package is already there it returns at once without touching apt.
set -euo pipefail

packages=(
  cmake ninja-build
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-x86-64-dev mingw-w64-i686-dev
  fonts-wine wine wine64 libwine
  xvfb xauth xdotool x11-apps imagemagick fonts-dejavu-core
  googletest
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
echo "setup: done"
