#!/usr/bin/env bash
# A presenter's evening, driven from outside the program: under Xvfb with
# openbox, the real binary is started with a fresh home folder; the test
# chooses and renames teams, starts, enters points, runs a round, saves under
# a typed name, leaves, and checks the saved file byte for byte.
#   evening.sh PROGRAM [INSTALL_DEPS]
# Exit code 77 (skip) only when Xvfb, openbox or xdotool cannot be had.
set -uo pipefail

program=${1:?usage: evening.sh PROGRAM [INSTALL_DEPS]}
install_deps=${2:-}
skip=77

need=(Xvfb openbox xdotool iconv)
missing() { for tool in "${need[@]}"; do command -v "$tool" >/dev/null || return 0; done; return 1; }
if missing && [[ -n "$install_deps" && $(id -u) -eq 0 ]]; then
    "$install_deps" --test >/dev/null 2>&1 || true
fi
if missing; then
    echo "SKIP: Xvfb, openbox or xdotool is not available"
    exit $skip
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    import -window root "$work/failure.png" 2>/dev/null \
        && cp "$work/failure.png" "${TMPDIR:-/tmp}/zanto-e2e-failure.png" \
        && echo "screenshot: ${TMPDIR:-/tmp}/zanto-e2e-failure.png"
    [[ -f "$work/program.log" ]] && sed 's/^/program: /' "$work/program.log"
    exit 1
}

# A display of its own, whichever number is free.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
[[ -s "$work/display" ]] || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1

export HOME="$work/home"
mkdir -p "$HOME"
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_DOCUMENTS_DIR
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export QT_QPA_PLATFORM=xcb
saved="$HOME/Documents/Zanto 점수판"

"$program" >"$work/program.log" 2>&1 &
program_pid=$!
pids+=($program_pid)

title='^Zanto 점수판$'
window_of_size() { # $1: "small" or "large"
    local id w h
    for id in $(xdotool search --onlyvisible --name "$title" 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
        w=$WIDTH h=$HEIGHT
        if [[ $1 == small && $w -eq 396 && $h -eq 292 ]] || [[ $1 == large && $w -gt 900 ]]; then
            echo "$id"
            return 0
        fi
    done
    return 1
}
wait_window() { # $1: small or large
    local id
    for _ in $(seq 100); do
        id=$(window_of_size "$1") && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}
click() { # window x y
    xdotool mousemove --window "$1" "$2" "$3" sleep 0.2 click 1 sleep 0.3
}

setup=$(wait_window small) || fail "the setup window did not appear"

# Team boxes lie in the frame at (10, 8); box k's square at (28, y_k + 9).
tops=(22 42 62 82 100 118 138 158)
team_square() { echo 38 $((8 + tops[$1] + 9)); }

# Team 0 checked and renamed: the click opens the rename box with the name
# selected, typing replaces it and Enter commits it.
click "$setup" $(team_square 0)
xdotool type --delay 50 "Owls"
xdotool key Return
sleep 0.3
click "$setup" $(team_square 1)
click "$setup" $(team_square 4)
click "$setup" 324 29 # 시작

board=$(wait_window large) || fail "the board did not appear"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$board")"
board_h=$HEIGHT
board_w=$WIDTH
teams=3
# Rows share the free height between banner (260) and command bar (71).
# The board rounds the gap half to even.
free=$((board_h - 331 - 50 * teams)) parts=$((teams + 1))
gap=$((free / parts)) rest=$((free % parts))
if ((2 * rest > parts || (2 * rest == parts && gap % 2 == 1))); then gap=$((gap + 1)); fi
row_centre() { echo 83 $(((50 + gap) * $1 + 260 + gap + 25)); }

enter_points() { # slot points
    click "$board" $(row_centre "$1")
    xdotool key ctrl+a
    xdotool type --delay 50 "$2"
    xdotool key Return
    sleep 0.3
}
enter_points 0 30
enter_points 2 120

click "$board" 84 $((board_h - 47)) # 출발: the bars race for 7.5 seconds
sleep 9

click "$board" 344 $((board_h - 47)) # 저장
sleep 1
xdotool type --delay 50 "evening"
xdotool key Return
sleep 1
xdotool key Return # the confirmation
sleep 0.5

file="$saved/evening.scr"
for _ in $(seq 20); do [[ -f "$file" ]] && break; sleep 0.2; done
[[ -f "$file" ]] || fail "no saved game at $file"

expected="$work/expected.scr"
printf '3;500;50\r\nOwls;30\r\n소망;0\r\n말씀;120\r\n' | iconv -f UTF-8 -t CP949 >"$expected"
if ! cmp -s "$expected" "$file"; then
    echo "expected:"; od -c "$expected"
    echo "saved:"; od -c "$file"
    fail "the saved file differs"
fi

# Leaving after the save asks nothing and ends the program.
click "$board" $((board_w - 74 + 26)) $((board_h - 71 + 4 + 18)) # 나가기
for _ in $(seq 50); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$program_pid" 2>/dev/null; then
    fail "the program did not end after the leave button"
fi
wait "$program_pid"
status=$?
[[ $status -eq 0 ]] || fail "the program ended with status $status"
echo "PASS: the evening's game was saved as expected"
