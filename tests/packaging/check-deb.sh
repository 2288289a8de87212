#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree, unpacks it into
# a fresh root and checks its files and its control fields.
#   check-deb.sh BUILD_DIR VERSION SOURCE_DIR [--apt]
# With --apt (as root) it also installs the package with apt on this machine,
# starts the installed program under Xvfb for a few seconds, and removes it.
# A DEB_OUT environment variable keeps the package in that folder.
set -euo pipefail

build_dir=$(realpath "$1") version=$2 source_dir=$(realpath "$3") mode=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }

out=${DEB_OUT:-$work/out}
mkdir -p "$out"
cpack --config "$build_dir/CPackConfig.cmake" -G DEB -B "$out" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; exit 1; }
deb=$(ls "$out"/zanto-scoreboard_"$version"-*_*.deb 2>/dev/null | head -1)
[[ -n "$deb" ]] || { echo "FAIL: cpack made no zanto-scoreboard_$version package in $out" >&2; exit 1; }
echo "package: $deb"

field() { dpkg-deb -f "$deb" "$1"; }
[[ "$(field Package)" == zanto-scoreboard ]] || fail "Package is '$(field Package)'"
[[ "$(field Version)" == "$version"-* ]] || fail "Version '$(field Version)' is not $version"
[[ "$(field Architecture)" == "$(dpkg --print-architecture)" ]] || fail "Architecture is '$(field Architecture)'"
[[ "$(field Section)" == education ]] || fail "Section is '$(field Section)'"
[[ -n "$(field Maintainer)" ]] || fail "no Maintainer"
depends=$(field Depends)
echo "Depends: $depends"
echo "Recommends: $(field Recommends)"
# Each Qt library the program links must be named; dpkg-shlibdeps finds them
# (libQt6Widgets.so.6 is in libqt6widgets6, and so on).
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/lib/zanto-scoreboard/zanto-scoreboard >"$work/program"
needed=$(readelf -d "$work/program" | sed -n 's/.*Shared library: \[libQt6\([A-Za-z0-9]*\)\.so\.6\]/libqt6\L\16/p')
for package in $needed libc6 fonts-nanum; do
  grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package"
done
((failures)) || pass "control fields"

dpkg-deb -x "$deb" "$work/root"
# Owned by root and not writable by others, as dpkg would install them.
bad_owner=$(dpkg-deb -c "$deb" | awk '$2 != "root/root"' | head -3)
[[ -z "$bad_owner" ]] || fail "files not owned by root: $bad_owner"
"$here/verify-tree.sh" "$work/root" /usr "$version" "$source_dir" || failures=$((failures + 1))

if [[ "$mode" == --apt ]]; then
  [[ $(id -u) -eq 0 ]] || { echo "FAIL: --apt needs root" >&2; exit 1; }
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; exit 1; }
  pass "apt installed $(basename "$deb")"
  display=${ZANTO_XVFB_DISPLAY:-:17}
  Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
  xvfb=$!
  sleep 1
  # A fresh user's home, as on a new machine: no documents folder yet.
  home=$(mktemp -d)
  # Started as the desktop menu starts it.
  command_line=$(sed -n 's/^Exec=//p' /usr/share/applications/kr.zanto.scoreboard.desktop)
  HOME="$home" DISPLAY="$display" XDG_SESSION_TYPE=wayland eval "exec $command_line" >"$work/run.log" 2>&1 &
  app=$!
  sleep 4
  if kill -0 "$app" 2>/dev/null; then
    pass "installed program is running after 4 s"
    # Qt takes the program's folder, where it looks for start.wav, from this link.
    real=$(readlink "/proc/$app/exe")
    [[ "$real" == /usr/lib/zanto-scoreboard/zanto-scoreboard && -f "$(dirname "$real")/start.wav" ]] \
      && pass "started through bin/, it runs from $(dirname "$real"), beside start.wav" \
      || fail "the running program is $real, without start.wav beside it"
    if command -v xwininfo >/dev/null; then
      DISPLAY="$display" xwininfo -root -tree | grep -q '"zanto-scoreboard"' \
        && pass "it shows a window" || fail "no window of the installed program"
    fi
    if [[ -n "${ZANTO_SCREENSHOT:-}" ]] && command -v import >/dev/null; then
      DISPLAY="$display" import -window root "$ZANTO_SCREENSHOT" && echo "screenshot: $ZANTO_SCREENSHOT"
    fi
    kill "$app"; wait "$app" 2>/dev/null || true
  else
    wait "$app"; rc=$?
    fail "installed program ended at once (status $rc): $(head -5 "$work/run.log")"
  fi
  kill "$xvfb"; wait "$xvfb" 2>/dev/null || true
  rm -rf "$home"
  apt-get remove -y -qq zanto-scoreboard >>"$work/apt.log" 2>&1 && pass "apt removed the package" \
    || fail "apt could not remove the package"
  [[ ! -e /usr/lib/zanto-scoreboard ]] || fail "/usr/lib/zanto-scoreboard is left after removal"
fi

if ((failures)); then
  echo "$failures check(s) failed for $deb" >&2
  exit 1
fi
echo "all package checks passed"
