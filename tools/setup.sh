#!/usr/bin/env bash
# Installs the Debian packages the project needs (when missing), configures
# and builds everything with two jobs. Usage: tools/setup.sh [BUILD_DIR [CMAKE_ARGS...]]
# (extra CMake arguments come last, so they override the defaults below).
# ORV_PRESET names the configure preset of CMakePresets.json (default: plain);
# ORV_WERROR=ON makes every warning an error (CI sets it); ORV_BUILD_TARGETS
# builds only the targets named (e.g. "orv-radiosim orvedit-cli").
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
shift $(( $# > 0 ? 1 : 0 ))

pkgs=(cmake g++ ninja-build pkg-config qt6-base-dev libqt6sql6-sqlite libgl-dev
      libgtest-dev libgmock-dev nlohmann-json3-dev libcli11-dev libserialport-dev
      xvfb xauth imagemagick xdotool fonts-liberation x11-utils poppler-utils)
# The icon's PNG sizes are made from its SVG; tools/check-install.sh validates
# the desktop entry and the metainfo.
pkgs+=(librsvg2-bin desktop-file-utils appstream)
# The editor's translations: lupdate and lrelease, and their CMake functions.
pkgs+=(qt6-l10n-tools qt6-tools-dev)
# The manual pages are made from --help; cpack -G DEB finds the package's
# library dependencies with dpkg-shlibdeps.
pkgs+=(help2man dpkg-dev)
# tools/screenshots.sh shows the editor under a window manager.
pkgs+=(openbox)
# shellcheck source=tools/packages.sh
. "$here/tools/packages.sh"
ensure_packages "${pkgs[@]}"

preset=${ORV_PRESET:-plain}
werror=${ORV_WERROR:-OFF}
# A compiler cache, when the machine has one, makes rebuilds of other work
# trees and build folders cheap; the build does not need it.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake --preset "$preset" -S "$here" -B "$build" -DORV_WERROR="$werror" "${launcher[@]}" "$@"
targets=()
for t in ${ORV_BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" -j2 "${targets[@]}"
