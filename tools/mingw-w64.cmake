# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compilers. The
# posix flavour, since C++ threads (std::thread, std::mutex) need
# winpthreads; the win32 flavour has none.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(HBX740_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${HBX740_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${HBX740_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${HBX740_MINGW_TRIPLE}-windres)

# Libraries, headers and CMake packages come from the MinGW root (and the
# roots a Qt toolchain file adds), never from the build machine; programs run
# during the build are the build machine's.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${HBX740_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
