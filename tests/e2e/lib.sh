# shellcheck shell=bash
# Shared machinery for the end-to-end tests, sourced by each test script:
# a display of its own under Xvfb with openbox, a fresh home folder, the
# program started and its windows found, input, screenshots and cleanup.
#
# Windows are found by the program's process (_NET_WM_PID) and by
# _NET_WM_NAME, never by WM_NAME: under the C locale the program's legacy
# WM_NAME holds the UTF-8 bytes of its Korean title read as Latin-1.
#
# Globals a test may read: E2E_WORK (scratch folder, removed at exit),
# E2E_PROGRAM_PID, E2E_PROGRAM_STATUS, E2E_QUESTION, DISPLAY, HOME.
# E2E_ARTIFACTS (environment) is where screenshots go, default $TMPDIR or /tmp;
# E2E_DISPLAY (environment), when set, is the X display number to use
# instead of the first free one.

# shellcheck disable=SC2034 # the globals are for the sourcing test
E2E_SKIP=77
E2E_WORK=
E2E_PIDS=()
E2E_PROGRAM_PID=
E2E_PROGRAM_STATUS=
E2E_PROGRAM_STARTS=0
E2E_QUESTION=

# e2e_require TOOL...: skips the test when a tool is missing. Nothing is
# installed from here; tools/install-deps --test does that before ctest.
e2e_require() {
    local tool missing=()
    for tool in "$@"; do command -v "$tool" >/dev/null || missing+=("$tool"); done
    if ((${#missing[@]})); then
        echo "SKIP: missing ${missing[*]} (tools/install-deps --test installs them)"
        exit $E2E_SKIP
    fi
}

# e2e_begin NAME: the scratch folder and the cleanup at exit. NAME prefixes
# the screenshots.
e2e_begin() {
    E2E_NAME=${1:?usage: e2e_begin NAME}
    E2E_ARTIFACTS=${E2E_ARTIFACTS:-${TMPDIR:-/tmp}}
    mkdir -p "$E2E_ARTIFACTS"
    rm -f "$E2E_ARTIFACTS/$E2E_NAME-failure.png"
    E2E_WORK=$(mktemp -d)
    trap e2e_cleanup EXIT
}

e2e_cleanup() {
    local i
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do kill "${E2E_PIDS[i]}" 2>/dev/null; done
    wait 2>/dev/null
    [[ -n "$E2E_WORK" ]] && rm -rf "$E2E_WORK"
}

# e2e_screenshot NAME: the whole screen as $E2E_ARTIFACTS/<test>-NAME.png;
# prints the path.
e2e_screenshot() {
    local file="$E2E_ARTIFACTS/$E2E_NAME-$1.png"
    import -window root "$file" 2>/dev/null && echo "$file"
}

# e2e_fail MESSAGE: reports, keeps a screenshot and the program's output,
# and ends the test.
e2e_fail() {
    local shot log
    echo "FAIL: $*"
    [[ -n "$E2E_PROGRAM_PID" ]] && ! kill -0 "$E2E_PROGRAM_PID" 2>/dev/null \
        && echo "the program is no longer running"
    shot=$(e2e_screenshot failure) && echo "screenshot: $shot"
    for log in "$E2E_WORK"/program.*.log; do
        [[ -f "$log" ]] && sed "s/^/${log##*/}: /" "$log"
    done
    exit 1
}

# e2e_start_display WIDTHxHEIGHT: Xvfb on whichever display number is free
# (or on E2E_DISPLAY, when the environment names one), then openbox;
# returns once the window manager has taken the screen.
e2e_start_display() {
    local size=${1:?usage: e2e_start_display WIDTHxHEIGHT} number=$E2E_WORK/display
    if [[ -n "${E2E_DISPLAY:-}" ]]; then
        # A display number given from outside, where several runs share a machine.
        Xvfb ":$E2E_DISPLAY" -screen 0 "${size}x24" -nolisten tcp >"$E2E_WORK/xvfb.log" 2>&1 &
        E2E_PIDS+=($!)
        for _ in $(seq 100); do xdpyinfo -display ":$E2E_DISPLAY" >/dev/null 2>&1 && break; sleep 0.05; done
        echo "$E2E_DISPLAY" >"$number"
    else
        Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp \
            3>"$number" >"$E2E_WORK/xvfb.log" 2>&1 &
        E2E_PIDS+=($!)
    fi
    for _ in $(seq 100); do [[ -s "$number" ]] && break; sleep 0.05; done
    [[ -s "$number" ]] || { cat "$E2E_WORK/xvfb.log"; e2e_fail "Xvfb did not start"; }
    DISPLAY=":$(head -n1 "$number")"
    export DISPLAY
    for _ in $(seq 100); do xprop -root >/dev/null 2>&1 && break; sleep 0.05; done
    # On a loaded machine (the sanitizer suite runs beside these tests)
    # openbox can take seconds to take the screen, or give up early: wait
    # up to 30 s and start it again when it has ended.
    local wm tries
    openbox >"$E2E_WORK/openbox.log" 2>&1 3>&- &
    wm=$!
    E2E_PIDS+=("$wm")
    for ((tries = 600; tries > 0; tries--)); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
        if ! kill -0 "$wm" 2>/dev/null; then
            openbox >>"$E2E_WORK/openbox.log" 2>&1 3>&- &
            wm=$!
            E2E_PIDS+=("$wm")
        fi
        sleep 0.05
    done
    cat "$E2E_WORK/openbox.log"
    e2e_fail "openbox did not start"
}

# e2e_fresh_home: an empty home and runtime folder, no inherited XDG
# folders, and the program on X11. Kept across restarts of the program.
e2e_fresh_home() {
    export HOME="$E2E_WORK/home"
    mkdir -p "$HOME"
    unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME XDG_DOCUMENTS_DIR
    export XDG_RUNTIME_DIR="$E2E_WORK/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    export QT_QPA_PLATFORM=xcb
}

# e2e_start_program PROGRAM [ARG...]: starts it in the background, its
# output in program.N.log; sets E2E_PROGRAM_PID.
e2e_start_program() {
    E2E_PROGRAM_STARTS=$((E2E_PROGRAM_STARTS + 1))
    "$@" >"$E2E_WORK/program.$E2E_PROGRAM_STARTS.log" 2>&1 3>&- &
    E2E_PROGRAM_PID=$!
    E2E_PIDS+=("$E2E_PROGRAM_PID")
}

# e2e_wait_program_exit SECONDS: waits for the program to end and sets
# E2E_PROGRAM_STATUS; fails when it is still running after SECONDS.
e2e_wait_program_exit() {
    local tries=$((${1:?usage: e2e_wait_program_exit SECONDS} * 10))
    for ((; tries > 0; tries--)); do kill -0 "$E2E_PROGRAM_PID" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$E2E_PROGRAM_PID" 2>/dev/null && return 1
    wait "$E2E_PROGRAM_PID"
    E2E_PROGRAM_STATUS=$?
    return 0
}

# e2e_kill_program [SIGNAL]: ends the program abruptly (default KILL), as a
# crash or a pulled plug would.
e2e_kill_program() {
    kill -s "${1:-KILL}" "$E2E_PROGRAM_PID" 2>/dev/null
    wait "$E2E_PROGRAM_PID" 2>/dev/null
    E2E_PROGRAM_STATUS=$?
}

# e2e_window_title WINDOW: its _NET_WM_NAME in UTF-8, whatever the locale;
# xprop escapes non-ASCII bytes unless its own locale is UTF-8.
e2e_window_title() {
    local line
    line=$(LC_ALL=C.UTF-8 xprop -id "$1" -notype _NET_WM_NAME 2>/dev/null) || return 1
    [[ $line == '_NET_WM_NAME = "'*'"' ]] || return 1
    line=${line#*= \"}
    printf '%s\n' "${line%\"}"
}

# e2e_window_size WINDOW: prints "WIDTH HEIGHT".
e2e_window_size() {
    local WIDTH HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)" || return 1
    echo "$WIDTH $HEIGHT"
}

# Size predicates for e2e_find_window; the window's width and height follow
# their own arguments.
e2e_size_is() { (($3 == $1 && $4 == $2)); }   # WIDTH HEIGHT
e2e_wider_than() { (($2 > $1)); }             # WIDTH

# e2e_find_window PID TITLE PREDICATE...: prints the first visible window
# of process PID titled TITLE for which PREDICATE... WIDTH HEIGHT holds.
e2e_find_window() {
    local pid=$1 title=$2 id size
    shift 2
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [[ $(e2e_window_title "$id") == "$title" ]] || continue
        size=$(e2e_window_size "$id") || continue
        # shellcheck disable=SC2086 # "WIDTH HEIGHT" splits into two arguments
        "$@" $size && { echo "$id"; return 0; }
    done
    return 1
}

# e2e_wait_window PID TITLE PREDICATE...: e2e_find_window, retried for up
# to 20 seconds while the process lives.
e2e_wait_window() {
    local id
    for _ in $(seq 100); do
        id=$(e2e_find_window "$@") && { echo "$id"; return 0; }
        kill -0 "$1" 2>/dev/null || return 1
        sleep 0.2
    done
    return 1
}

# Input goes where a person's would: the pointer moves over the window and
# keys go to the focused window. The pauses let the program react.
e2e_click() { # WINDOW X Y
    xdotool mousemove --window "$1" "$2" "$3" sleep 0.2 click 1 sleep 0.3
}
e2e_type() { # TEXT
    xdotool type --delay 50 "$1"
}
e2e_key() { # KEY...
    xdotool key "$@"
}

# e2e_keys KEY...: each key with a pause after it, as a presenter types.
e2e_keys() {
    local key
    for key in "$@"; do e2e_key "$key"; sleep 0.25; done
}

# e2e_expect_active WINDOW WHAT: fails unless WINDOW has the keyboard
# within 5 s; WHAT names it in the failure.
e2e_expect_active() {
    local active
    for _ in $(seq 25); do
        active=$(xdotool getactivewindow 2>/dev/null) && [[ $active == "$1" ]] && return 0
        sleep 0.2
    done
    e2e_fail "$2 does not have the keyboard"
}

# e2e_restart_after_crash PROGRAM TITLE: starts the program again after a
# kill, waits for the setup window and the question about the game left
# behind (the program's other small window), screenshots it as "question"
# and gives it the keyboard; sets E2E_QUESTION to its window.
e2e_restart_after_crash() {
    e2e_start_program "$1"
    e2e_wait_window "$E2E_PROGRAM_PID" "$2" e2e_size_is 396 292 >/dev/null \
        || e2e_fail "the setup window did not appear after the crash"
    is_question_box() { (($1 < 900)) && ! (($1 == 396 && $2 == 292)); }
    E2E_QUESTION=$(e2e_wait_window "$E2E_PROGRAM_PID" "$2" is_question_box) \
        || e2e_fail "no question about the last game"
    sleep 0.5
    e2e_screenshot question >/dev/null
    xdotool windowactivate --sync "$E2E_QUESTION" 2>/dev/null
}

# e2e_board_px WIDTH HEIGHT LENGTH: a design length on a board of that size.
# Beyond its design size (1024 x 766) the board grows by the smaller of
# width / 1024 and height / 766, its lengths rounded up.
e2e_board_px() {
    awk -v w="$1" -v h="$2" -v d="$3" 'BEGIN {
        s = w / 1024; if (h / 766 < s) s = h / 766; if (s < 1) s = 1
        v = d * s - 1e-9; r = int(v); if (r < v) r++; print r }'
}

# e2e_command_bar_point WIDTH HEIGHT X Y: a design point of the command bar
# (left-hand group, Y from the bar's top) on a board of that size.
e2e_command_bar_point() {
    echo "$(e2e_board_px "$1" "$2" "$3")" \
        $(($2 - $(e2e_board_px "$1" "$2" 71) + $(e2e_board_px "$1" "$2" "$4")))
}

# The first round both evenings share: the program started, teams 0 ("Owls"),
# 1 and 4 chosen, 30 and 120 points typed for the first and third and the race
# run to its end. Leaves setup, board, board_w, board_h, row_centre and
# enter_points for the rest of the evening.
e2e_play_first_round() { # program title
    local program=$1 title=$2
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
    row_banner=$(e2e_board_px "$board_w" "$board_h" 260)
    row_height=$(e2e_board_px "$board_w" "$board_h" 50)
    row_bar=$(e2e_board_px "$board_w" "$board_h" 71)
    free=$((board_h - row_banner - row_bar - row_height * teams)) parts=$((teams + 1))
    gap=$((free / parts)) rest=$((free % parts))
    if ((2 * rest > parts || (2 * rest == parts && gap % 2 == 1))); then gap=$((gap + 1)); fi
    row_centre() {
        echo "$(e2e_board_px "$board_w" "$board_h" 83)" \
            $(((row_height + gap) * $1 + row_banner + gap + row_height / 2))
    }

    enter_points() { # slot points
        e2e_click "$board" $(row_centre "$1")
        e2e_key ctrl+a
        e2e_type "$2"
        e2e_key Return
        sleep 0.3
    }
    enter_points 0 30
    enter_points 2 120

    # 출발: the bars race for 7.5 seconds
    e2e_click "$board" $(e2e_command_bar_point "$board_w" "$board_h" 84 24)
    sleep 9
}

# e2e_expect_saved_game FILE TEXT: waits for FILE to appear and fails unless
# it holds TEXT (given in UTF-8, printf escapes allowed) in code page 949.
e2e_expect_saved_game() {
    local file=$1 expected="$E2E_WORK/expected.scr"
    for _ in $(seq 20); do [[ -f "$file" ]] && break; sleep 0.2; done
    [[ -f "$file" ]] || e2e_fail "no saved game at $file"
    # shellcheck disable=SC2059 # the text carries the file's line ends
    printf "$2" | iconv -f UTF-8 -t CP949 >"$expected"
    if ! cmp -s "$expected" "$file"; then
        echo "expected:"; od -c "$expected"
        echo "saved:"; od -c "$file"
        e2e_fail "the saved file differs"
    fi
}

# e2e_leave_board BOARD WIDTH HEIGHT: the leave button (나가기); the program
# must end at once with status 0, asking nothing.
e2e_leave_board() {
    local px
    px=$(e2e_board_px "$2" "$3" 26)
    e2e_click "$1" $(($2 - $(e2e_board_px "$2" "$3" 74) + px)) \
        $(e2e_command_bar_point "$2" "$3" 0 22 | cut -d' ' -f2) # 나가기
    e2e_wait_program_exit 5 || e2e_fail "the program did not end after the leave button"
    [[ $E2E_PROGRAM_STATUS -eq 0 ]] || e2e_fail "the program ended with status $E2E_PROGRAM_STATUS"
}
