#!/usr/bin/env bash
# Start-up benchmark: builds the x86_64 controller and the benchmark's programs, then runs
# startup_bench.exe under Wine on the tests' private display. It prints, for interleaved runs of
# an empty dialog, the controller's two windows without its logic, the controller in demo mode
# and the controller against the virtual cutter, the median and best time from start to the main window
# and the ratios, then the controller's processor time while its main window stands open.
#
#   bash scripts/bench.sh [runs] [idle seconds] [install folder]
#
# Runs, idle seconds and install folder default to 15, 10 and build/x86_64/dist; a copy of
# another build's install folder (as a Windows path, Z:\...) compares that build.
#
# Timings depend on everything else the machine does: the load average is printed before and
# after. Nothing is judged; the figures are for reading.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-15}"
idle="${2:-10}"

bash scripts/setup.sh
log=build/x86_64.bench-build.log
mkdir -p build
if ! { cmake --preset x86_64 && cmake --build --preset x86_64 --target startup_bench; } >"$log" 2>&1; then
    cat "$log"
    exit 1
fi

session=build/x86_64/wine/wine-session.sh
state=build/x86_64/wine/session
started_session=no
if ! { [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; }; then
    "$session" start
    started_session=yes
fi
if [ "$started_session" = yes ]; then
    trap '"$session" stop' EXIT
fi

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg) ($(nproc) processors)"
build/x86_64/wine/wine-run.sh build/x86_64/tools/bench/startup_bench.exe "$runs" "$idle" ${3:+"$3"}
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
