# The Qt a Windows build links: found on CMAKE_PREFIX_PATH when given, else
# unpacked from ZANTO_WINDOWS_QT_ARCHIVE into <build>/qt (once; delete the
# folder to unpack again). tools/windows/build-qt.sh makes the archive from
# Debian's Qt sources where none is at hand.
set(ZANTO_WINDOWS_QT_ARCHIVE
    "${PROJECT_SOURCE_DIR}/../shared/windows/qt-6.4.2-mingw-w64-x86_64.tar.xz"
    CACHE FILEPATH "Archive of Qt for MinGW-w64 that unpacks to zanto-qt-mingw/")
set(ZANTO_WINDOWS_QT_DIR "${CMAKE_BINARY_DIR}/qt"
    CACHE PATH "Where the Windows Qt is, or is unpacked to")

if(NOT EXISTS "${ZANTO_WINDOWS_QT_DIR}/lib/cmake/Qt6/Qt6Config.cmake")
    if(NOT EXISTS "${ZANTO_WINDOWS_QT_ARCHIVE}")
        message(FATAL_ERROR "No Qt for Windows: neither ${ZANTO_WINDOWS_QT_DIR} nor the archive "
            "${ZANTO_WINDOWS_QT_ARCHIVE}. Make one with tools/windows/build-qt.sh and pass "
            "-DZANTO_WINDOWS_QT_ARCHIVE=<file>.")
    endif()
    message(STATUS "Unpacking ${ZANTO_WINDOWS_QT_ARCHIVE}")
    set(unpack "${CMAKE_BINARY_DIR}/qt-unpacking")
    file(REMOVE_RECURSE "${unpack}")
    file(ARCHIVE_EXTRACT INPUT "${ZANTO_WINDOWS_QT_ARCHIVE}" DESTINATION "${unpack}")
    file(REMOVE_RECURSE "${ZANTO_WINDOWS_QT_DIR}")
    file(RENAME "${unpack}/zanto-qt-mingw" "${ZANTO_WINDOWS_QT_DIR}")
    file(REMOVE_RECURSE "${unpack}")
endif()
list(PREPEND CMAKE_PREFIX_PATH "${ZANTO_WINDOWS_QT_DIR}")
list(APPEND CMAKE_FIND_ROOT_PATH "${ZANTO_WINDOWS_QT_DIR}")

# The tests and the build-time tools run under Wine through this wrapper.
find_program(ZANTO_WINE64 wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
find_program(ZANTO_WINESERVER wineserver PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(ZANTO_WINE64 AND ZANTO_WINESERVER)
    set(ZANTO_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH "Wine prefix the tests run in")
    set(ZANTO_WINE_QT_BIN "Z:${ZANTO_WINDOWS_QT_DIR}/bin")
    set(ZANTO_WINE_QT_PLUGINS "Z:${ZANTO_WINDOWS_QT_DIR}/plugins")
    set(ZANTO_WINE_FONTS "Z:${CMAKE_BINARY_DIR}/fonts")
    configure_file("${PROJECT_SOURCE_DIR}/tools/windows/wine-run.in"
        "${CMAKE_BINARY_DIR}/wine-run" @ONLY
        FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                         WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_BINARY_DIR}/wine-run")
endif()
