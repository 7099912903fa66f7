#!/usr/bin/env bash
# Checks the Debian package: makes it with `cpack -G DEB` from a built build
# folder, checks its name and that its dependencies name the Qt libraries,
# installs it with apt-get, runs the installed orvedit-cli --version and
# starts /usr/bin/orvedit on a virtual X screen: its main window must appear
# and the editor must still be running a few seconds later. The package is
# removed again at the end, whatever happened. Needs root (it installs what
# it uses when missing).
# Usage: tools/check-package.sh [BUILD_DIR]   (default: $BUILD_DIR, else build/)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-${BUILD_DIR:-$here/build}}" && pwd)
fail() { echo "check-package: $*" >&2; exit 1; }
[ "$(id -u)" = 0 ] || fail "run as root (the package is installed with apt-get)"

need=()
for p in dpkg-dev xvfb xauth x11-utils; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

tmp=$(mktemp -d)
installed=0
editor=
cleanup() {
  if [ -n "$editor" ] && kill -0 "$editor" 2>/dev/null; then kill -KILL "$editor" 2>/dev/null || true; fi
  if [ "$installed" = 1 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq orvedit > "$tmp/remove.log" 2>&1 ||
      { cat "$tmp/remove.log" >&2; echo "check-package: could not remove the package" >&2; }
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT

version=$("$build/bin/orvedit-cli" --version | awk '{print $2}')
arch=$(dpkg --print-architecture)
(cd "$build" && cpack -G DEB -B "$tmp/pkg" > "$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log" >&2; fail "cpack -G DEB failed"; }
deb=$tmp/pkg/orvedit_${version}_${arch}.deb
[ -s "$deb" ] || { ls "$tmp/pkg" >&2; fail "no orvedit_${version}_${arch}.deb"; }
depends=$(dpkg-deb -f "$deb" Depends)
grep -q libqt6widgets6 <<< "$depends" || fail "the package's dependencies do not name the Qt libraries: $depends"
dpkg-deb -c "$deb" > "$tmp/contents.txt"
for f in ./usr/bin/orvedit ./usr/bin/orvedit-cli ./usr/bin/orv-radiosim ./usr/share/orvedit/OrvCurrent.mdb \
         ./usr/share/applications/org.orvedit.ORVEDIT.desktop ./usr/share/man/man1/orvedit-cli.1 \
         ./usr/share/doc/orvedit/copyright; do
  grep -q " $f\$" "$tmp/contents.txt" || fail "the package lacks $f"
done

DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" > "$tmp/install.log" 2>&1 ||
  { cat "$tmp/install.log" >&2; fail "apt-get install of the package failed"; }
installed=1
answer=$(/usr/bin/orvedit-cli --version)
[ "$answer" = "orvedit-cli $version" ] || fail "/usr/bin/orvedit-cli --version says '$answer'"

# The editor on a virtual screen, with empty per-user folders.
export HOME=$tmp/home XDG_DATA_HOME=$tmp/data XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache
export XDG_RUNTIME_DIR=$tmp/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset ORVEDIT_DATA_DIR WAYLAND_DISPLAY QT_QPA_PLATFORM
cat > "$tmp/start.sh" <<'SCRIPT'
# Inside the virtual screen: the editor's window must appear, and the editor
# must still run a few seconds after.
/usr/bin/orvedit > "$1/editor.log" 2>&1 &
pid=$!
for _ in $(seq 300); do   # up to a minute on a busy machine
  kill -0 $pid 2>/dev/null || { echo "the editor ended by itself"; exit 1; }
  xwininfo -root -tree 2>/dev/null | grep -q '("orvedit" ' && break
  sleep 0.2
done
xwininfo -root -tree 2>/dev/null | grep -q '("orvedit" ' || { echo "no window of the editor appeared"; kill $pid; exit 1; }
sleep 3
kill -0 $pid 2>/dev/null || { echo "the editor ended after its window appeared"; exit 1; }
kill -TERM $pid
wait $pid
exit 0
SCRIPT
# Xvfb picks a free display itself and names it once it takes connections
# (choosing a number beforehand races other virtual screens on the machine).
Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 300); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || { cat "$tmp/xvfb.log" >&2; fail "the virtual screen did not start"; }
started=0
(cd "$tmp" && DISPLAY=:$(head -n 1 "$tmp/display") timeout 120 bash "$tmp/start.sh" "$tmp") && started=1
kill "$xvfb" 2>/dev/null || true
wait "$xvfb" 2>/dev/null || true
if [ "$started" != 1 ]; then
  tail -20 "$tmp/editor.log" >&2 || true
  fail "the installed editor did not come up on a virtual screen"
fi
echo "check-package: orvedit_${version}_${arch}.deb installs, orvedit-cli --version answers," \
     "the editor comes up; removed again"
