#!/usr/bin/env bash
# shellcheck disable=SC2046 # coordinates split into x and y on purpose
# A crash in the middle of an evening, driven from outside the program:
# under Xvfb with openbox, the real binary plays a round, has points typed
# for the next one and is killed with SIGKILL. Started again, it asks to go
# on with the last game; Enter (예) brings the board back with the committed
# standings, which a save then writes; leaving removes the recovery file.
#   recover.sh PROGRAM
# Exit code 77 (skip) when Xvfb, openbox, xdotool, xprop or iconv is missing.
set -uo pipefail

program=${1:?usage: recover.sh PROGRAM}
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_require Xvfb openbox xdotool xprop iconv
e2e_begin recover
e2e_start_display 1280x1024
e2e_fresh_home
saved="$HOME/Documents/Zanto 점수판"
recovery="$HOME/.local/share/zanto-scoreboard"
title='Zanto 점수판'

recovery_files() { find "$recovery" -name 'recovery-*' 2>/dev/null | sort; }

e2e_play_first_round "$program" "$title"
# The round in flight: typed, never started.
enter_points 1 45
e2e_screenshot before-kill >/dev/null

left=$(recovery_files | grep '\.json$')
[[ -n "$left" ]] || e2e_fail "no recovery file in $recovery"
e2e_kill_program KILL
[[ -f "$left" ]] || e2e_fail "the kill took the recovery file along"
grep -q '"Owls"' "$left" || e2e_fail "the recovery file lacks the renamed team: $(cat "$left")"

e2e_restart_after_crash "$program" "$title"
e2e_key Return # 예, the default

board=$(e2e_wait_window "$E2E_PROGRAM_PID" "$title" e2e_wider_than 900) \
    || e2e_fail "the board did not come back"
sleep 1
e2e_screenshot recovered >/dev/null
e2e_find_window "$E2E_PROGRAM_PID" "$title" e2e_size_is 396 292 >/dev/null \
    && e2e_fail "the setup window stayed open beside the recovered board"

# A new game that was never saved: the save asks for a name.
read -r board_w board_h < <(e2e_window_size "$board")
e2e_click "$board" $(e2e_command_bar_point "$board_w" "$board_h" 344 24) # 저장
sleep 1
e2e_type "recovered"
e2e_key Return
sleep 1
e2e_key Return # the confirmation
sleep 0.5

# The committed round; the 45 points typed before the crash are gone.
e2e_expect_saved_game "$saved/recovered.scr" '3;500;50\r\nOwls;30\r\n소망;0\r\n말씀;120\r\n'

# Leaving is a clean end: nothing asked, and no recovery file stays.
e2e_leave_board "$board" "$board_w" "$board_h"
[[ -z "$(recovery_files)" ]] || e2e_fail "left after a clean end: $(recovery_files)"
echo "PASS: the game killed in the middle of the evening came back and was saved"
