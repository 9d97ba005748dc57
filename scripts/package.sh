#!/usr/bin/env bash
# Sets up the machine, builds both Windows targets and leaves, per architecture, a zip of the
# install folder and a Windows installer made from it in build/<arch>/packages/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
mkdir -p build
for preset in x86_64 i686; do
    log="build/$preset.package.log"
    if ! { cmake --preset "$preset" && cmake --build --preset "$preset" --target packages; } >"$log" 2>&1; then
        cat "$log"
        echo "packages of $preset failed" >&2
        exit 1
    fi
    ls -1 "$PWD/build/$preset/packages/"*
done
