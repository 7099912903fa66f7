#!/usr/bin/env bash
# Checks the installed program: installs the build into a temporary prefix,
# validates the desktop entry and the AppStream metainfo, runs the installed
# command-line tools, then makes the prefix's share folder read-only (as in a
# real install) and starts the installed editor offscreen with empty per-user
# folders. The editor must come up (its main window is painted) and make its
# working copies in the per-user data folder; it is then stopped with SIGTERM.
# Usage: tools/check-install.sh [BUILD_DIR]   (default: $BUILD_DIR, else build/)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-${BUILD_DIR:-$here/build}}
id=org.orvedit.ORVEDIT

tmp=$(mktemp -d)
editor=
cleanup() {
  if [ -n "$editor" ] && kill -0 "$editor" 2>/dev/null; then kill -KILL "$editor" 2>/dev/null || true; fi
  chmod -R u+w "$tmp" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
fail() { echo "check-install: $*" >&2; exit 1; }

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" > "$tmp/install.log" || { cat "$tmp/install.log" >&2; fail "cmake --install failed"; }

for f in bin/orvedit bin/orvedit-cli bin/orv-radiosim \
         share/orvedit/OrvCurrent.mdb share/orvedit/OrvLast.mdb share/orvedit/help/OrvHelp.html \
         share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/mime/packages/$id.xml \
         share/man/man1/orvedit.1 share/man/man1/orvedit-cli.1 share/man/man1/orv-radiosim.1 \
         share/bash-completion/completions/orvedit-cli share/doc/orvedit/copyright; do
  [ -s "$prefix/$f" ] || fail "not installed: $f"
done
for size in 16 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ -s "$png" ] || fail "not installed: ${png#"$prefix"/}"
  # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
  read -r w h < <(od -An -tu4 --endian=big -j16 -N8 "$png")
  [ "$w" = "$size" ] && [ "$h" = "$size" ] || fail "${png#"$prefix"/} is ${w}x${h}, not ${size}x${size}"
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "the desktop entry does not validate"
appstreamcli validate --no-net --strict "$prefix/share/metainfo/$id.metainfo.xml" > "$tmp/appstream.log" ||
  { cat "$tmp/appstream.log" >&2; fail "the metainfo does not validate"; }

"$prefix/bin/orvedit-cli" --help > "$tmp/help.txt" || fail "orvedit-cli --help failed"
grep -q dialout "$tmp/help.txt" || fail "orvedit-cli --help does not say how to get at the serial ports"
"$prefix/bin/orvedit-cli" new -o "$tmp/new.orv" || fail "the installed orvedit-cli cannot write a file"
[ "$(stat -c %s "$tmp/new.orv")" = 6019 ] || fail "orvedit-cli new did not write 6019 bytes"
"$prefix/bin/orv-radiosim" --help > /dev/null || fail "orv-radiosim --help failed"
# The desktop entry's MIME type is the one the install defines.
mime=$(sed -n 's/^MimeType=\([^;]*\);.*/\1/p' "$prefix/share/applications/$id.desktop")
grep -q "type=\"$mime\"" "$prefix/share/mime/packages/$id.xml" ||
  fail "the desktop entry's MIME type '$mime' is not in share/mime/packages/$id.xml"
# The completion offers the commands the installed tool has.
words=$(bash -c 'source "$1"; COMP_WORDS=("$2" csv-e); COMP_CWORD=1; _orvedit_cli; echo "${COMPREPLY[*]}"' _ \
          "$prefix/share/bash-completion/completions/orvedit-cli" "$prefix/bin/orvedit-cli")
[ "$words" = csv-export ] || fail "the bash completion completes 'csv-e' to '$words', not csv-export"

# A real install's data folder is read-only; the per-user folders start empty.
chmod -R a-w "$prefix/share"
export XDG_DATA_HOME=$tmp/data XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache XDG_RUNTIME_DIR=$tmp/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset ORVEDIT_DATA_DIR DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=offscreen
# Qt's painting log names every top-level window it paints: the test's way
# of seeing the main window come up without a screen.
export QT_LOGGING_RULES="qt.widgets.painting=true"
(cd "$tmp" && exec "$prefix/bin/orvedit") > "$tmp/editor.log" 2>&1 &
editor=$!

work=$XDG_DATA_HOME/ORVEDIT/ORVEDIT
up=0
for _ in $(seq 600); do  # up to a minute on a busy machine
  kill -0 "$editor" 2>/dev/null || break
  if [ -s "$work/OrvCurrent.mdb" ] && [ -s "$work/OrvLast.mdb" ] &&
     grep -q "of top level orv::frmGroups" "$tmp/editor.log"; then
    up=1
    break
  fi
  sleep 0.1
done
if ! kill -0 "$editor" 2>/dev/null; then
  wait "$editor" && rc=0 || rc=$?
  grep -v '^qt\.widgets\.painting' "$tmp/editor.log" | tail -20 >&2
  fail "the installed editor ended by itself (exit status $rc)"
fi
if [ "$up" != 1 ]; then
  grep -v '^qt\.widgets\.painting' "$tmp/editor.log" | tail -20 >&2
  ls -lR "$XDG_DATA_HOME" >&2 2>/dev/null || true
  fail "the installed editor did not show its main window with per-user working copies in $work"
fi
kill -TERM "$editor"
wait "$editor" && rc=0 || rc=$?
editor=
[ "$rc" = 143 ] || fail "the editor did not end on SIGTERM (exit status $rc)"
cmp -s "$prefix/share/orvedit/OrvCurrent.mdb" "$build/bin/OrvCurrent.mdb" ||
  fail "the installed data folder changed"
echo "check-install: installed into a temporary prefix; desktop entry and metainfo valid;" \
     "the editor came up with its working copies in the per-user data folder"
