#!/usr/bin/env bash
# Cross-builds Qt (qtbase: Core, Gui, Widgets, Sql with the SQLite driver,
# PrintSupport with Windows printing built in, Test; the windows and
# offscreen platform plugins, the windowsvista style) and sqlite3.dll for
# 64-bit Windows with MinGW-w64, from Debian's source packages qt6-base and
# sqlite3, for the Windows build of the editor. Qt's host tools (moc, rcc,
# uic) are Debian's Linux ones, so the source's Qt version must be the
# installed qt6-base-dev's.
#
# Installs into ${ORV_QT_WINDOWS_DIR:-$XDG_CACHE_HOME/orvedit/qt-<version>-mingw64}
# with a stamp naming the source versions and a hash of the options; with a
# matching stamp the script does nothing. Sources, build folders and ccache's
# cache live beside it under ${ORV_CACHE_DIR:-$XDG_CACHE_HOME/orvedit}.
# ORV_QT_WINDOWS_KEEP_BUILD=1 keeps the build folder after the install.
# Usage: tools/build-qt-windows.sh [--check | --print-prefix] [QT_CMAKE_ARGS...]
#   QT_CMAKE_ARGS  extra options for Qt's configure step (they count in the
#                  stamp)
#   --check        build nothing: exit 0 when the install is up to date, 1
#                  when a run would build (and name the options' hash)
#   --print-prefix build nothing: print the install folder (for the builds
#                  that link against it, tools/build-windows.sh)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/packages.sh
. "$here/tools/packages.sh"

step() { echo "== build-qt-windows: $*"; }
die() { echo "build-qt-windows: $*" >&2; exit 1; }

check_only=0
print_prefix=0
if [ "${1:-}" = --check ]; then check_only=1; shift; fi
if [ "${1:-}" = --print-prefix ]; then print_prefix=1; shift; fi

# --- versions, folders, options ------------------------------------------

# The host Qt names the version; the stamp check needs nothing else.
ensure_packages qt6-base-dev >&2
host_qt_deb=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt_version=${host_qt_deb%%+*}           # 6.4.2+dfsg-10 -> 6.4.2
qt_version=${qt_version#*:}
cache_root=${ORV_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/orvedit}
prefix=${ORV_QT_WINDOWS_DIR:-$cache_root/qt-$qt_version-mingw64}
work=$cache_root/qt-windows-work
toolchain=$here/cmake/toolchain-mingw64-qt.cmake
mingw=x86_64-w64-mingw32
if [ "$print_prefix" = 1 ]; then echo "$prefix"; exit 0; fi
stamp=$prefix/orvedit-qt-windows.stamp
marker=$prefix/.orvedit-qt-windows   # this folder is ours to empty

# The same SQLite as Debian's Linux library (its debian/rules), so that both
# editions of the editor see one SQLite.
sqlite_cflags=(-O2 -fno-strict-aliasing
  -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA
  -DSQLITE_ENABLE_FTS3 -DSQLITE_ENABLE_FTS3_PARENTHESIS
  -DSQLITE_ENABLE_RTREE=1 -DSQLITE_SOUNDEX=1 -DSQLITE_ENABLE_UNLOCK_NOTIFY
  -DSQLITE_OMIT_LOOKASIDE=1 -DSQLITE_ENABLE_DBSTAT_VTAB
  -DSQLITE_ALLOW_ROWID_IN_VIEW -DSQLITE_ENABLE_UPDATE_DELETE_LIMIT=1
  -DSQLITE_ENABLE_LOAD_EXTENSION -DSQLITE_ENABLE_JSON1
  -DSQLITE_LIKE_DOESNT_MATCH_BLOBS -DSQLITE_THREADSAFE=1
  -DSQLITE_ENABLE_FTS3_TOKENIZER=1 -DSQLITE_USE_URI=1
  -DSQLITE_MAX_SCHEMA_RETRY=25 -DSQLITE_ENABLE_PREUPDATE_HOOK
  -DSQLITE_ENABLE_SESSION -DSQLITE_ENABLE_STMTVTAB
  -DSQLITE_MAX_VARIABLE_NUMBER=250000)

# Qt's options. Release at -O1 without debug information: compiles faster
# than Qt's usual -O2 and runs well enough for dialogs and grids.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release
  -DQT_USE_DEFAULT_CMAKE_OPTIMIZATION_FLAGS=ON
  "-DCMAKE_C_FLAGS_RELEASE=-O1 -DNDEBUG"
  "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG"
  -DBUILD_SHARED_LIBS=ON
  -DQT_HOST_PATH=/usr
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_BENCHMARKS=OFF
  # Modules and features the editor does not use.
  -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF
  -DFEATURE_icu=OFF -DFEATURE_network=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_xml=OFF
  -DFEATURE_sql_odbc=OFF -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF
  -DFEATURE_sql_ibase=OFF -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF
  -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_zstd=OFF
  -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_textodfwriter=OFF
  # (direct2d stays on, with its spare platform plugin: Qt 6.4 compiles the
  # DirectWrite font engine, which print support calls, only with it.)
  # Debian's source leaves out the tablet header the windows plugin would
  # include; without OpenGL that plugin builds only without dynamic GL.
  -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF
  # Debian builds this Android tool even when cross-compiling.
  -DFEATURE_androiddeployqt=OFF
  # The SQL driver on our sqlite3.dll.
  -DFEATURE_sql_sqlite=ON -DFEATURE_system_sqlite=ON
  "-DSQLite3_INCLUDE_DIR=$prefix/include"
  "-DSQLite3_LIBRARY=$prefix/lib/libsqlite3.dll.a"
  "$@"
)

options_text() {
  echo "host qt6-base-dev $host_qt_deb"
  echo "toolchain $(sha256sum <"$toolchain" | cut -d' ' -f1)"
  echo "sqlite: ${sqlite_cflags[*]}"
  printf 'qt: %s\n' "${qt_options[@]}"
}
options_hash=$(options_text | sha256sum | cut -d' ' -f1)

if [ -f "$stamp" ] && grep -qx "options-sha256 $options_hash" "$stamp"; then
  step "up to date: $prefix (stamp matches; nothing to do)"
  exit 0
fi
if [ "$check_only" = 1 ]; then
  step "a build is needed: $prefix has no stamp with options-sha256 $options_hash"
  exit 1
fi
ensure_packages "${windows_qt_packages[@]}"

# --- sources: a private apt configuration with one deb-src entry ----------

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
[ -n "$codename" ] || die "no VERSION_CODENAME in /etc/os-release"
read -r archive_uri archive_suite archive_key < <(debian_main_archive "$codename" /etc/apt/sources.list \
  /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources) ||
  die "found no deb entry for this release in the apt sources"
apt_dir=$work/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/parts" "$apt_dir/cache/archives/partial" "$work/downloads"
key_opt=""
[ "$archive_key" != "-" ] && key_opt="[signed-by=$archive_key] "
echo "deb-src ${key_opt}$archive_uri $archive_suite main" >"$apt_dir/sources.list"
apt_opts=(-o "Dir::Etc::sourcelist=$apt_dir/sources.list" -o "Dir::Etc::sourceparts=$apt_dir/parts"
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
  -o "APT::Sandbox::User=$(id -un)")
step "source index of $archive_uri $archive_suite (private apt configuration in $apt_dir)"
apt-get "${apt_opts[@]}" -qq update
step "downloading the source packages qt6-base and sqlite3"
(cd "$work/downloads" && apt-get "${apt_opts[@]}" -qq source --download-only qt6-base sqlite3 >/dev/null)

newest_dsc() { ls -1 "$work/downloads/$1"_*.dsc | sort -V | tail -n 1; }
qt_dsc=$(newest_dsc qt6-base)
sqlite_dsc=$(newest_dsc sqlite3)
qt_src_deb=$(basename "$qt_dsc" .dsc); qt_src_deb=${qt_src_deb#qt6-base_}
sqlite_src_deb=$(basename "$sqlite_dsc" .dsc); sqlite_src_deb=${sqlite_src_deb#sqlite3_}
[ "${qt_src_deb%%+*}" = "$qt_version" ] ||
  die "the archive has qt6-base $qt_src_deb, the host tools are $host_qt_deb: the Qt versions must match"

step "unpacking qt6-base $qt_src_deb and sqlite3 $sqlite_src_deb"
src=$work/src
rm -rf "$src"
mkdir -p "$src"
# (Debian's patches draw a few harmless warnings: in the log.)
dpkg-source --no-check -x "$qt_dsc" "$src/qtbase" >"$work/unpack.log" 2>&1 ||
  { cat "$work/unpack.log"; die "dpkg-source failed on $qt_dsc"; }
dpkg-source --no-check -x "$sqlite_dsc" "$src/sqlite3" >>"$work/unpack.log" 2>&1 ||
  { cat "$work/unpack.log"; die "dpkg-source failed on $sqlite_dsc"; }

# --- the install folder -----------------------------------------------------

if [ -e "$prefix" ]; then
  if [ -f "$marker" ] || [ -z "$(ls -A "$prefix")" ]; then
    rm -rf "$prefix"
  else
    die "$prefix exists and was not made by this script; remove it or set ORV_QT_WINDOWS_DIR"
  fi
fi
mkdir -p "$prefix/bin" "$prefix/lib" "$prefix/include"
touch "$marker"
# Qt's lib/cmake/Qt6/qt.toolchain.cmake loads the toolchain Qt was built
# with: a copy inside the install outlives any checkout.
cp "$toolchain" "$prefix/toolchain-mingw64-qt.cmake"

export CCACHE_DIR=${CCACHE_DIR:-$cache_root/ccache}
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-3G}
# Qt compiles with precompiled headers, which ccache caches only with these.
export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros,include_file_mtime,include_file_ctime}

# --- SQLite -------------------------------------------------------------------

step "SQLite: the amalgamation sqlite3.c (native configure, tclsh)"
sq_build=$work/build-sqlite
rm -rf "$sq_build"
mkdir -p "$sq_build"
(cd "$sq_build" && "$src/sqlite3/configure" --disable-tcl >configure.log 2>&1 && make sqlite3.c >make.log 2>&1) ||
  die "the SQLite amalgamation failed; see $sq_build/*.log"
step "SQLite: sqlite3.dll"
nice -n 15 ccache "$mingw-gcc-posix" "${sqlite_cflags[@]}" "-DSQLITE_API=__declspec(dllexport)" \
  -shared -static-libgcc -s "$sq_build/sqlite3.c" -o "$prefix/bin/sqlite3.dll" \
  "-Wl,--out-implib,$prefix/lib/libsqlite3.dll.a"
cp "$sq_build/sqlite3.h" "$sq_build/sqlite3ext.h" "$prefix/include/"

# --- Qt -------------------------------------------------------------------------

qt_build=$work/build-qt
rm -rf "$qt_build"
step "Qt $qt_src_deb: configure"
cmake -S "$src/qtbase" -B "$qt_build" -G Ninja \
  --toolchain "$prefix/toolchain-mingw64-qt.cmake" \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
  "${qt_options[@]}" >"$work/qt-configure.log" 2>&1 ||
  { tail -n 40 "$work/qt-configure.log"; die "Qt's configure failed; see $work/qt-configure.log"; }
sed -n '/^-- Configure summary:/,/^-- Configuring done/p' "$work/qt-configure.log" |
  grep -E "^  (Qt [A-Za-z-]+ \.|FreeType \.|HarfBuzz \.|  PNG \.|DirectWrite \.|Styles \.|SQLite \.|  Using system provided SQLite)" || true
step "Qt: build, $(ninja -C "$qt_build" -n | grep -c '^\[') steps at -j2"
# The compiler's output goes to a log (GCC warns a lot about Qt's headers on
# MinGW); every 100th step and the last print with the time spent.
started=$SECONDS
progress() {
  local line n total
  while IFS= read -r line; do
    [[ $line =~ ^\[([0-9]+)/([0-9]+)\] ]] || continue
    n=${BASH_REMATCH[1]} total=${BASH_REMATCH[2]}
    if [ $((n % 100)) -eq 0 ] || [ "$n" = "$total" ]; then
      printf '   %s/%s steps, %d min %02d s\n' "$n" "$total" $(((SECONDS - started) / 60)) $(((SECONDS - started) % 60))
    fi
  done
}
nice -n 15 cmake --build "$qt_build" -j2 2>&1 | tee "$work/qt-build.log" | progress ||
  { grep -A 25 '^FAILED:' "$work/qt-build.log" | head -n 80; die "Qt's build failed; see $work/qt-build.log"; }
step "Qt: install into $prefix"
cmake --install "$qt_build" --strip >/dev/null

{
  echo "Qt for 64-bit Windows (MinGW-w64), made by tools/build-qt-windows.sh"
  echo "source qt6-base $qt_src_deb"
  echo "source sqlite3 $sqlite_src_deb"
  options_text
  echo "options-sha256 $options_hash"
} >"$stamp"

if [ "${ORV_QT_WINDOWS_KEEP_BUILD:-0}" != 1 ]; then
  rm -rf "$qt_build" "$sq_build" "$src"
fi
ccache -s 2>/dev/null | grep -iE "hits|cache size" || true
step "done: $prefix ($(du -sh "$prefix" | cut -f1))"
