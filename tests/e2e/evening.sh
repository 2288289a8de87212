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

e2e_click "$board" $(e2e_command_bar_point "$board_w" "$board_h" 344 24) # 저장
sleep 1
e2e_type "evening"
e2e_key Return
sleep 1
e2e_key Return # the confirmation
sleep 0.5

e2e_expect_saved_game "$saved/evening.scr" '3;500;50\r\nOwls;30\r\n소망;0\r\n말씀;120\r\n'

# Leaving after the save asks nothing and ends the program.
e2e_leave_board "$board" "$board_w" "$board_h"
echo "PASS: the evening's game was saved as expected"
