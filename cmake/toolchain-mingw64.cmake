# Cross-build of the Qt-free programs for 64-bit Windows: the compilers and
# search roots of toolchain-mingw64-qt.cmake, linked statically.
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw64-qt.cmake)

# One self-contained .exe per program: no MinGW runtime DLL beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# The test programs run under Wine (tools/run-windows-tests.sh sets the prefix).
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
