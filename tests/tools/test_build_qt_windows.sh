#!/usr/bin/env bash
# tools/build-qt-windows.sh without building: which apt entry names the
# Debian archive for the private deb-src list, and when the stamp of an
# install makes a run do nothing.
set -uo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
# shellcheck source=tools/packages.sh
. "$here/tools/packages.sh"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# --- debian_main_archive: one case per line: name | files | expected ------
# Files are written from the fixtures below; "FAIL" expects no match.
fixture() { mkdir -p "$tmp/apt"; printf '%b' "$2" >"$tmp/apt/$1"; }
fixture plain.sources 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n\nTypes: deb\nURIs: http://deb.debian.org/debian-security\nSuites: bookworm-security\nComponents: main\n'
fixture security-first.sources '# mirror\nTypes: deb\nURIs: http://security.debian.org/debian-security\nSuites: bookworm-security\nComponents: main\n\nTypes: deb deb-src\nURIs: http://ftp.de.debian.org/debian http://deb.debian.org/debian\nSuites: bookworm\nComponents: main contrib\n'
fixture disabled.sources 'Types: deb\nURIs: http://old.example/debian\nSuites: bookworm\nEnabled: no\n\nTypes: deb-src\nURIs: http://src.example/debian\nSuites: bookworm\n\nTypes: deb\nURIs: http://live.example/debian\nSuites: bookworm\nSigned-By: /etc/k.gpg\n'
fixture no-blank-end.sources 'Types: deb\nURIs: http://first.example/debian\nSuites: bookworm'
fixture other.sources 'Types: deb\nURIs: http://second.example/debian\nSuites: bookworm\n'
fixture oneline.list '# deb http://commented.example/debian bookworm main\ndeb http://deb.debian.org/debian bookworm-updates main\ndeb [arch=amd64 signed-by=/usr/share/keyrings/d.gpg] http://mirror.example/debian bookworm main # main\n'
fixture nokey.list 'deb-src http://deb.debian.org/debian bookworm main\ndeb http://deb.debian.org/debian bookworm main contrib\n'
fixture trixie.sources 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: trixie trixie-updates\n'

while IFS='|' read -r name files expected; do
  paths=()
  for f in $files; do paths+=("$tmp/apt/$f"); done
  got=$(debian_main_archive bookworm "${paths[@]}") || got=FAIL
  [ "$got" = "$expected" ] || fail "debian_main_archive $name: got '$got', want '$expected'"
done <<'CASES'
deb822 main with updates|plain.sources|http://deb.debian.org/debian bookworm /usr/share/keyrings/debian-archive-keyring.gpg
security listed first, first URI|security-first.sources|http://ftp.de.debian.org/debian bookworm -
disabled and deb-src entries skipped|disabled.sources|http://live.example/debian bookworm /etc/k.gpg
last paragraph of a file without blank end|no-blank-end.sources other.sources|http://first.example/debian bookworm -
one-line with options and comments|oneline.list|http://mirror.example/debian bookworm /usr/share/keyrings/d.gpg
one-line deb-src skipped, no key|nokey.list|http://deb.debian.org/debian bookworm -
missing files skipped|absent.list plain.sources|http://deb.debian.org/debian bookworm /usr/share/keyrings/debian-archive-keyring.gpg
.list before .sources|oneline.list plain.sources|http://mirror.example/debian bookworm /usr/share/keyrings/d.gpg
other release only|trixie.sources|FAIL
no file at all|absent.list|FAIL
CASES

# --- the stamp ----------------------------------------------------------------
# Tools a build would run are shims that note any call: a matching stamp must
# not reach them.
mkdir -p "$tmp/bin"
for t in apt-get dpkg-source cmake ninja make ccache x86_64-w64-mingw32-gcc-posix; do
  printf '#!/bin/sh\necho %s >>"%s"\nexit 1\n' "$t" "$tmp/called" >"$tmp/bin/$t"
  chmod +x "$tmp/bin/$t"
done
script=$here/tools/build-qt-windows.sh
run() { PATH="$tmp/bin:$PATH" ORV_QT_WINDOWS_DIR="${qt_dir:-$tmp/qt}" ORV_CACHE_DIR="$tmp/cache" bash "$script" "$@" 2>&1; }
hash_of() { sed -n 's/.*options-sha256 \([0-9a-f]\{64\}\).*/\1/p' <<<"$1"; }

out=$(run --check); rc=$?
h1=$(hash_of "$out")
[ $rc -eq 1 ] && [ -n "$h1" ] || fail "--check without an install: rc $rc, output: $out"
out=$(run --check); h2=$(hash_of "$out")
[ "$h1" = "$h2" ] || fail "the options hash changes between runs: $h1, $h2"
out=$(run --check -DFEATURE_gif=ON); rc=$?; h3=$(hash_of "$out")
[ $rc -eq 1 ] && [ -n "$h3" ] && [ "$h3" != "$h1" ] || fail "an extra Qt option keeps the hash: rc $rc, $h3"
out=$(qt_dir=$tmp/elsewhere run --check); h4=$(hash_of "$out")
[ -n "$h4" ] && [ "$h4" != "$h1" ] || fail "another install folder (SQLite's path in Qt's options) keeps the hash"

mkdir -p "$tmp/qt"
printf 'source qt6-base 6.4.2+dfsg-10\noptions-sha256 %s\n' "$h1" >"$tmp/qt/orvedit-qt-windows.stamp"
out=$(run --check); rc=$?
[ $rc -eq 0 ] || fail "--check with a matching stamp: rc $rc, output: $out"
out=$(run); rc=$?
[ $rc -eq 0 ] && grep -q "up to date" <<<"$out" || fail "a run with a matching stamp: rc $rc, output: $out"
out=$(run --check -DFEATURE_gif=ON); rc=$?
[ $rc -eq 1 ] || fail "a changed option is taken as up to date"
other=$(tr '0-9a-f' '1-9a-f0' <<<"$h1")   # every digit changed
printf 'options-sha256 %s\n' "$other" >"$tmp/qt/orvedit-qt-windows.stamp"
out=$(run --check); rc=$?
[ $rc -eq 1 ] || fail "a stamp with another hash is taken as up to date"
[ ! -e "$tmp/called" ] || fail "the stamp checks ran build tools: $(sort -u "$tmp/called" | tr '\n' ' ')"

[ $failures -eq 0 ] && echo "all build-qt-windows checks passed"
exit $((failures > 0))
