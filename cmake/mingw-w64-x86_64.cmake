# Cross-builds for 64-bit Windows with Debian's mingw-w64 (posix threads, so
# std::thread and std::mutex work). Tests run under Wine through CTest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_quorvel_mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${_quorvel_mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_quorvel_mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${_quorvel_mingw}-windres)

# Our own prefixes (the Qt built for mingw) come through CMAKE_PREFIX_PATH, so
# packages are looked up both inside and outside the mingw root.
set(CMAKE_FIND_ROOT_PATH /usr/${_quorvel_mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE Release CACHE STRING "Build type")
endif()

find_program(QUORVEL_WINE NAMES wine wine64)
if(QUORVEL_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${QUORVEL_WINE})
endif()

# The host's rcc compresses with zstd, which a Qt built without zstd cannot read.
set(CMAKE_AUTORCC_OPTIONS --no-zstd)
