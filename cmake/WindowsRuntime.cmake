# The Windows build of the editor (preset windows-gui, against the Qt of
# tools/build-qt-windows.sh): the DLLs and plugin folders its programs load,
# copied beside them into the build's bin/ (so that bin/ runs as it is, under
# Wine or on Windows) and installed with them by packaging/windows. There is
# no windeployqt for this Qt: this list is the one home of what a program
# needs.
#
# Also the way the build runs one of its own programs (the tool that makes
# the shipped working databases): under Wine, in a prefix of the build's own
# (build-win-gui/wine), which the tests of tools/run-windows-tests.sh share.

# The programs' icon and version are a resource (windres).
enable_language(RC)

# The Qt install: <prefix>/lib/cmake/Qt6 is Qt6_DIR.
get_filename_component(ORV_QT_WINDOWS_DIR "${Qt6_DIR}/../../.." ABSOLUTE)

# Qt's libraries the programs link (Test only for the test programs: not installed).
set(ORV_WINDOWS_QT_MODULES Core Gui Widgets Sql PrintSupport)
# The plugins, by folder: the two platforms (windows for a desktop, offscreen
# for the tests and a build without a display), the SQLite driver of the
# working databases, the native style and the .ico reader (window icons).
# Printing needs no plugin: Windows printing is inside Qt6PrintSupport.dll.
set(ORV_WINDOWS_QT_PLUGINS
  platforms/qwindows platforms/qoffscreen
  sqldrivers/qsqlite
  styles/qwindowsvistastyle
  imageformats/qico)
# The MinGW runtime Qt and the programs share (the compiler names its files).
set(ORV_WINDOWS_MINGW_DLLS libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)

set(qt_dlls)
foreach(m ${ORV_WINDOWS_QT_MODULES})
  list(APPEND qt_dlls ${ORV_QT_WINDOWS_DIR}/bin/Qt6${m}.dll)
endforeach()
list(APPEND qt_dlls ${ORV_QT_WINDOWS_DIR}/bin/sqlite3.dll)
set(mingw_dlls)
foreach(dll ${ORV_WINDOWS_MINGW_DLLS})
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
    OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know ${dll}: install g++-mingw-w64-x86-64-posix")
  endif()
  list(APPEND mingw_dlls ${path})
endforeach()

# Qt's own translations (qtbase_<lang>.qm, Debian's qt6-translations-l10n):
# Linux finds them in the system's Qt, Windows in bin/translations (qt.conf).
file(GLOB ORV_WINDOWS_QT_TRANSLATIONS /usr/share/qt6/translations/qtbase_*.qm)

# qt.conf: Qt's folders relative to the programs' own, so that nothing is
# looked up under the folder Qt was built into.
set(ORV_WINDOWS_QT_CONF ${CMAKE_BINARY_DIR}/qt.conf)
file(WRITE ${ORV_WINDOWS_QT_CONF} "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")

# The copies in the build's bin/ (before anything there runs); the install
# takes the DLLs from there (ORV_WINDOWS_RUNTIME_DLLS). Debian's MinGW
# runtime keeps its debugging information (libstdc++ 23 MB): its copies are
# stripped. Qt's were stripped when it was installed.
set(out ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
set(copied)
macro(orv_copy_runtime from to)
  add_custom_command(OUTPUT ${to}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${from} ${to}
    DEPENDS ${from} VERBATIM)
  list(APPEND copied ${to})
endmacro()
set(ORV_WINDOWS_RUNTIME_DLLS)   # installed beside the programs
foreach(f ${qt_dlls} ${ORV_QT_WINDOWS_DIR}/bin/Qt6Test.dll ${ORV_WINDOWS_QT_CONF})
  get_filename_component(n ${f} NAME)
  orv_copy_runtime(${f} ${out}/${n})
  if(f IN_LIST qt_dlls)
    list(APPEND ORV_WINDOWS_RUNTIME_DLLS ${out}/${n})
  endif()
endforeach()
foreach(f ${mingw_dlls})
  get_filename_component(n ${f} NAME)
  add_custom_command(OUTPUT ${out}/${n}
    COMMAND ${CMAKE_STRIP} --strip-debug -o ${out}/${n} ${f}
    DEPENDS ${f} VERBATIM)
  list(APPEND copied ${out}/${n})
  list(APPEND ORV_WINDOWS_RUNTIME_DLLS ${out}/${n})
endforeach()
foreach(p ${ORV_WINDOWS_QT_PLUGINS})
  orv_copy_runtime(${ORV_QT_WINDOWS_DIR}/plugins/${p}.dll ${out}/${p}.dll)
endforeach()
foreach(f ${ORV_WINDOWS_QT_TRANSLATIONS})
  get_filename_component(n ${f} NAME)
  orv_copy_runtime(${f} ${out}/translations/${n})
endforeach()
add_custom_target(orv_windows_runtime ALL DEPENDS ${copied})

# Runs a program of this build (a target) at build time: Wine in the
# build's prefix, without its .NET and HTML engine prompts. Use as
# COMMAND ${ORV_RUN_BUILT_PROGRAM} $<TARGET_FILE:tool> ARGS...
set(ORV_WINEPREFIX ${CMAKE_BINARY_DIR}/wine)
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  message(FATAL_ERROR "the Windows build runs its tools and tests under Wine: set CMAKE_CROSSCOMPILING_EMULATOR=wine")
endif()
set(ORV_RUN_BUILT_PROGRAM ${CMAKE_COMMAND} -E env WINEPREFIX=${ORV_WINEPREFIX} WINEDEBUG=-all
  "WINEDLLOVERRIDES=mscoree,mshtml=" ${CMAKE_CROSSCOMPILING_EMULATOR})

# The programs' icon, made from the desktop icon's SVG: one .ico with the
# sizes Windows shows (the window, the taskbar, Explorer's views).
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(ORV_MAGICK_CONVERT convert REQUIRED)   # ImageMagick
set(ORV_WINDOWS_ICON ${CMAKE_BINARY_DIR}/icon/orvedit.ico)
set(svg ${PROJECT_SOURCE_DIR}/packaging/${ORV_APP_ID}.svg)
set(pngs)
foreach(size 16 24 32 48 64 256)
  set(png ${CMAKE_BINARY_DIR}/icon/${size}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icon
    COMMAND ${RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${svg}
    DEPENDS ${svg} VERBATIM)
  list(APPEND pngs ${png})
endforeach()
add_custom_command(OUTPUT ${ORV_WINDOWS_ICON}
  COMMAND ${ORV_MAGICK_CONVERT} ${pngs} ${ORV_WINDOWS_ICON}
  DEPENDS ${pngs} VERBATIM
  COMMENT "Windows icon orvedit.ico")
add_custom_target(orv_windows_icon DEPENDS ${ORV_WINDOWS_ICON})

# Gives the Windows program `target` the icon and a version resource
# (Explorer's properties: description, version, product).
function(orv_windows_resources target description)
  set(ORV_RC_NAME ${target})
  set(ORV_RC_DESCRIPTION ${description})
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/program.rc.in ${rc} @ONLY)
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${ORV_WINDOWS_ICON})
  target_sources(${target} PRIVATE ${rc})
  add_dependencies(${target} orv_windows_icon)
endfunction()
