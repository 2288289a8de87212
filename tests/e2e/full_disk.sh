#!/usr/bin/env bash
# shellcheck disable=SC2046 # coordinates split into x and y on purpose
# A full disk under the data folder, then a crash: under Xvfb with openbox,
# the real binary keeps its recovery file on a small tmpfs. A round is
# played and kept; the tmpfs is filled, and the next change cannot be kept:
# the board's title says "자동 저장을 하지 못했습니다" (no console on one
# screen) while the file still holds the last whole game. Room again, the
# next change is kept and the warning goes. Killed then, the program asks
# about that game by name and date; Escape keeps it aside in the data
# folder instead of deleting it.
#   full_disk.sh PROGRAM
# Exit code 77 (skip) when an X tool is missing or a tmpfs cannot be mounted
# (not root, or in a container that forbids it).
set -uo pipefail

program=${1:?usage: full_disk.sh PROGRAM}
# shellcheck source=lib.sh
source "$(dirname "$0")/lib.sh"
e2e_require Xvfb openbox xdotool xprop iconv mount umount
e2e_begin full_disk
e2e_fresh_home
recovery="$HOME/.local/share/zanto-scoreboard"
mkdir -p "$recovery"
if ! mount -t tmpfs -o size=64k tmpfs "$recovery" 2>/dev/null; then
    echo "SKIP: no tmpfs could be mounted"
    exit $E2E_SKIP
fi
unmount_data() { umount "$recovery" 2>/dev/null; }
trap 'e2e_cleanup; unmount_data; rm -rf "$E2E_WORK"' EXIT
e2e_start_display 1280x1024
title='Zanto 점수판'
warning='자동 저장을 하지 못했습니다'

recovery_file() { find "$recovery" -maxdepth 1 -name 'recovery-*.json' | head -n1; }
fill_disk() { dd if=/dev/zero of="$recovery/filler" bs=1k 2>/dev/null; sync; }
board_title() { e2e_window_title "$board"; }
wait_title() { # PREDICATE on the title: "has" or "lacks" the warning
    local t
    for _ in $(seq 50); do
        t=$(board_title)
        [[ $1 == has && $t == *"$warning"* ]] && return 0
        [[ $1 == lacks && $t != *"$warning"* ]] && return 0
        sleep 0.2
    done
    e2e_fail "the board's title is \"$t\""
}

e2e_play_first_round "$program" "$title"
left=$(recovery_file)
[[ -n "$left" ]] || e2e_fail "no recovery file in $recovery"
grep -q '"Owls"' "$left" || e2e_fail "the round was not kept: $(cat "$left")"
wait_title lacks

# The disk fills up; the next round cannot be kept, and the title says so.
fill_disk
enter_points 1 70
e2e_click "$board" 84 $((board_h - 47)) # 출발
sleep 9
wait_title has
e2e_screenshot disk-full >/dev/null
grep -q '"score": 70' "$left" && e2e_fail "a round was kept on a full disk?"
grep -q '"Owls"' "$left" || e2e_fail "the full disk spoilt the kept game: $(cat "$left")"

# Room again: the next change is kept and the warning goes.
rm -f "$recovery/filler"
enter_points 1 5
e2e_click "$board" 84 $((board_h - 47)) # 출발
sleep 9
wait_title lacks
grep -q '"score": 75' "$left" || e2e_fail "the next round was not kept: $(cat "$left")"
e2e_screenshot disk-again >/dev/null

# A crash with the disk full again: the last whole game waits.
fill_disk
e2e_kill_program KILL
rm -f "$recovery/filler"
grep -q '"score": 75' "$left" || e2e_fail "the kill lost the kept game: $(cat "$left")"
kept=$(cat "$left")

e2e_restart_after_crash "$program" "$title"
e2e_key Escape # one key once threw the game away
sleep 1
aside=$(find "$recovery" -maxdepth 1 -name 'discarded-*.json' | head -n1)
[[ -n "$aside" ]] || e2e_fail "Escape threw the game away: $(ls -la "$recovery")"
[[ "$(cat "$aside")" == "$kept" ]] || e2e_fail "the game set aside differs"
e2e_find_window "$E2E_PROGRAM_PID" "$title" e2e_wider_than 900 >/dev/null \
    && e2e_fail "Escape brought the board back"
echo "PASS: a full disk was shown and survived a crash, and Escape kept the game aside"
