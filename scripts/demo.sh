#!/usr/bin/env bash
# Sets up the machine, builds the x86_64 install folder and starts the controller in demo mode
# (-DEMO) under Wine. With a display it runs there until you close it, and the script ends with
# its exit code. Without one it runs inside a Wine virtual desktop on a private Xvfb display; the
# script checks that the main window came up, saves a screenshot, prints its path and ends. When
# the main window does not come, it prints what the screen showed instead and fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
log=build/x86_64.build.log
mkdir -p build
if ! { cmake --preset x86_64 && cmake --build --preset x86_64 --target dist start_check; } >"$log" 2>&1; then
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
# start_check looks at the controller's desktop from inside (a second program on the same
# desktop) and reports what it found.
report="$PWD/build/x86_64/screenshots/demo-start.txt"
shot="$PWD/build/x86_64/screenshots/demo.png"
mkdir -p "$(dirname "$shot")"
rm -f "$report"
wine explorer /desktop=demo,1024x768 "$PWD/build/x86_64/sim/start_check.exe" "$(winepath -w "$report")" 120 \
    >/dev/null 2>&1 || true
for _ in $(seq 1500); do [ -s "$report" ] && break; sleep 0.1; done
# Let the window finish drawing before the picture is taken.
sleep 1
import -window root "$shot"
if ! grep -q '^main window' "$report" 2>/dev/null; then
    echo "the controller did not reach its main window in demo mode; screenshot: $shot" >&2
    cat "$report" >&2 2>/dev/null || echo "  (nothing was reported)" >&2
    exit 1
fi
echo "the controller runs in demo mode ($(sed 's/^main window: //' "$report")); screenshot: $shot"
