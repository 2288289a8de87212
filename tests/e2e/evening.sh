#!/usr/bin/env bash
# shellcheck disable=SC2046 # coordinates split into x and y on purpose
# A presenter's evening, driven from outside the program: under Xvfb with
# openbox, the real binary is started with a fresh home folder; the test
# chooses and renames teams, starts, enters points, runs a round, saves under
# a typed name, leaves, and checks the saved file byte for byte.
#   evening.sh PROGRAM
# Exit code 77 (skip) when Xvfb, openbox, xdotool, xprop or iconv is missing.
set -uo pipefail

program=${1:?usage: evening.sh PROGRAM}
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_require Xvfb openbox xdotool xprop iconv
e2e_begin evening
e2e_start_display 1280x1024
e2e_fresh_home
saved="$HOME/Documents/Zanto 점수판"
title='Zanto 점수판'

e2e_start_program "$program"
setup=$(e2e_wait_window "$E2E_PROGRAM_PID" "$title" e2e_size_is 396 292) \
    || e2e_fail "the setup window did not appear"

# Team boxes lie in the frame at (10, 8); box k's square at (28, y_k + 9).
tops=(22 42 62 82 100 118 138 158)
team_square() { echo 38 $((8 + tops[$1] + 9)); }

# Team 0 checked and renamed: the click opens the rename box with the name
# selected, typing replaces it and Enter commits it.
e2e_click "$setup" $(team_square 0)
e2e_type "Owls"
e2e_key Return
sleep 0.3
e2e_click "$setup" $(team_square 1)
e2e_click "$setup" $(team_square 4)
e2e_click "$setup" 324 29 # 시작

board=$(e2e_wait_window "$E2E_PROGRAM_PID" "$title" e2e_wider_than 900) \
    || e2e_fail "the board did not appear"
sleep 1
read -r board_w board_h < <(e2e_window_size "$board")
teams=3
# Rows share the free height between banner (260) and command bar (71).
# The board rounds the gap half to even.
free=$((board_h - 331 - 50 * teams)) parts=$((teams + 1))
gap=$((free / parts)) rest=$((free % parts))
if ((2 * rest > parts || (2 * rest == parts && gap % 2 == 1))); then gap=$((gap + 1)); fi
row_centre() { echo 83 $(((50 + gap) * $1 + 260 + gap + 25)); }

enter_points() { # slot points
    e2e_click "$board" $(row_centre "$1")
    e2e_key ctrl+a
    e2e_type "$2"
    e2e_key Return
    sleep 0.3
}
enter_points 0 30
enter_points 2 120

e2e_click "$board" 84 $((board_h - 47)) # 출발: the bars race for 7.5 seconds
sleep 9

e2e_click "$board" 344 $((board_h - 47)) # 저장
sleep 1
e2e_type "evening"
e2e_key Return
sleep 1
e2e_key Return # the confirmation
sleep 0.5

file="$saved/evening.scr"
for _ in $(seq 20); do [[ -f "$file" ]] && break; sleep 0.2; done
[[ -f "$file" ]] || e2e_fail "no saved game at $file"

expected="$E2E_WORK/expected.scr"
printf '3;500;50\r\nOwls;30\r\n소망;0\r\n말씀;120\r\n' | iconv -f UTF-8 -t CP949 >"$expected"
if ! cmp -s "$expected" "$file"; then
    echo "expected:"; od -c "$expected"
    echo "saved:"; od -c "$file"
    e2e_fail "the saved file differs"
fi

# Leaving after the save asks nothing and ends the program.
e2e_click "$board" $((board_w - 74 + 26)) $((board_h - 71 + 4 + 18)) # 나가기
e2e_wait_program_exit 5 || e2e_fail "the program did not end after the leave button"
[[ $E2E_PROGRAM_STATUS -eq 0 ]] || e2e_fail "the program ended with status $E2E_PROGRAM_STATUS"
echo "PASS: the evening's game was saved as expected"
