#!/usr/bin/env bash
# Runs every fuzzer of the native build for a bounded time, starting from its seed corpus in
# tests/fuzz/corpus/<name>/. A crash, a sanitizer report or a failed check fails the run.
# FUZZ_SECONDS sets the time per fuzzer (default: about a minute shared among all of them).
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build/native/tests/fuzz
work=build/native/fuzz-work
# The fuzzers are the ones whose sources are in tests/fuzz: an older build folder may still hold
# binaries of fuzzers that are gone.
fuzzers=()
for source in tests/fuzz/fuzz_*.cpp; do
    f="$bin/$(basename "$source" .cpp)"
    if [ ! -x "$f" ]; then
        echo "fuzzer $(basename "$source" .cpp) is not built" >&2
        exit 1
    fi
    fuzzers+=("$f")
done
if [ ${#fuzzers[@]} -eq 0 ]; then
    echo "no fuzzers in tests/fuzz" >&2
    exit 1
fi
per=${FUZZ_SECONDS:-$(( 60 / ${#fuzzers[@]} > 5 ? 60 / ${#fuzzers[@]} : 5 ))}
for f in "${fuzzers[@]}"; do
    name=$(basename "$f"); name=${name#fuzz_}
    corpus="$work/$name"
    mkdir -p "$corpus"
    [ -d "tests/fuzz/corpus/$name" ] && cp -n "tests/fuzz/corpus/$name"/* "$corpus"/ 2>/dev/null || true
    log="$work/$name.log"
    if ! "$f" -max_total_time="$per" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
            -artifact_prefix="$work/$name-" "$corpus" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzzer $name failed; the input is in $work/$name-*" >&2
        exit 1
    fi
    runs=$(grep -oE 'Done [0-9]+ runs' "$log" | grep -oE '[0-9]+' || echo '?')
    echo "fuzz $name: $runs executions in ${per} s, no fault"
done
