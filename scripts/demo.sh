#!/usr/bin/env bash
# Sets up the machine, builds the x86_64 controller and starts it in demo mode (-DEMO) under
# Wine. With a display it runs there until you close it. Without one it runs inside a Wine
# virtual desktop on a private Xvfb display, saves a screenshot, prints its path and ends.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
log=build/x86_64.build.log
mkdir -p build
if ! { cmake --preset x86_64 && cmake --build --preset x86_64 --target QMACTL; } >"$log" 2>&1; then
    cat "$log"; exit 1
fi

export WINEPREFIX="$PWD/build/x86_64/wine/demo-prefix"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=d"
dist="$PWD/build/x86_64/dist"

if [ -n "${DISPLAY:-}" ]; then
    cd "$dist"
    exec wine QMACTL.EXE -DEMO "$@"
fi

n=71
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
trap 'wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done

wineboot --init >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f >/dev/null 2>&1
# The caption buttons are drawn with Marlett, which Wine finds only in the prefix's own fonts.
cp -n /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
(cd "$dist" && wine explorer /desktop=demo,1024x768 QMACTL.EXE -DEMO "$@" >/dev/null 2>&1 &)
# The desktop shows the controller a moment after Wine has started; give it time to settle.
sleep 6
shot="$PWD/build/x86_64/screenshots/demo.png"
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
echo "the controller runs in demo mode; screenshot: $shot"
