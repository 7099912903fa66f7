#!/usr/bin/env bash
# Cross-builds orvedit-cli.exe and the core's unit tests for 64-bit Windows
# into build-win/ (preset "windows": MinGW-w64, no Qt, statically linked so
# no DLL is needed). Installs the compilers and GoogleTest's sources when
# missing. ORV_WERROR=ON makes every warning an error.
# Usage: tools/build-windows.sh [CMAKE_ARGS...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/packages.sh
. "$here/tools/packages.sh"
ensure_packages "${windows_build_packages[@]}"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cd "$here"
cmake --preset windows -DORV_WERROR="${ORV_WERROR:-OFF}" "${launcher[@]}" "$@"
nice -n 10 cmake --build build-win -j2
ls -l build-win/bin/orvedit-cli.exe
