# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (POSIX threads: std::thread and
# std::mutex need them).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRIVANE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRIVANE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRIVANE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${BRIVANE_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${BRIVANE_MINGW})
# Host programs (moc, uic...) come from the build machine; everything linked comes from the target.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
