#!/usr/bin/env bash
# Runs the Windows builds (tools/build-windows.sh) under Wine.
#
# orvedit-cli.exe and the core (build-win/): the core's unit tests, then
# orvedit-cli.exe read, write --verify, verify and a silent radio through
# COM5, which Wine maps to the pseudo-terminal of the Linux simulator
# (build/bin/orv-radiosim). Each radio command runs the same way with the
# Linux orvedit-cli; messages and exit statuses must match and the radio
# memory must be byte-exact. Then a full read of a fast radio paced at the
# line rate: its time over the least time the bytes and pauses take on the
# wire must stay within 1.05 (one of three attempts), or, when the machine
# is so busy that the Linux program read just before misses that too, within
# 1.05 of the Linux program's time.
#
# The editor (build-win-gui/, skipped with ORV_WINDOWS_GUI=OFF):
#  - its tests (the working databases and the windows that need no
#    pseudo-terminal) on the offscreen platform;
#  - its Read Radio and Write Radio with verify through COM5 (the test
#    program app_com_port), the same as the Linux editor does through the
#    simulator's pseudo-terminal, byte for byte, and as orvedit-cli writes;
#  - the installer, silently (/S) into a fresh prefix, for the current user
#    and for all users: the installed editor on a virtual X display with a
#    window manager opens a file given on its command line and one opened
#    through its file type, shows its main window, the global window, the
#    print preview and the alignment window (against the simulator) under
#    their titles, each shot into build-win-gui/screenshots/; then the
#    uninstaller leaves nothing of the program behind but the user's data.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=tools/packages.sh
. "$here/tools/packages.sh"
gui=${ORV_WINDOWS_GUI:-ON}
pkgs=("${windows_test_packages[@]}")
[ "$gui" = ON ] && pkgs+=("${windows_gui_test_packages[@]}")
ensure_packages "${pkgs[@]}"
win=$here/build-win
wgui=$here/build-win-gui
lin=${BUILD_DIR:-$here/build}
if [ ! -x "$win/bin/orvedit-cli.exe" ] || { [ "$gui" = ON ] && [ ! -x "$wgui/bin/orvedit.exe" ]; }; then
  bash "$here/tools/build-windows.sh"
fi
linux_targets=(orv-radiosim orvedit-cli)
[ "$gui" = ON ] && linux_targets+=(app_com_port)
for t in "${linux_targets[@]}"; do
  if [ ! -x "$lin/bin/$t" ]; then
    ORV_BUILD_TARGETS="${linux_targets[*]}" bash "$here/tools/setup.sh" "$lin"
    break
  fi
done
cli_exe=$win/bin/orvedit-cli.exe
cli_linux=$lin/bin/orvedit-cli
radiosim=$lin/bin/orv-radiosim

export WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no .NET or HTML engine install prompts
work=$(mktemp -d "${TMPDIR:-/tmp}/orv-wine.XXXXXX")
sim_pid=""
prefixes=()
x_pids=()
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null
  local p
  for p in "${prefixes[@]}"; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done
  for p in "${x_pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
# Makes the prefix $1 the one in use (WINEPREFIX): its server stays up
# between the programs (30 s idle), and the prefix is made before any output
# is captured.
use_prefix() {
  export WINEPREFIX=$1
  prefixes+=("$1")
  mkdir -p "$WINEPREFIX"
  wineserver -p30 </dev/null >/dev/null 2>&1 || true  # already running: keep it
  wineboot -i </dev/null >/dev/null 2>&1 &
  wait $!
}
use_prefix "$win/wine"

echo "== unit tests under Wine"
ctest --test-dir "$win" --output-on-failure -j2

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Starts a simulated radio (arguments: orv-radiosim options) and maps COM5 to it.
start_radio() {
  rm -f "$work/radio.pty" "$work/radio.saved"
  # With the finest timer slack (as the link benchmark gives its simulator):
  # the default 50 us a sleep may overshoot would show as pacing lag.
  python3 -c 'import ctypes, os, sys; ctypes.CDLL(None).prctl(29, 1, 0, 0, 0); os.execv(sys.argv[1], sys.argv[1:])' \
    "$radiosim" --link "$work/radio.pty" --save "$work/radio.saved" "$@" >/dev/null 2>"$work/radio.err" &
  sim_pid=$!
  for _ in $(seq 200); do [ -L "$work/radio.pty" ] && break; sleep 0.05; done
  [ -L "$work/radio.pty" ] || { cat "$work/radio.err"; echo "the simulator did not start"; exit 1; }
  ln -sfn "$(readlink -f "$work/radio.pty")" "$WINEPREFIX/dosdevices/com5"
}
# Stops it; its memory is then in radio.saved.
stop_radio() {
  kill -TERM "$sim_pid"
  wait "$sim_pid" || true
  sim_pid=""
}

# Runs one radio command with the Linux and the Windows program against a
# fresh radio each. Arguments: the case name, the simulator's options, "--",
# the command line with PORT for the port and SIDE for "linux" or "windows"
# (to keep the two sides' files apart). Leaves NAME.{linux,windows}.{out,rc,saved}.
run_both() {
  local name=$1; shift
  local sim_args=()
  while [ "$1" != "--" ]; do sim_args+=("$1"); shift; done
  shift
  local side port args a rc
  for side in linux windows; do
    start_radio "${sim_args[@]}"
    if [ $side = linux ]; then port=$(readlink -f "$work/radio.pty"); else port=COM5; fi
    args=()
    for a in "$@"; do a=${a//PORT/$port}; args+=("${a//SIDE/$side}"); done
    rc=0
    # Each side keeps its backups and radio log in a folder of its own, the
    # same for all its commands, so that what the log tells of a radio (and
    # the messages that come from it) never depends on this machine's past.
    mkdir -p "$work/data.$side"
    if [ $side = linux ]; then
      (cd "$work" && ORVEDIT_DATA_DIR="$work/data.$side" "$cli_linux" "${args[@]}" >"$name.$side.raw" 2>&1) || rc=$?
    else
      (cd "$work" && ORVEDIT_DATA_DIR="$(winepath -w "$work/data.$side" 2>/dev/null | tr -d '\r')" \
        wine "$cli_exe" "${args[@]}" >"$name.$side.raw" 2>&1) || rc=$?
    fi
    stop_radio
    echo "$rc" >"$work/$name.$side.rc"
    # The same text apart from the line ends, the port's name and the speed
    # the progress line reports.
    tr -d '\r' <"$work/$name.$side.raw" | sed -e "s|$port|PORT|g" -e "s|\.$side\.|.SIDE.|g" -e 's|[0-9]* B/s|N B/s|g' >"$work/$name.$side.out"
    cp "$work/radio.saved" "$work/$name.$side.saved"
  done
  if ! diff -u "$work/$name.linux.out" "$work/$name.windows.out"; then fail "$name: the messages differ"; fi
  if [ "$(cat "$work/$name.linux.rc")" != "$(cat "$work/$name.windows.rc")" ]; then
    fail "$name: exit status $(cat "$work/$name.windows.rc") on Windows, $(cat "$work/$name.linux.rc") on Linux"
  fi
  if ! cmp -s "$work/$name.linux.saved" "$work/$name.windows.saved"; then fail "$name: the radio memory differs"; fi
  echo "$name: exit status $(cat "$work/$name.windows.rc") on both"
}
expect_status() {
  [ "$(cat "$work/$1.windows.rc")" = "$2" ] || fail "$1: exit status $(cat "$work/$1.windows.rc"), expected $2"
}

echo "== orvedit-cli.exe through COM5"
# A radio memory with something in every byte, and a programming file of
# the start-up defaults to write over it.
python3 -c "import sys; sys.stdout.buffer.write(bytes((i * 7 + 3) & 0xFF for i in range(6019)))" >"$work/pattern.img"
"$cli_linux" new -o "$work/defaults.img" >/dev/null

run_both read --image "$work/pattern.img" -- read --port PORT -o ./read.SIDE.img --no-backup
expect_status read 0
# What was read is the radio's memory, byte for byte (the file's last bytes
# are the file's own, not memory).
cmp -n 6016 "$work/read.windows.img" "$work/read.windows.saved" || fail "read: the file is not the radio's memory"
cmp -n 6016 "$work/read.windows.img" "$work/pattern.img" || fail "read: the file is not the radio's memory"

run_both write --image "$work/pattern.img" -- write --port PORT -i defaults.img --verify --yes --no-backup
expect_status write 0
run_both verify-same --image "$work/defaults.img" -- verify --port PORT -i defaults.img --no-backup
expect_status verify-same 0
run_both verify-differs --image "$work/pattern.img" -- verify --port PORT -i defaults.img --no-backup
expect_status verify-differs 1
run_both silent --silent -- read --port PORT -o ./silent.SIDE.img --no-backup
expect_status silent 1

echo "== full read of a fast radio at the line rate"
# The least time on the wire: the hook's chars at 4800 bit/s, the 500 ms
# pause, 188 blocks of 3 chars out and 32 in at 9600 bit/s, and the release.
limit=$(awk 'BEGIN { printf "%.6f", 25 * 10 / 4800 + 0.5 + 188 * 35 * 10 / 9600 + 10 / 9600 }')
read_time() {  # the last byte's time in a link trace
  awk '!/^#/ && NF >= 4 { t = $2 } END { print t }' "$1"
}
# One timed read (arguments: linux or windows, the attempt); prints its ratio.
fast_read() {
  local side=$1 rc=0 t
  start_radio --realtime --think-ms 0
  if [ "$side" = linux ]; then
    (cd "$work" && "$cli_linux" read --port "$(readlink -f "$work/radio.pty")" -o "./fast.$side.img" --no-backup --trace "fast.$side.trace" >/dev/null 2>&1) || rc=$?
  else
    (cd "$work" && wine "$cli_exe" read --port COM5 -o "./fast.$side.img" --no-backup --trace "fast.$side.trace" >/dev/null 2>&1) || rc=$?
  fi
  stop_radio
  if [ $rc -ne 0 ]; then
    echo "fast read ($side, attempt $2): exit status $rc" >&2
    echo 99
    return
  fi
  t=$(read_time "$work/fast.$side.trace")
  awk -v t="$t" -v l="$limit" -v s="$side" -v n="$2" \
    'BEGIN { r = t / l; printf "fast read (%s, attempt %d): %.3f s over the wire limit %.3f s: ratio %.4f\n", s, n, t, l, r > "/dev/stderr"; printf "%.4f\n", r }'
}
# Other work on the machine can delay a read: three attempts, each a read
# of the Linux program and then one of Wine on the same machine. An attempt
# passes when the Wine read keeps within 1.05 of the wire's limit, or, when
# even the Linux read just before missed that (the machine is too busy to
# time the wire), within 1.05 of the Linux read.
verdict=""
for attempt in 1 2 3; do
  linux_ratio=$(fast_read linux $attempt)
  ratio=$(fast_read windows $attempt)
  verdict=$(awk -v w="$ratio" -v l="$linux_ratio" 'BEGIN {
    if (w <= 1.05) print "within the limit";
    else if (l > 1.05 && w / l <= 1.05) printf "the machine is busy (the Linux read: %.4f): Wine within %.4f of it\n", l, w / l }')
  [ -n "$verdict" ] && break
done
if [ -n "$verdict" ]; then
  echo "Wine read (attempt $attempt): $verdict"
else
  fail "fast read under Wine: above 1.05 of the wire's limit and of the Linux read in three attempts"
fi

# ------------------------------------------------------------------ the editor

# The Windows path of the Unix path $1 in the prefix in use.
winpath() { winepath -w "$1" 2>/dev/null | tr -d '\r'; }
# The Unix path of the Windows path $1.
unixpath() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
# The data of value $2 of registry key $1 ("" when there is none).
reg_value() {
  { wine reg query "$1" /v "$2" 2>/dev/null || true; } | tr -d '\r' |
    awk -v n="$2" '$1 == n { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]*/, ""); print; exit }'
}
# The default value of key $1.
reg_default() {
  { wine reg query "$1" /ve 2>/dev/null || true; } | tr -d '\r' |
    awk '/REG_SZ/ { sub(/^[ \t]*[^ \t]+[ \t]+REG_[A-Z_]+[ \t]*/, ""); print; exit }'
}
reg_has_key() { wine reg query "$1" >/dev/null 2>&1; }

# A virtual display with a window manager (DISPLAY for what follows).
start_display() {
  Xvfb -displayfd 9 -screen 0 1280x1024x24 -nolisten tcp 9>"$work/display" >/dev/null 2>&1 &
  x_pids+=($!)
  local _
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "Xvfb did not start"; exit 1; }
  DISPLAY=:$(head -n 1 "$work/display")
  export DISPLAY
  openbox >/dev/null 2>&1 &
  x_pids+=($!)
  for _ in $(seq 100); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
}
# The id of the first window whose title matches the extended regex $1,
# waiting up to $2 seconds (default 60) for it; fails when there is none.
wait_window() {
  local _ id
  for _ in $(seq $((${2:-60} * 10))); do
    id=$(wmctrl -l | grep -E -- "$1" | awk 'NR == 1 { print $1 }') || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}
# The title of the editor's message boxes (wmctrl -l lines).
question_title='^0x[0-9a-f]+ +[-0-9]+ +[^ ]+ ORVEDIT$'
# Waits up to 60 s until no window's title matches $1.
wait_window_gone() {
  local _
  for _ in $(seq 600); do wmctrl -l | grep -qE -- "$1" || return 0; sleep 0.1; done
  return 1
}
# Closes the editor's main window, answering No to "Save before exit?" when
# it asks (after the alignment window, which changes the channels on
# screen); waits up to 60 s until it is gone.
close_editor() {
  local _ q
  wmctrl -c "ORV Editor"
  for _ in $(seq 600); do
    wmctrl -l | grep -qE -- "ORV Editor" || return 0
    q=$(wmctrl -l | grep -E -- "$question_title" | awk 'NR == 1 { print $1 }') || true
    [ -n "$q" ] && keys_to "$q" alt+n
    sleep 0.1
  done
  return 1
}
# Waits up to 60 s until the Unix path $1 is gone.
wait_gone() {
  local _
  for _ in $(seq 600); do [ -e "$1" ] || return 0; sleep 0.1; done
  return 1
}
# The whole screen into screenshots/$1.png (once the window on top is painted).
shot() {
  sleep 1
  import -window root "$shots/$1.png"
  echo "screenshot $shots/$1.png"
}
# Brings window $1 to the front and types the keys $2...
keys_to() {
  local id=$1; shift
  xdotool windowactivate --sync "$id" >/dev/null 2>&1 || wmctrl -i -a "$id"
  sleep 0.3
  xdotool key --clearmodifiers "$@"
}
# Every DLL a program or DLL under the folder $1 imports lies in its bin/ or
# is the system's (in system32, or an API set): the folder needs nothing
# from outside.
check_self_contained() {
  local f dll lacking=0
  while IFS= read -r f; do
    while IFS= read -r dll; do
      [ -n "$(find "$1/bin" -maxdepth 1 -iname "$dll")" ] && continue
      # API sets: names the system's loader resolves, no files.
      case "${dll,,}" in api-ms-win-*|ext-ms-win-*) continue ;; esac
      [ -n "$(find "$WINEPREFIX/drive_c/windows/system32" -maxdepth 1 -iname "$dll")" ] && continue
      echo "$f needs $dll"; lacking=1
    done < <(x86_64-w64-mingw32-objdump -p "$f" | awk '/DLL Name:/ { print $3 }')
  done < <(find "$1" -iname '*.exe' -o -iname '*.dll')
  [ $lacking = 0 ] || fail "the installed folder is not self-contained"
}

# One case of app_com_port (the editor's radio commands) against a fresh
# radio holding pattern.img, with the Linux editor through the simulator's
# pseudo-terminal and with the Windows editor through COM5. Arguments: the
# name, the case. Leaves editor-NAME.{linux,windows}.{out,saved}.
editor_radio_both() {
  local name=editor-$1 filter=ComPortTest.$2 side rc port
  for side in linux windows; do
    start_radio --image "$work/pattern.img"
    rc=0
    if [ $side = linux ]; then
      port=$(readlink -f "$work/radio.pty")
      (cd "$work" && ORV_TEST_PORT=$port ORV_TEST_RADIO_MEMORY=pattern.img ORV_TEST_WRITE_FILE=defaults.img \
        "$lin/bin/app_com_port" --gtest_filter="$filter" >"$name.$side.out" 2>&1) || rc=$?
    else
      (cd "$work" && ORV_TEST_PORT=COM5 ORV_TEST_RADIO_MEMORY=pattern.img ORV_TEST_WRITE_FILE=defaults.img \
        wine "$wgui/bin/app_com_port.exe" --gtest_filter="$filter" >"$name.$side.out" 2>&1) || rc=$?
    fi
    stop_radio
    cp "$work/radio.saved" "$work/$name.$side.saved"
    if [ $rc -ne 0 ] || ! grep -q '\[  PASSED  \] 1 test' "$work/$name.$side.out"; then
      tr -d '\r' <"$work/$name.$side.out" | tail -n 30
      fail "$name ($side): exit status $rc"
    fi
  done
  cmp -s "$work/$name.linux.saved" "$work/$name.windows.saved" ||
    fail "$name: the radio memory after the Windows editor differs from the Linux editor's"
  echo "$name: passed on both"
}

# The installed editor on the display: a file given on its command line,
# the main window, the global window, the print preview and the alignment
# window against a simulator on COM5.
# Argument: the install folder (Unix path).
installed_editor_checks() {
  local inst=$1 editor files_win id
  editor=$inst/bin/orvedit.exe
  files_win='C:\radio files'
  mkdir -p "$(unixpath "$files_win")"
  cp "$work/pattern.img" "$(unixpath "$files_win")/first.orv"
  # Port slot 1 is COM5, where the simulator answers.
  local appdata
  appdata=$(unixpath "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")
  mkdir -p "$appdata/ORVEDIT"
  printf '[Comm]\r\nDevice1=COM5\r\nPort=1\r\n' >"$appdata/ORVEDIT/ORVEDIT.ini"

  # A window program answers --version into redirected output.
  local version
  version=$(wine "$editor" --version 2>/dev/null | tr -d '\r')
  [ "$version" = "orvedit $(sed -n 's/^project(ORVEDIT VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")" ] ||
    fail "orvedit.exe --version answered \"$version\""

  start_radio --image "$work/pattern.img"
  wine "$editor" "$files_win\\first.orv" >"$work/editor.log" 2>&1 &
  if ! id=$(wait_window 'first\.orv.*ORV Editor'); then
    shot failed-start; wmctrl -l; fail "the installed editor showed no main window with first.orv"; return
  fi
  echo "main window: $(wmctrl -l | grep -E 'first\.orv' | cut -d' ' -f5-)"
  shot main

  keys_to "$id" alt+e Return
  if wait_window "Globals  -  ORV Editor" 20 >/dev/null; then
    shot globals
    # Closing it asks "Save Global Parameters?" (nothing was changed: No).
    wmctrl -c "Globals  -  ORV Editor"
    local question
    if question=$(wait_window "$question_title" 20); then
      keys_to "$question" alt+n
    else
      shot failed-globals-question; fail "closing the global window asked nothing"
    fi
    wait_window_gone "Globals  -  ORV Editor" || fail "the global window did not close"
  else
    shot failed-globals; fail "Edit > Global Parameters showed no global window"
  fi

  keys_to "$id" alt+f w
  if wait_window "^0x[0-9a-f]+ +[-0-9]+ +[^ ]+ Print Preview$" 30 >/dev/null; then
    shot print-preview
    wmctrl -c "Print Preview"
    wait_window_gone " Print Preview$" || fail "the print preview did not close"
  else
    shot failed-preview; fail "File > Print Preview showed no preview"
  fi

  keys_to "$id" alt+t
  if wait_window "Tune Radio:  Warning" 20 >/dev/null; then
    keys_to "$(wait_window "Tune Radio:  Warning")" Return
    if wait_window "ORV Alignment Tool" 60 >/dev/null; then
      shot alignment
      wmctrl -c "ORV Alignment Tool"
      wait_window_gone "ORV Alignment Tool" || fail "the alignment window did not close"
    else
      shot failed-alignment; fail "Tune showed no alignment window (the radio on COM5)"
    fi
  else
    shot failed-tune; fail "Tune showed no warning"
  fi
  stop_radio

  close_editor || { shot failed-close; fail "the editor did not close"; }

}

# A .frq file opened through its type, as Explorer does, in the installed
# editor. Wine's HKEY_CLASSES_ROOT holds the machine's types only (Windows
# adds the user's): this runs for the all-users install.
opened_through_type() {
  local files_win='C:\radio files'
  mkdir -p "$(unixpath "$files_win")"
  cp "$work/defaults.img" "$(unixpath "$files_win")/second.frq"
  # (start /unix takes the file's Unix path: given a Windows path with a
  # space, Wine's start takes it for a window title.)
  (cd "$work" && wine start /unix "$(unixpath "$files_win")/second.frq" >/dev/null 2>&1) || fail "wine start second.frq"
  if wait_window 'second\.frq.*ORV Editor' >/dev/null; then
    shot opened-through-type
    close_editor || fail "the editor did not close"
  else
    shot failed-filetype; fail "a .frq file did not open in the editor through its type"
  fi
}

# Installs silently for mode $1 (CurrentUser or AllUsers), checks what the
# installer made, runs `installed_editor_checks` for CurrentUser (for
# AllUsers the main window and a file opened through its type), uninstalls
# and checks that nothing but the user's data is left.
install_cycle() {
  local mode=$1 root key inst_win inst lnk rc=0
  if [ "$mode" = AllUsers ]; then root=HKLM; else root=HKCU; fi
  key="$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ORVEDIT"
  echo "-- install for $mode"
  wine "$setup" /S "/$mode" >/dev/null 2>&1 || rc=$?
  [ $rc = 0 ] || { fail "the installer ($mode) ended with $rc"; return; }
  inst_win=$(reg_value "$key" InstallLocation)
  [ -n "$inst_win" ] || { fail "$mode: no uninstall entry under $key"; return; }
  inst=$(unixpath "$inst_win")
  echo "installed into $inst_win"
  case "$mode:$inst_win" in
    AllUsers:*'Program Files\ORVEDIT') ;;
    CurrentUser:*'\AppData\Local\Programs\ORVEDIT') ;;
    *) fail "$mode: installed into $inst_win" ;;
  esac
  for f in bin/orvedit.exe bin/orvedit-cli.exe bin/qt.conf bin/platforms/qwindows.dll bin/sqldrivers/qsqlite.dll \
           bin/styles/qwindowsvistastyle.dll share/orvedit/OrvCurrent.mdb share/orvedit/OrvLast.mdb \
           share/orvedit/help/OrvHelp.html share/doc/orvedit/LICENSE.txt Uninstall.exe; do
    [ -f "$inst/$f" ] || fail "$mode: the install lacks $f"
  done
  check_self_contained "$inst"
  [ "$(reg_value "$key" DisplayVersion)" = "$version" ] || fail "$mode: the uninstall entry names version $(reg_value "$key" DisplayVersion)"
  [ "$(reg_value "$key" QuietUninstallString)" = "\"$inst_win\\Uninstall.exe\" /$mode /S" ] ||
    fail "$mode: QuietUninstallString is $(reg_value "$key" QuietUninstallString)"
  lnk=$(find "$WINEPREFIX/drive_c" -name ORVEDIT.lnk -path '*Start Menu*')
  [ -n "$lnk" ] || fail "$mode: no Start-menu entry"
  case "$mode:$lnk" in
    AllUsers:*/ProgramData/*|CurrentUser:*/users/*) ;;
    *) fail "$mode: the Start-menu entry is $lnk" ;;
  esac
  local ext
  for ext in "${extensions[@]}"; do
    [ "$(reg_default "$root\\Software\\Classes\\.$ext")" = ORVEDIT.Programming ] || fail "$mode: .$ext is not the editor's type"
  done
  [ "$(reg_default "$root\\Software\\Classes\\ORVEDIT.Programming\\shell\\open\\command")" = "\"$inst_win\\bin\\orvedit.exe\" \"%1\"" ] ||
    fail "$mode: the type's open command is $(reg_default "$root\\Software\\Classes\\ORVEDIT.Programming\\shell\\open\\command")"

  if [ "$mode" = CurrentUser ]; then
    installed_editor_checks "$inst"
  else
    wine "$inst/bin/orvedit.exe" >/dev/null 2>&1 &
    if wait_window "ORVEDIT  -  ORV Editor" >/dev/null; then
      close_editor || fail "the editor did not close"
    else
      shot failed-allusers; fail "$mode: the installed editor showed no main window"
    fi
    opened_through_type
  fi

  echo "-- uninstall for $mode"
  wine "$inst/Uninstall.exe" /S "/$mode" >/dev/null 2>&1 || fail "$mode: the uninstaller failed"
  # It goes on from a copy of itself in the temporary folder.
  wait_gone "$inst" || { find "$inst" | head; fail "$mode: the uninstaller left $inst_win"; }
  reg_has_key "$key" && fail "$mode: the uninstall entry is left"
  reg_has_key "$root\\Software\\Classes\\ORVEDIT.Programming" && fail "$mode: the file type is left"
  for ext in "${extensions[@]}"; do
    reg_has_key "$root\\Software\\Classes\\.$ext" && fail "$mode: .$ext is left"
  done
  local left
  left=$(find "$WINEPREFIX/drive_c" -iname '*orvedit*' ! -path '*/AppData/Roaming/ORVEDIT*')
  [ -z "$left" ] || fail "$mode: the uninstaller left $left"
  if [ "$mode" = CurrentUser ]; then
    local appdata
    appdata=$(unixpath "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")
    [ -f "$appdata/ORVEDIT/ORVEDIT.ini" ] || fail "the uninstaller removed the user's settings"
    [ -n "$(find "$appdata/ORVEDIT" -name 'OrvCurrent.mdb')" ] || fail "the user's working copies are gone"
  fi
}

windows_editor_checks() {
  use_prefix "$wgui/wine"
  # Wine gives Windows programs no variable named QT_*: these are the prefix's.
  wine reg add 'HKCU\Environment' /v QT_QPA_PLATFORM /d offscreen /f >/dev/null 2>&1
  # One folder with the host's DejaVu and Liberation faces (the report's
  # Arial is Liberation Sans where Arial is missing).
  local fonts=$wgui/test-fonts
  rm -rf "$fonts"; mkdir -p "$fonts"
  ln -s /usr/share/fonts/truetype/dejavu/*.ttf /usr/share/fonts/truetype/liberation/*.ttf "$fonts/"
  wine reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d "$(winpath "$fonts")" /f >/dev/null 2>&1
  echo "== the editor's tests under Wine (offscreen)"
  ctest --test-dir "$wgui" --output-on-failure -j2 || fail "the editor's tests under Wine"

  echo "== the editor's Read Radio and Write Radio with verify through COM5"
  editor_radio_both read ReadRadioBringsTheRadiosMemory
  editor_radio_both write WriteRadioWithVerifySendsTheOpenedFile
  cmp -s "$work/editor-write.windows.saved" "$work/write.windows.saved" ||
    fail "editor-write: the radio memory differs from what orvedit-cli write --verify leaves"

  setup=$(ls "$wgui"/orvedit-*-win64.exe)
  version=$(basename "$setup" | sed -E 's/^orvedit-(.*)-win64\.exe$/\1/')
  # The programming files' extensions, from their type's home (one per line).
  mapfile -t extensions < <(sed -n 's/.*<glob pattern="\*\.\([A-Za-z0-9]*\)".*/\1/p' "$here/packaging/org.orvedit.ORVEDIT.xml")
  [ ${#extensions[@]} -gt 0 ] || { fail "no file extensions in packaging/org.orvedit.ORVEDIT.xml"; return; }
  echo "== the installer $(basename "$setup") ($(du -h "$setup" | cut -f1)), into a fresh prefix"
  shots=$wgui/screenshots
  rm -rf "$shots" "$wgui/wine-install"
  mkdir -p "$shots"
  start_display
  use_prefix "$wgui/wine-install"
  install_cycle CurrentUser
  install_cycle AllUsers
}

if [ "$gui" = ON ]; then
  windows_editor_checks
fi

if [ $failures -gt 0 ]; then
  echo "$failures Windows check(s) failed"
  exit 1
fi
echo "all Windows checks passed"
