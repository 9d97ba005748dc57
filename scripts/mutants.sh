#!/usr/bin/env bash
# Measures what the tests catch: plants the small faults of scripts/mutants.txt into the program's
# code one at a time, rebuilds what changed, runs the tests that cover the fault, puts the file
# back and prints the faults that survived and the share caught. A developer tool, slow by nature
# (a rebuild per fault); not part of the test command.
#
#   bash scripts/mutants.sh            every fault of the list
#   bash scripts/mutants.sh device/    only faults in files whose path contains "device/"
#   MUTANTS_DRY=1 bash scripts/mutants.sh   only checks that every fault can be planted
#
# The list names each fault by file (under src/; found by its name if it moved) and by the exact
# text to replace, which must occur once. A fault whose text is no longer there is reported as
# not applied, not as caught. Tests: "core" runs the native core tests (with MUTANTS_FUZZ=1 also
# every fuzzer over its seed corpus, which costs a link of each); "unit:FILTER" and "e2e:FILTER"
# run those Wine test programs with a GoogleTest filter.
set -uo pipefail
cd "$(dirname "$0")/.."
list=${MUTANTS_LIST:-scripts/mutants.txt}
only=${1:-}
work=build/mutants
mkdir -p "$work"
shopt -u patsub_replacement 2>/dev/null || true
: "${CMAKE_CXX_COMPILER_LAUNCHER:=ccache}" "${CMAKE_C_COMPILER_LAUNCHER:=ccache}"
export CMAKE_CXX_COMPILER_LAUNCHER CMAKE_C_COMPILER_LAUNCHER

planted_file=""
wine_up=0
finish() {
    [ -n "$planted_file" ] && cp "$work/original" "$planted_file"
    [ "$wine_up" = 1 ] && build/x86_64/wine/wine-session.sh stop
}
trap finish EXIT
trap 'exit 130' INT TERM

configured=""
build() {  # preset targets...
    local preset=$1; shift
    case " $configured " in *" $preset "*) ;; *)
        cmake --preset "$preset" >"$work/configure-$preset.log" 2>&1 || return 1
        configured="$configured $preset" ;;
    esac
    cmake --build --preset "$preset" -j "$(nproc)" --target "$@" >"$work/build.log" 2>&1
}

fuzzers=()
if [ "${MUTANTS_FUZZ:-0}" = 1 ]; then
    mapfile -t fuzzers < <(cd tests/fuzz && ls fuzz_*.cpp 2>/dev/null | sed 's/\.cpp$//')
fi
run_core() {
    build native core_tests ${fuzzers[@]+"${fuzzers[@]}"} || return 2
    timeout 300 build/native/tests/core/core_tests --gtest_brief=1 >"$work/test.log" 2>&1 || return 1
    local f name
    for f in ${fuzzers[@]+"${fuzzers[@]}"}; do
        name=${f#fuzz_}
        [ -d "tests/fuzz/corpus/$name" ] || continue
        timeout 120 "build/native/tests/fuzz/$f" -rss_limit_mb=2048 "tests/fuzz/corpus/$name"/* \
            >>"$work/test.log" 2>&1 || return 1
    done
}

run_wine() {  # program filter
    local program=$1 filter=$2 dir
    dir=build/x86_64/tests/$program
    if [ "$wine_up" = 0 ]; then
        build/x86_64/wine/wine-session.sh start >"$work/wine.log" 2>&1 || return 2
        wine_up=1
    fi
    (cd "$dir" && timeout 900 ../../wine/wine-run.sh "./${program}_tests.exe" --gtest_brief=1 \
        "--gtest_filter=$filter") >>"$work/test.log" 2>&1
}

run_tests() {  # test words: core | unit:FILTER | e2e:FILTER
    local word wine_targets=()
    : >"$work/test.log"
    for word in $1; do
        case $word in unit:*) wine_targets+=(unit_tests) ;; e2e:*) wine_targets+=(e2e_tests) ;; esac
    done
    if [ ${#wine_targets[@]} -gt 0 ]; then
        build x86_64 "${wine_targets[@]}" || return 2
    fi
    for word in $1; do
        case $word in
        core) run_core || return $? ;;
        unit:* | e2e:*) run_wine "${word%%:*}" "${word#*:}" || return $? ;;
        *) echo "unknown tests '$word'" >&2; return 2 ;;
        esac
    done
}

locate() {  # path under src/ -> the file now, wherever it moved
    if [ -f "src/$1" ]; then echo "src/$1"; return; fi
    find src -name "$(basename "$1")" -type f | head -n 1
}

total=0 caught=0 survived=0 skipped=0
survivors=() skips=()
section_file="" section_tests=""
while IFS= read -r line || [ -n "$line" ]; do
    line=${line#"${line%%[![:space:]]*}"}
    case $line in
    '' | '#'*) continue ;;
    '['*']'*)
        section_file=${line#[}; section_file=${section_file%%]*}
        section_tests=${line#*] }
        continue ;;
    esac
    from=${line%% ==> *}
    rest=${line#* ==> }
    to=${rest%% ## *}
    tests=$section_tests
    [ "$rest" != "$to" ] && tests=${rest#* ## }
    [ -n "$only" ] && [[ $section_file != *"$only"* ]] && continue
    total=$((total + 1))
    label="$section_file: $from ==> $to"

    file=$(locate "$section_file")
    if [ -z "$file" ]; then
        skipped=$((skipped + 1)); skips+=("not applied (no such file): $label"); continue
    fi
    content=$(cat "$file"; printf x); content=${content%x}
    without=${content//"$from"/}
    occurrences=$(( (${#content} - ${#without}) / ${#from} ))
    if [ "$occurrences" -ne 1 ]; then
        skipped=$((skipped + 1)); skips+=("not applied ($occurrences times in $file): $label"); continue
    fi
    if [ -n "${MUTANTS_DRY:-}" ]; then
        continue
    fi
    cp "$file" "$work/original"
    planted_file=$file
    printf '%s' "${content/"$from"/"$to"}" >"$file"
    start=$SECONDS
    run_tests "$tests"
    status=$?
    cp "$work/original" "$file"
    planted_file=""
    case $status in
    0) verdict=SURVIVED; survived=$((survived + 1)); survivors+=("$label  [$tests]") ;;
    2) verdict="did not build"; skipped=$((skipped + 1)); skips+=("not applied (does not build): $label")
       cp "$work/build.log" "$work/unbuildable-$total.log" ;;
    *) verdict=caught; caught=$((caught + 1)) ;;
    esac
    printf '%3d %-14s %4ss  %s\n' "$total" "$verdict" $((SECONDS - start)) "$label"
done <"$list"

echo
echo "Survivors:"
for s in "${survivors[@]+"${survivors[@]}"}"; do echo "  $s"; done
for s in "${skips[@]+"${skips[@]}"}"; do echo "  $s"; done
applied=$((caught + survived))
[ -n "${MUTANTS_DRY:-}" ] && echo "$total faults, $skipped of them not applied."
if [ "$applied" -gt 0 ]; then
    echo "Caught $caught of $applied planted faults ($((100 * caught / applied)) %); $skipped of $total not applied."
fi
