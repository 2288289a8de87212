#!/bin/sh
# The lettering of the board with six teams (names of 2, 4, 7, 12, 16 and 25
# letters) measured in pictures at the sizes of a hall's projectors, as a
# table for docs/performance.md. Not run by ctest.
#   tests/board/measure_lettering.sh <build folder> <picture folder>
set -eu
build=${1:-build/default}
out=${2:-build/lettering}
shots="$build/tests/board/board_shots"
mkdir -p "$out"
export QT_QPA_PLATFORM=offscreen
echo "| screen | scaling | row | name | lines | name px | name % | score px | score % | shown |"
echo "|---|---|---|---|---|---|---|---|---|---|"
for size in "1024 768 1" "1366 768 1" "1920 1080 1" "3840 2160 1" "1920 1080 2"; do
    set -- $size
    prefix="$out/$(($1 * $3))x$(($2 * $3))-at$3"
    # The lowest figure of each row over the three moments (teams, mid-race, after).
    QT_SCALE_FACTOR=$3 "$shots" shoot "$1" "$2" six "$prefix" 2>/dev/null |
        awk -F'\t' -v scaling="$(( $3 * 100 ))%" '
        {
            row = $3; sub(/row /, "", row)
            split($4, n, " "); split($6, s, " "); split($5, l, " ")
            screen[row] = $2; lines[row] = l[2]; shown[row] = $7; text[row] = $8
            if (!(row in name) || n[2] + 0 < name[row] + 0) { name[row] = n[2]; nameShare[row] = n[4] }
            if (!(row in score) || s[2] + 0 < score[row] + 0) { score[row] = s[2]; scoreShare[row] = s[4] }
        }
        END {
            for (r = 0; r in name; ++r)
                printf "| %s | %s | %d | %s | %s | %s | %s | %s | %s | %s |\n", screen[r], scaling, r,
                       text[r], lines[r], name[r], nameShare[r], score[r], scoreShare[r], shown[r]
        }'
done
