# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, posix thread
# model (Qt needs std::thread and friends). Used to build the Windows Qt
# itself (scripts/build-windows-qt) and, chained from that Qt's own
# qt.toolchain.cmake, the game.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KASHIKORO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KASHIKORO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KASHIKORO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KASHIKORO_MINGW}-windres)
set(CMAKE_AR ${KASHIKORO_MINGW}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${KASHIKORO_MINGW}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers come from the MinGW tree (and the Windows Qt, added by
# its toolchain file); programs such as moc and rcc come from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${KASHIKORO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)

