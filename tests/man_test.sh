#!/usr/bin/env bash
# Each man page renders without a single warning, through tbl and at a terminal's width, as man
# would show it.
set -u
status=0
for page in "$@"; do
    msgs=$(groff -man -t -ww -z -Tutf8 "$page" 2>&1)
    if [ -n "$msgs" ]; then
        echo "$page: $msgs"
        status=1
    fi
done
exit $status
