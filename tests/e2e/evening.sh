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

e2e_play_first_round "$program" "$title"

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
