#!/usr/bin/env bash
# Checks an installed tree of the scoreboard: the program with its start sound
# beside it, the command on the PATH, the menu icons, the desktop entry and the
# AppStream metadata.
#   verify-tree.sh ROOT PREFIX VERSION SOURCE_DIR
# ROOT is the fresh root the files went into (DESTDIR or an unpacked package),
# PREFIX the prefix inside it (/usr), VERSION the version the metadata must
# name, SOURCE_DIR the source tree whose artwork must have been installed.
set -uo pipefail

root=$1 prefix=$2 version=$3 source_dir=$4
top="$root$prefix"
app_id=kr.zanto.scoreboard
icon=zanto-scoreboard
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
# Artwork the source tree does not have yet cannot be installed; say so loudly
# but judge only the rules for what is there.
absent() { echo "WARN: $* is missing from the source tree, not checked" >&2; }
pass() { echo "ok:   $*"; }

for tool in desktop-file-validate appstreamcli file readelf; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (tools/install-deps --test)" >&2; exit 1; }
done

program="$top/lib/zanto-scoreboard/zanto-scoreboard"
if [[ -f "$program" && -x "$program" ]] && file -b "$program" | grep -q '^ELF'; then
  pass "program in lib/zanto-scoreboard"
else
  fail "no executable program at ${program#"$root"}"
fi

# The start command looks for start.wav in the folder of the real executable.
sound="$top/lib/zanto-scoreboard/start.wav"
if [[ -f "$source_dir/assets/start.wav" ]]; then
  if cmp -s "$source_dir/assets/start.wav" "$sound"; then
    pass "start.wav beside the program"
  else
    fail "start.wav is not beside the program"
  fi
  file -b "$sound" 2>/dev/null | grep -q 'WAVE audio' || fail "start.wav is not a WAV file"
else
  absent assets/start.wav
fi

link="$top/bin/zanto-scoreboard"
if [[ -L "$link" ]]; then
  target=$(readlink "$link")
  [[ "$target" != /* ]] || fail "bin/zanto-scoreboard links to an absolute path ($target), which breaks in a moved tree"
  if [[ "$(cd "$(dirname "$link")" && realpath -m "$target")" == "$(realpath -m "$program")" ]]; then
    pass "bin/zanto-scoreboard links to the program"
  else
    fail "bin/zanto-scoreboard links to $target, not to the program"
  fi
else
  fail "bin/zanto-scoreboard is not a symlink to the program"
fi

if [[ -f "$program" ]] && readelf -d "$program" | grep -q -E 'RPATH|RUNPATH'; then
  fail "the installed program carries a run path: $(readelf -d "$program" | grep -E 'RPATH|RUNPATH')"
fi

for size in 16 32 48 256; do
  png="$top/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  if [[ ! -f "$source_dir/assets/icon$size.png" ]]; then
    absent "assets/icon$size.png"
  elif file -b "$png" 2>/dev/null | grep -q "PNG image data, $size x $size"; then
    pass "${size}px icon"
  else
    fail "no ${size} x ${size} PNG icon at ${png#"$root"}"
  fi
done
if [[ -f "$source_dir/assets/icon.svg" ]]; then
  if cmp -s "$source_dir/assets/icon.svg" "$top/share/icons/hicolor/scalable/apps/$icon.svg"; then
    pass "scalable icon"
  else
    fail "no scalable icon"
  fi
fi

desktop="$top/share/applications/$app_id.desktop"
if [[ -f "$desktop" ]]; then
  if out=$(desktop-file-validate "$desktop" 2>&1); then
    pass "desktop entry validates"
  else
    fail "desktop-file-validate: $out"
  fi
  [[ -n "$out" ]] && echo "      $out"
  entry() { sed -n "s/^$1=//p" "$desktop"; }
  [[ "$(entry 'Name')" == "Zanto 점수판" ]] || fail "desktop entry Name is '$(entry 'Name')'"
  [[ "$(entry 'Name\[ko\]')" == "Zanto 점수판" ]] || fail "desktop entry has no Korean name"
  # The command after "env" and its settings.
  exec_name=
  for word in $(entry Exec); do
    [[ "$word" == env || "$word" == *=* ]] || { exec_name=$word; break; }
  done
  [[ -e "$top/bin/$exec_name" || -L "$top/bin/$exec_name" ]] || fail "desktop entry starts '$exec_name', which is not installed in bin"
  [[ "$(entry Icon)" == "$icon" ]] || fail "desktop entry names icon '$(entry Icon)'"
  pass "desktop entry names the program, its icon and the Korean title"
else
  fail "no desktop entry at ${desktop#"$root"}"
fi

metainfo="$top/share/metainfo/$app_id.metainfo.xml"
if [[ -f "$metainfo" ]]; then
  if out=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1); then
    pass "AppStream metadata validates"
  else
    fail "appstreamcli validate: $out"
  fi
  grep -q "<release version=\"$version\"" "$metainfo" || fail "AppStream release is not version $version"
  grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
    || fail "AppStream metadata does not launch $app_id.desktop"
  grep -q '<release version="[^"]*" date="[0-9]\{4\}-[0-9]\{2\}-[0-9]\{2\}"' "$metainfo" \
    || fail "AppStream release has no date"
else
  fail "no AppStream metadata at ${metainfo#"$root"}"
fi

for doc in share/man/man1/zanto-scoreboard.1.gz share/doc/zanto-scoreboard/copyright \
           share/doc/zanto-scoreboard/changelog.Debian.gz; do
  [[ -s "$top/$doc" ]] || fail "no $doc"
done
zcat "$top/share/doc/zanto-scoreboard/changelog.Debian.gz" 2>/dev/null | head -1 | grep -q "^zanto-scoreboard ($version-" \
  || fail "the changelog does not start with version $version"
((failures)) || pass "manual page, copyright and changelog"

if ((failures)); then
  echo "$failures check(s) failed in $root" >&2
  exit 1
fi
echo "all checks passed in $root"
