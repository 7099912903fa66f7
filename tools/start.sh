#!/usr/bin/env bash
# Sets everything up and starts the editor. Extra arguments go to the editor.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$here/build}
"$here/tools/setup.sh" "$build"
if [ -x "$build/bin/orvedit" ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "start: no display found (DISPLAY unset); running the editor under xvfb-run" >&2
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/orvedit" "$@"
  fi
  exec "$build/bin/orvedit" "$@"
fi
# Without the editor: show the command-line tool on a fresh image.
tmp=$(mktemp -d)
"$build/bin/orvedit-cli" new -o "$tmp/fresh.orv"
"$build/bin/orvedit-cli" export "$tmp/fresh.orv" | head -n 40
echo "... (fresh image in $tmp/fresh.orv)"
