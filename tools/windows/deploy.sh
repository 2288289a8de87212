#!/usr/bin/env bash
# Puts the Windows program and exactly what it needs into one folder that runs
# on a PC without Qt: the program, its start sound and fonts, the Qt and MinGW
# DLLs it loads (followed from the program's imports), and the plugins it
# uses: the Windows platform, the native style and the Media Foundation sound.
#   tools/windows/deploy.sh BUILD_DIR DEST_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
dest=$2
qt="$build/qt"
objdump=x86_64-w64-mingw32-objdump

rm -rf "$dest"
mkdir -p "$dest/platforms" "$dest/styles" "$dest/multimedia" "$dest/fonts"
cp "$build/zanto-scoreboard.exe" "$build/start.wav" "$dest/"
cp "$build"/fonts/* "$dest/fonts/"
cp "$qt/plugins/platforms/qwindows.dll" "$dest/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$dest/styles/"
if [[ -f "$qt/plugins/multimedia/windowsmediaplugin.dll" ]]; then
  cp "$qt/plugins/multimedia/windowsmediaplugin.dll" "$dest/multimedia/"
fi

# The DLLs of Qt's bin folder that the program and its plugins import, and
# what those import in turn; the system's own DLLs are not in that folder.
pending=("$dest/zanto-scoreboard.exe" "$dest"/platforms/*.dll "$dest"/styles/*.dll "$dest"/multimedia/*.dll)
while ((${#pending[@]})); do
  file=${pending[0]}
  pending=("${pending[@]:1}")
  while read -r dll; do
    if [[ -f "$qt/bin/$dll" && ! -f "$dest/$dll" ]]; then
      cp "$qt/bin/$dll" "$dest/"
      pending+=("$dest/$dll")
    fi
  done < <("$objdump" -p "$file" | sed -n 's/^\s*DLL Name: //p')
done
# A qt.conf beside the program makes Qt look for plugins only there.
printf '[Paths]\nPrefix = .\nPlugins = .\n' > "$dest/qt.conf"
x86_64-w64-mingw32-strip --strip-unneeded "$dest"/*.exe 2>/dev/null || true
