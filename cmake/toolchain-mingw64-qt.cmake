# Cross-build for 64-bit Windows with Debian's MinGW-w64 (package
# g++-mingw-w64-x86-64-posix), with the MinGW runtime as DLLs
# (libgcc_s_seh-1.dll, libstdc++-6.dll, libwinpthread-1.dll): for Qt
# (tools/build-qt-windows.sh) and for the programs linked against that Qt,
# which must share one C++ runtime with it. The -posix compilers use the POSIX
# thread model, which std::thread and std::mutex need.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(ORV_MINGW_TRIPLET x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${ORV_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ORV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ORV_MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW tree only; programs (the build's
# own tools) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ORV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
