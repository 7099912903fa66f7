#!/usr/bin/env bash
# Cross-builds the programs for 64-bit Windows with MinGW-w64:
#  1. build-win/ (preset "windows"): orvedit-cli.exe and the core's unit
#     tests, no Qt, statically linked so no DLL is needed;
#  2. build-win-gui/ (preset "windows-gui"): orvedit.exe (and an
#     orvedit-cli.exe with report --pdf) against the Qt of
#     tools/build-qt-windows.sh, which is built first when its cache lacks it
#     (with its stamp present that is a no-op); the editor's tests; bin/ runs
#     as it is (the DLLs and plugins are copied beside the programs);
#     ORVEDIT/ is the installed folder (cmake --install), and CPack makes the
#     installer orvedit-<version>-win64.exe (NSIS) and a zip of that folder.
# Installs the compilers, GoogleTest's sources, NSIS and the rest when
# missing. ORV_WERROR=ON makes every warning an error; ORV_WINDOWS_GUI=OFF
# builds only the first.
# Usage: tools/build-windows.sh [CMAKE_ARGS...]   (given to both configure steps)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/packages.sh
. "$here/tools/packages.sh"
gui=${ORV_WINDOWS_GUI:-ON}
pkgs=("${windows_build_packages[@]}")
[ "$gui" = ON ] && pkgs+=("${windows_gui_packages[@]}")
ensure_packages "${pkgs[@]}"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cd "$here"
started=$SECONDS
elapsed() { echo "$(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s"; }

cmake --preset windows -DORV_WERROR="${ORV_WERROR:-OFF}" "${launcher[@]}" "$@"
nice -n 10 cmake --build build-win -j2
ls -l build-win/bin/orvedit-cli.exe
echo "== build-windows: the Qt-free programs and tests built ($(elapsed))"
[ "$gui" = ON ] || exit 0

bash tools/build-qt-windows.sh
ORV_QT_WINDOWS_DIR=$(bash tools/build-qt-windows.sh --print-prefix)
export ORV_QT_WINDOWS_DIR   # the preset's toolchain file lies in it
echo "== build-windows: Qt ready ($(elapsed))"
gui_started=$SECONDS
cmake --preset windows-gui -DORV_WERROR="${ORV_WERROR:-OFF}" "${launcher[@]}" "$@"
nice -n 10 cmake --build build-win-gui -j2
echo "== build-windows: the editor and its tests built in $((SECONDS - gui_started)) s"

# The folder as installed, then the installer and the zip of the same tree.
rm -rf build-win-gui/ORVEDIT
cmake --install build-win-gui --prefix build-win-gui/ORVEDIT --strip >/dev/null
rm -f build-win-gui/orvedit-*-win64.exe build-win-gui/orvedit-*-win64.zip
(cd build-win-gui && cpack >/dev/null) ||
  { tail -n 30 build-win-gui/_CPack_Packages/win64/NSIS/NSISOutput.log 2>/dev/null; exit 1; }
ls -l build-win-gui/bin/orvedit.exe build-win-gui/orvedit-*-win64.exe build-win-gui/orvedit-*-win64.zip
echo "== build-windows: folder build-win-gui/ORVEDIT ($(du -sh build-win-gui/ORVEDIT | cut -f1)), installer and zip ($(elapsed) in all)"
