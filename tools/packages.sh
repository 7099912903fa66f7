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
# The editor for Windows against that Qt (tools/build-windows.sh, folder
# build-win-gui/): Qt's host tools (moc, uic, lrelease) and its own
# translations, Wine (the build makes the shipped working databases with its
# own Windows tool), the icon made from the SVG (rsvg-convert, ImageMagick),
# and NSIS for the installer.
windows_gui_packages=(qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  wine wine64 librsvg2-bin imagemagick nsis)
# The editor's tests under Wine: a virtual display with a window manager
# for the installed editor, its windows found by title (xdotool, wmctrl) and
# shot (ImageMagick's import); the offscreen platform's fonts (the report's
# Arial is Liberation Sans there).
windows_gui_test_packages=(xvfb xauth openbox xdotool wmctrl imagemagick fonts-dejavu-core fonts-liberation)

# Qt and SQLite cross-built for Windows from Debian's sources
# (tools/build-qt-windows.sh): dpkg-dev unpacks them; SQLite's amalgamation
# needs tclsh, make and a native C compiler; Qt's build uses Debian's host
# tools of the same version (moc, rcc, uic) and ccache.
windows_qt_packages=(cmake ninja-build ccache dpkg-dev tcl make gcc
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools)

# Prints "URI SUITE SIGNED-BY" of the Debian archive that serves release
# CODENAME, read from the apt source files given (deb822 *.sources or
# one-line *.list; missing files are skipped): the first enabled "deb" entry
# whose suites hold CODENAME itself (not CODENAME-updates or -security).
# SIGNED-BY is the entry's key file, "-" when it names none. Fails when no
# entry matches.
debian_main_archive() {
  local codename=$1 files=() f
  shift
  for f in "$@"; do [ -f "$f" ] && files+=("$f"); done
  [ ${#files[@]} -gt 0 ] || return 1
  awk -v want="$codename" '
    function flush(   n, s, i) {
      if (types ~ /(^|[ \t])deb([ \t]|$)/ && enabled !~ /^(no|false)$/ && uri != "") {
        n = split(suites, s, " ")
        for (i = 1; i <= n; i++)
          if (s[i] == want) { print uri, want, (key == "" ? "-" : key); found = 1; exit }
      }
      types = ""; uri = ""; suites = ""; key = ""; enabled = ""
    }
    FNR == 1 { flush() }
    FILENAME ~ /\.sources$/ {
      if ($0 ~ /^[ \t]*$/) { flush(); next }
      if ($0 ~ /^[ \t]*#/) next
      field = tolower($1); sub(/:$/, "", field)
      value = $0; sub(/^[^:]*:[ \t]*/, "", value); sub(/[ \t]+$/, "", value)
      if (field == "types") types = value
      else if (field == "uris") { split(value, u, " "); uri = u[1] }
      else if (field == "suites") suites = value
      else if (field == "signed-by" && value ~ /^\//) key = value
      else if (field == "enabled") enabled = tolower(value)
      next
    }
    /^[ \t]*deb[ \t]/ {
      line = $0; k = ""
      sub(/#.*/, "", line)
      if (match(line, /\[[^]]*\]/)) {
        opts = substr(line, RSTART + 1, RLENGTH - 2)
        line = substr(line, 1, RSTART - 1) " " substr(line, RSTART + RLENGTH)
        if (match(opts, /signed-by=[^ \t]+/)) k = substr(opts, RSTART + 10, RLENGTH - 10)
      }
      split(line, w, " ")
      if (w[3] == want) { print w[2], want, (k == "" ? "-" : k); found = 1; exit }
    }
    END { if (!found) flush(); exit !found }
  ' "${files[@]}"
}
