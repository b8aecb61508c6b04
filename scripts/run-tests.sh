#!/usr/bin/env bash
# Builds and runs every test suite of Spirex, then prints one line with the totals.
#   build/      GCC, the program and all its tests
#   build-san/  Clang with AddressSanitizer and UndefinedBehaviorSanitizer: the unit and widget
#               tests, and a short libFuzzer run
#   build-win/  mingw-w64 cross-build of the Qt-free code and its tests, with the Windows layer
#               and the version record, run under Wine
#   build-windows/  the real Windows program, its zip and installer, played under Wine (when Qt for
#               Windows is cached; make windows builds it once)
#   and the release's files built twice and compared (the Windows ones where Qt is cached)
# Warnings are errors when CI is set.
set -uo pipefail
cd "$(dirname "$0")/.."

werror=OFF
[[ -n ${CI:-} ]] && werror=ON
jobs=$(nproc)

passed=0
failed=0
status=0

# run_suite NAME BUILD_DIR CMAKE_ARGS...
run_suite() {
    local name=$1 dir=$2
    shift 2
    echo "=== $name: configure and build ($dir)"
    if ! cmake -S . -B "$dir" -G Ninja -DSPIREX_WARNINGS_AS_ERRORS="$werror" "$@" >/dev/null ||
        ! cmake --build "$dir" -j "$jobs"; then
        echo "=== $name: BUILD FAILED"
        failed=$((failed + 1))
        status=1
        return
    fi
    echo "=== $name: tests"
    local log
    log=$(mktemp)
    ctest --test-dir "$dir" --output-on-failure -j "$jobs" | tee "$log"
    local rc=${PIPESTATUS[0]}
    local summary
    summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -1)
    rm -f "$log"
    if [[ -z $summary ]]; then
        echo "=== $name: ctest printed no summary"
        failed=$((failed + 1))
        status=1
        return
    fi
    local nfailed total
    nfailed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$summary")
    total=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/' <<<"$summary")
    passed=$((passed + total - nfailed))
    failed=$((failed + nfailed))
    ((rc != 0)) && status=1
}

run_suite "main build" build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPIREX_BUILD_TESTS=ON
run_suite "sanitizers and fuzzing" build-san -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_COMPILER=clang++ -DSPIREX_SANITIZE=ON -DSPIREX_FUZZ=ON

run_suite "windows cross-build under wine" build-win -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_EXE_LINKER_FLAGS=-static \
    -DSPIREX_BUILD_GUI=OFF

# The real Windows program, when Qt for Windows has been built into the cache (make windows).
if [[ -f $(bash scripts/windows-qt.sh --prefix)/spirex-stamp ]]; then
    echo "=== windows program under wine: build, pack and play"
    if make --no-print-directory windows >/dev/null &&
        cmake --build build-windows --target spirex_typical_use spirex_gui_tests >/dev/null &&
        bash scripts/windows-test.sh; then
        passed=$((passed + 1))
    else
        echo "=== windows program under wine: FAILED"
        failed=$((failed + 1))
        status=1
    fi
else
    echo "=== windows program under wine: skipped, Qt for Windows is not cached (make windows builds it)"
fi

# The release's files, built twice in two folders, the same to the byte.
echo "=== reproducible release: built twice and compared"
if bash scripts/check-reproducible.sh; then
    passed=$((passed + 1))
else
    echo "=== reproducible release: FAILED"
    failed=$((failed + 1))
    status=1
fi

echo
echo "all suites: $passed passed, $failed failed"
exit $status
