#!/usr/bin/env bash
# Builds the radio jobs' tests with ThreadSanitizer (preset "tsan", folder
# build-tsan) and runs them: the editor's transfer, alignment, radio, verify
# and progress-dialog tests (a job on a worker thread, its questions and
# progress through the window queue, its result committed on the window
# thread) and the command-line tool's fleet tests (one worker thread per
# radio; the tool itself is built with the sanitizer too). Any report of a
# data race, a lock-order inversion or a thread leak fails the run.
# Usage: tools/run-tsan-tests.sh [CTEST_ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TSAN_BUILD_DIR:-$here/build-tsan}

# A report ends the program with exit code 66, which fails its test. Qt is
# not built with the sanitizer: the suppressions name the few reports inside
# Qt's own libraries that it cannot see the synchronisation of.
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:exitcode=66:second_deadlock_stack=1:suppressions=$here/tools/tsan.supp}

tests=(app_radio app_transfer_safety app_align app_verify app_proc cli_fleet)
ORV_PRESET=tsan ORV_BUILD_TARGETS="${tests[*]} orvedit-cli orv-radiosim" "$here/tools/setup.sh" "$build" -DORV_WERROR=OFF

cd "$build"
pattern="^($(IFS='|'; echo "${tests[*]}"))\\."
QT_QPA_PLATFORM=offscreen ctest -R "$pattern" --output-on-failure -j2 "$@"
