# Cross-building for 64-bit Windows with Debian's MinGW-w64 (posix threads
# variant, for std::thread and std::mutex): cmake -DCMAKE_TOOLCHAIN_FILE=this.
# The programs are linked statically, so that one .exe runs with no DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Test discovery and any program run at build time go through Wine.
find_program(TREVANE_WINE NAMES wine64 wine)
if(TREVANE_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TREVANE_WINE})
endif()
