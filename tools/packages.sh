# Sourced by the setup and build scripts: installs the Debian packages given
# that are not installed yet (one apt-get run for all of them; sudo when not
# root).
ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing ${missing[*]}"
  local sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The Windows cross-build (tools/build-windows.sh) and its tests under Wine
# (tools/run-windows-tests.sh): the MinGW-w64 compilers with POSIX threads,
# GoogleTest's sources, the header-only libraries, and Wine (python3 starts
# the simulator with a fine timer slack and writes a test pattern).
windows_build_packages=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest nlohmann-json3-dev libcli11-dev)
windows_test_packages=(wine wine64 python3)
