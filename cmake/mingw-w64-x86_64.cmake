# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, posix thread model (Qt needs std::thread).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TELIMER_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TELIMER_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TELIMER_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TELIMER_MINGW_TRIPLET}-windres)

# Libraries and headers only from the MinGW sysroot (and the cross-built Qt, which
# Qt's own toolchain file appends); programs such as moc come from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TELIMER_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
