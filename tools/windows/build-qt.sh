#!/usr/bin/env bash
# Builds Qt 6.4.2 for 64-bit Windows (MinGW-w64, GCC 12, posix threads) from
# Debian 12's own source packages, on Debian 12, and packs it as
# qt-6.4.2-mingw-w64-x86_64.tar.xz: qtbase (Core, Gui, Widgets, Network, Test,
# Xml, Concurrent; platforms windows + offscreen + minimal), qtshadertools and
# qtmultimedia. About 75 min on 2 cores. Run as root in an empty folder;
# tools/run-tests runs it when no ready archive is at hand and then gives the
# archive to `cmake --preset windows` (ZANTO_WINDOWS_QT_ARCHIVE).
#
# Not in it: Core5Compat and Svg (their Debian sources are not reachable
# here), OpenGL, SQL, D-Bus, ICU, OpenSSL, tablet input (Debian's sources
# leave out the wintab header).
set -euo pipefail
prefix=${PREFIX:-/opt/zanto-qt-mingw}
work=$(pwd)
apt-get install -y -qq --no-install-recommends g++-mingw-w64-x86-64-posix \
  gcc-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools qt6-shadertools-dev ninja-build cmake curl xz-utils
pool=http://deb.debian.org/debian/pool/main/q
curl -fsSO $pool/qt6-base/qt6-base_6.4.2+dfsg.orig.tar.xz
curl -fsSO $pool/qt6-shadertools/qt6-shadertools_6.4.2.orig.tar.xz
curl -fsSO $pool/qt6-multimedia/qt6-multimedia_6.4.2.orig.tar.xz
for f in *.orig.tar.xz; do tar xJf "$f"; done

cat > mingw.cmake <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC

# Debian's qtbase sources have no wintab header: build the Windows platform
# plugins without tablet input, and without the dynamic-GL path when GL is off.
win=qtbase-everywhere-src-6.4.2/src/plugins/platforms/windows
sed -i 's/QT_CONFIG(tabletevent)/0 \/* no wintab in this build *\//' \
  $win/qwindowscontext.cpp $win/qwindowspointerhandler.cpp $win/qwindowspointerhandler.h
sed -i 's/CONDITION QT_FEATURE_tabletevent$/CONDITION FALSE/' $win/CMakeLists.txt \
  qtbase-everywhere-src-6.4.2/src/plugins/platforms/direct2d/CMakeLists.txt
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' $win/qwindowswindow.cpp

# MinGW's import libraries are lower case; the Media Foundation lookup asks
# for mixed case, which only a case-insensitive file system finds.
sed -i 's/_LIBRARY Mf HINTS/_LIBRARY mf HINTS/; s/_LIBRARY Mfuuid HINTS/_LIBRARY mfuuid HINTS/; s/_LIBRARY Mfplat HINTS/_LIBRARY mfplat HINTS/; s/_LIBRARY Mfcore HINTS/_LIBRARY mfcore HINTS/; s/_LIBRARY Propsys HINTS/_LIBRARY propsys HINTS/' \
  qtmultimedia-everywhere-src-6.4.2/cmake/FindWMF.cmake
common=(-G Ninja -DCMAKE_TOOLCHAIN_FILE=$work/mingw.cmake -DCMAKE_BUILD_TYPE=Release
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  -DCMAKE_PREFIX_PATH=$prefix -DCMAKE_INSTALL_PREFIX=$prefix
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF)
cmake -S qtbase-everywhere-src-6.4.2 -B build-base "${common[@]}" \
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DFEATURE_printsupport=OFF \
  -DFEATURE_icu=OFF -DFEATURE_openssl=OFF -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF -DFEATURE_pkg_config=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF \
  -DFEATURE_network=ON -DFEATURE_testlib=ON -DFEATURE_concurrent=ON
ninja -C build-base -j"$(nproc)" && ninja -C build-base install
cmake -S qtshadertools-everywhere-src-6.4.2 -B build-st "${common[@]}"
ninja -C build-st -j"$(nproc)" && ninja -C build-st install
# The same for headers the multimedia sources include in mixed case.
python3 "$(dirname "$0")/fix-include-case.py" qtmultimedia-everywhere-src-6.4.2/src \
  /usr/x86_64-w64-mingw32/include "$prefix/include"
cmake -S qtmultimedia-everywhere-src-6.4.2 -B build-mm "${common[@]}" \
  -DFEATURE_ffmpeg=OFF -DFEATURE_spatialaudio=OFF -DFEATURE_quick3d=OFF
ninja -C build-mm -j"$(nproc)" && ninja -C build-mm install

# The MinGW runtime the programs need beside them.
cp /usr/lib/gcc/x86_64-w64-mingw32/12-posix/{libstdc++-6,libgcc_s_seh-1}.dll \
   /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$prefix/bin/"
x86_64-w64-mingw32-strip --strip-unneeded "$prefix"/bin/*.dll "$prefix"/plugins/*/*.dll || true
rm -rf "$prefix/doc"
tar -C "$(dirname "$prefix")" -cJf "$work/qt-6.4.2-mingw-w64-x86_64.tar.xz" "$(basename "$prefix")"
