#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in a
# separate folder (build-asan), runs the whole test suite there, then runs each
# fuzz target for a fixed number of inputs (tools/run-fuzzers.sh).
# Usage: tools/run-sanitized-tests.sh [CTEST_ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${ASAN_BUILD_DIR:-$here/build-asan}

# Sanitizer findings end the program with an error; leaks are reported at
# exit. The build itself runs a sanitized tool (the working databases), so the
# options hold for the build as well.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1:check_initialization_order=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/tools/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# The flags are the "sanitize" preset's (CMakePresets.json). Warnings are the
# plain build's business (an optimising sanitizer build reports some that are
# not real); the plain CI build keeps -Werror.
ORV_PRESET=sanitize "$here/tools/setup.sh" "$build" -DORV_WERROR=OFF

cd "$build"
QT_QPA_PLATFORM=offscreen ctest -LE bench --output-on-failure -j2 "$@"

FUZZ_BUILD_DIR=${FUZZ_BUILD_DIR:-$here/build-fuzz} bash "$here/tools/run-fuzzers.sh"
