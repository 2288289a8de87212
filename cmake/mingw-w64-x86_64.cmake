# Cross-building for 64-bit Windows with Debian's MinGW-w64 (posix threads),
# against a Qt built for it (CMAKE_PREFIX_PATH) and the host's Qt tools
# (QT_HOST_PATH).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZANTO_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZANTO_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZANTO_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${ZANTO_MINGW_TRIPLET}-windres)

# Libraries and headers come from the MinGW sysroot and the Windows Qt only;
# programs (moc, rcc, the compilers) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZANTO_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
