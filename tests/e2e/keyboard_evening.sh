#!/usr/bin/env bash
# A presenter's evening with the keyboard alone, on a laptop-sized screen:
# in the setup window Tab, Space and Enter choose and rename the teams and
# start; on the board digits open a team's entry, typed points and Enter add
# them, F2 shows the console with the pending points, Page Down runs the
# race, Ctrl+Z takes a round back, Ctrl+S saves under a typed name and F11
# toggles full screen. The saved file is checked byte for byte, and the key
# moments are kept as screenshots in $E2E_ARTIFACTS.
#   keyboard_evening.sh PROGRAM
# Exit code 77 (skip) when Xvfb, openbox, xdotool, xprop, iconv or import
# is missing.
set -uo pipefail

program=${1:?usage: keyboard_evening.sh PROGRAM}
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_require Xvfb openbox xdotool xprop iconv import
e2e_begin keyboard_evening
e2e_start_display 1366x768
e2e_fresh_home
saved="$HOME/Documents/Zanto 점수판"
title='Zanto 점수판'

shot() { e2e_screenshot "$1" >/dev/null || e2e_fail "no screenshot $1"; }

e2e_start_program "$program"
setup=$(e2e_wait_window "$E2E_PROGRAM_PID" "$title" e2e_size_is 396 292) \
    || e2e_fail "the setup window did not appear"
e2e_expect_active "$setup" "the setup window"
sleep 0.5

# The focus starts on 시작; Tab passes 불러오기 and 닫기 to the first team.
# Space checks a team and opens its name, selected; typing replaces it and
# Enter keeps it. The focus then comes back to the first team.
e2e_keys Tab Tab Tab space
e2e_type "Owls"
e2e_keys Return
e2e_keys Tab space Return                # 소망, as it is
e2e_keys Tab Tab Tab Tab space Return    # 말씀, as it is
shot 1-teams-chosen
e2e_keys shift+Tab shift+Tab shift+Tab   # back to 시작
e2e_keys Return

board=$(e2e_wait_window "$E2E_PROGRAM_PID" "$title" e2e_wider_than 900) \
    || e2e_fail "the board did not appear"
e2e_expect_active "$board" "the board"
sleep 1

# A digit opens that team's entry with "0" selected; typing replaces it.
e2e_keys 1
shot 2-entry-open
e2e_type "30"
e2e_keys Return
e2e_keys 3
e2e_type "120"
e2e_keys Return

# The console shows what was typed; the audience sees nothing of it yet.
e2e_keys F2
console=$(e2e_wait_window "$E2E_PROGRAM_PID" "$title - 진행자" e2e_wider_than 500) \
    || e2e_fail "F2 did not show the console"
e2e_expect_active "$console" "the console"
sleep 0.5
shot 3-console-pending
e2e_keys F2
e2e_expect_active "$board" "the board after the console"

e2e_keys Next # Page Down, a presentation clicker's "next": the race runs 7.5 s
sleep 3
shot 4-race-running
sleep 6
shot 5-round-one

# A second round for 소망, then taken back.
e2e_keys 2
e2e_type "50"
e2e_keys Return F5
sleep 9
shot 6-round-two
e2e_keys ctrl+z
sleep 0.5
shot 7-round-two-undone

e2e_keys ctrl+s
sleep 1
shot 8-save-name
e2e_type "evening"
e2e_keys Return
sleep 1
e2e_keys Return # the confirmation
sleep 0.5

e2e_expect_saved_game "$saved/evening.scr" '3;500;50\r\nOwls;30\r\n소망;0\r\n말씀;120\r\n'

# F11: the whole screen without a title bar, and back.
e2e_expect_active "$board" "the board after saving"
e2e_keys F11
sleep 1
[[ $(e2e_window_size "$board") == "1366 768" ]] || e2e_fail "F11 did not fill the screen"
shot 9-full-screen
e2e_keys F11
sleep 1
[[ $(e2e_window_size "$board") != "1366 768" ]] || e2e_fail "F11 did not leave full screen"

# Nothing is unsaved: closing from the keyboard asks nothing and ends the run.
e2e_keys alt+F4
e2e_wait_program_exit 5 || e2e_fail "the program did not end after Alt+F4"
[[ $E2E_PROGRAM_STATUS -eq 0 ]] || e2e_fail "the program ended with status $E2E_PROGRAM_STATUS"
echo "PASS: an evening with the keyboard alone was saved as expected"
