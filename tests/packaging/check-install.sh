#!/usr/bin/env bash
# Installs a built tree into a fresh root with DESTDIR and checks the files.
#   check-install.sh BUILD_DIR VERSION SOURCE_DIR
set -euo pipefail

build_dir=$1 version=$2 source_dir=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

DESTDIR="$root" cmake --install "$build_dir" --prefix /usr >/dev/null
"$here/verify-tree.sh" "$root" /usr "$version" "$source_dir"
