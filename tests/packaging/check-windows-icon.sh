#!/usr/bin/env bash
# Packs the PNG icons the way the Windows build does and checks the .ico holds
# every size, in order, as a Windows icon reader sees it.
#   check-windows-icon.sh MAKE_ICO SOURCE_DIR
set -euo pipefail

make_ico=$1 source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

pngs=()
for size in 16 32 48 256; do pngs+=("$source_dir/assets/icon$size.png"); done
"$make_ico" "$work/icon.ico" "${pngs[@]}"

sizes=$(identify -format '%wx%h\n' "$work/icon.ico" | tr '\n' ' ')
[[ "$sizes" == "16x16 32x32 48x48 256x256 " ]] || { echo "FAIL: icon sizes are: $sizes" >&2; exit 1; }
file -b "$work/icon.ico" | grep -q '^MS Windows icon resource - 4 icons' \
  || { echo "FAIL: not a 4-image icon: $(file -b "$work/icon.ico")" >&2; exit 1; }

# A file that is not a PNG is refused, and nothing is written.
if "$make_ico" "$work/bad.ico" "$source_dir/assets/start.wav" 2>/dev/null; then
  echo "FAIL: a WAV file was packed as an icon" >&2; exit 1
fi
[[ ! -e "$work/bad.ico" ]] || { echo "FAIL: a refused icon still left a file" >&2; exit 1; }
echo "ok: icon with $sizes"
