#!/usr/bin/env bash
# Shows a program as a user sees it: starts it under Xvfb, waits, saves a screenshot of the
# whole screen as PNG, and ends it.
#   scripts/screenshot.sh PROGRAM OUTPUT.png [SECONDS] [ARGS...]
set -euo pipefail
program=$1; out=$2; wait=${3:-3}; shift $(( $# >= 3 ? 3 : $# ))
display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb "$program" "$@" &
app=$!
sleep "$wait"
DISPLAY=$display xwd -root -silent | convert xwd:- "$out"
kill "$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
echo "saved $out"
