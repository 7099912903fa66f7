#!/usr/bin/env bash
# Sets everything up and runs all tests (benchmarks excluded: ctest -L bench).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
"$here/tools/setup.sh" "$build"
cd "$build"
# Six cases at a time on two cores: most of a case's time is spent waiting
# on the serial link's pauses and time-outs, not computing (at three at a
# time the cores were busy about half of the run).
QT_QPA_PLATFORM=offscreen ctest -LE bench --output-on-failure -j6 "$@"
