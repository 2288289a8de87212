#!/usr/bin/env bash
# Installs a built tree into fresh roots with DESTDIR, checks the files, and
# starts the installed program through its bin/ link to see that it runs from
# its own folder, where start.wav lies.
#   check-install.sh BUILD_DIR VERSION SOURCE_DIR
set -euo pipefail

build_dir=$1 version=$2 source_dir=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
app=
cleanup() {
  [[ -n "$app" ]] && kill "$app" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# /usr as a package installs it, /opt as someone installing by hand might.
for prefix in /usr /opt/zanto-scoreboard; do
  root="$work/root${prefix//\//-}"
  DESTDIR="$root" cmake --install "$build_dir" --prefix "$prefix" >/dev/null
  "$here/verify-tree.sh" "$root" "$prefix" "$version" "$source_dir"
done

root="$work/root-usr"
mkdir -p "$work/home"
HOME="$work/home" QT_QPA_PLATFORM=offscreen "$root/usr/bin/zanto-scoreboard" >"$work/run.log" 2>&1 &
app=$!
sleep 2
if ! kill -0 "$app" 2>/dev/null; then
  echo "FAIL: the installed program ended at once: $(head -5 "$work/run.log")" >&2
  exit 1
fi
real=$(readlink "/proc/$app/exe")
if [[ "$real" != "$root/usr/lib/zanto-scoreboard/zanto-scoreboard" ]]; then
  echo "FAIL: started through bin/, the program runs as $real" >&2
  exit 1
fi
echo "ok:   the installed program starts and runs from $(dirname "${real#"$root"}")"
