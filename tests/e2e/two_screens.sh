#!/usr/bin/env bash
# An evening on a laptop and a projector: one X screen split into two
# monitors, the laptop (1280 x 800, primary) at the left and the projector
# (1920 x 1080) at its right. The board fills the projector, the console
# opens on the laptop and keeps the keyboard through F11, clicks on the board
# and every clicker key. After each step the projector's pixels are compared
# with what they were before it: typed digits and pending points never reach
# them. The key moments are kept as screenshots in $E2E_ARTIFACTS.
#   two_screens.sh PROGRAM
# Exit code 77 (skip) when Xvfb, openbox, xrandr, xdotool, xprop, iconv,
# import or compare is missing.
set -uo pipefail

program=${1:?usage: two_screens.sh PROGRAM}
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_require Xvfb openbox xrandr xdotool xprop iconv import compare
e2e_begin two_screens
e2e_start_display 3200x1080
xrandr --setmonitor laptop 1280/338x800/211+0+0 screen >/dev/null \
    && xrandr --setmonitor projector 1920/508x1080/286+1280+0 none >/dev/null \
    || e2e_fail "the two monitors could not be set up"
e2e_fresh_home
saved="$HOME/Documents/Zanto 점수판"
title='Zanto 점수판'

# The projector's pixels as $E2E_ARTIFACTS/two_screens-NAME.png; prints the path.
projector() { # NAME
    local whole="$E2E_WORK/whole.png" file="$E2E_ARTIFACTS/$E2E_NAME-$1.png"
    # The pointer rests on the laptop, where it hides nothing of the board.
    xdotool mousemove 5 795
    sleep 0.3
    import -window root "$whole" 2>/dev/null && convert "$whole" -crop 1920x1080+1280+0 +repage "$file" \
        && echo "$file"
}
laptop() { # NAME
    local whole="$E2E_WORK/whole.png"
    import -window root "$whole" 2>/dev/null \
        && convert "$whole" -crop 1280x800+0+0 +repage "$E2E_ARTIFACTS/$E2E_NAME-$1.png"
}
differing_pixels() { # FILE FILE
    compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}
same_projector() { # BEFORE-FILE STEP: the projector shows what it showed before
    local now
    now=$(projector "$2") || e2e_fail "no screenshot after $2"
    [[ $(differing_pixels "$1" "$now") == 0 ]] || e2e_fail "the projector changed after $2"
}

e2e_start_program "$program"
setup=$(e2e_wait_window "$E2E_PROGRAM_PID" "$title" e2e_size_is 396 292) \
    || e2e_fail "the setup window did not appear"
# Six teams: 믿음, 소망, 사랑, 은혜, 말씀, 온유. With two monitors the setup
# window proposes the projector for the board.
tops=(22 42 62 82 100 118 138 158)
for k in 0 1 2 3 4 5; do
    e2e_click "$setup" 38 $((8 + tops[k] + 9))
    e2e_keys Return
done
e2e_click "$setup" 324 29 # 시작

board=$(e2e_wait_window "$E2E_PROGRAM_PID" "$title" e2e_size_is 1920 1080) \
    || e2e_fail "the board did not fill the projector"
console=$(e2e_wait_window "$E2E_PROGRAM_PID" "$title - 진행자" e2e_wider_than 500) \
    || e2e_fail "the console did not open"
eval "$(xdotool getwindowgeometry --shell "$board")"
((X == 1280 && Y == 0)) || e2e_fail "the board is at $X,$Y, not on the projector"
e2e_expect_active "$console" "the console"
sleep 1
start=$(projector 1-start) || e2e_fail "no screenshot"

# Points typed in the console: nothing of them on the projector.
e2e_keys 3
e2e_type "140"
same_projector "$start" 2-typed
e2e_keys Return
same_projector "$start" 3-pending

# F11 leaves full screen and comes back; the keyboard stays on the laptop.
e2e_keys F11
sleep 1
[[ $(e2e_window_size "$board") != "1920 1080" ]] || e2e_fail "F11 did not leave full screen"
e2e_expect_active "$console" "the console after F11"
windowed=$(projector 4-windowed) || e2e_fail "no screenshot"
e2e_keys 1
e2e_type "25"
same_projector "$windowed" 5-typed-windowed
e2e_keys Return
e2e_keys F11
sleep 1
[[ $(e2e_window_size "$board") == "1920 1080" ]] || e2e_fail "F11 did not fill the projector again"
e2e_expect_active "$console" "the console after the second F11"

# A click on 사랑's button on the board opens its points in the console.
# Row 2 of six on the grown projector board: the rows share the height
# between banner and command bar (a pixel of rounding does not matter here).
row_top=$(e2e_board_px 1920 1080 260) row_height=$(e2e_board_px 1920 1080 50)
row_gap=$(((1080 - row_top - $(e2e_board_px 1920 1080 71) - 6 * row_height) / 7))
xdotool mousemove --window "$board" "$(e2e_board_px 1920 1080 83)" \
    $((row_top + 3 * row_gap + 2 * row_height + row_height / 2)) sleep 0.2 click 1
e2e_expect_active "$console" "the console after a click on the board"
clicked=$(projector 6-clicked) || e2e_fail "no screenshot"
[[ $(differing_pixels "$start" "$clicked") == 0 ]] || e2e_fail "a click on the board changed it"
e2e_type "60"
same_projector "$start" 7-typed-after-click
e2e_keys Return
# 믿음 to 200 too, for a tie.
e2e_keys 1
e2e_type "175"
e2e_keys Return
same_projector "$start" 8-all-pending
laptop console-pending

# The clicker: blank, back, the race, the winners.
e2e_keys b
sleep 0.5
blank=$(projector 9-blank) || e2e_fail "no screenshot"
[[ $(differing_pixels "$start" "$blank") != 0 ]] || e2e_fail "b did not blank the board"
e2e_keys period
sleep 0.5
same_projector "$start" 10-back
e2e_keys Next
sleep 9
e2e_keys Prior
sleep 0.8
projector 11-winners >/dev/null
laptop console-winners
sleep 3
raced=$(projector 12-after-the-round) || e2e_fail "no screenshot"
[[ $(differing_pixels "$start" "$raced") != 0 ]] || e2e_fail "Page Down ran no race"

# Nothing pending: a start says so and leaves the board as it is.
e2e_keys Next
sleep 1
same_projector "$raced" 13-empty-start

e2e_keys ctrl+s
sleep 1
e2e_type "evening"
e2e_keys Return
sleep 1
e2e_keys Return # the confirmation
sleep 0.5
e2e_expect_saved_game "$saved/evening.scr" \
    '6;500;50\r\n믿음;200\r\n소망;0\r\n사랑;200\r\n은혜;0\r\n말씀;0\r\n온유;0\r\n'

# F1: the guide in a window of its own.
e2e_keys F1
help=$(e2e_wait_window "$E2E_PROGRAM_PID" "$title - 도움말" e2e_wider_than 500) \
    || e2e_fail "F1 did not open the guide"
sleep 0.5
laptop help
echo "PASS: the projector showed nothing typed, and the evening was saved as expected"
