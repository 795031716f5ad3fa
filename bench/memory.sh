#!/usr/bin/env bash
# Memory: the peak resident size of the course page program over a whole
# sample module with its videos, under a virtual display; the target is under
# 200 MB.
#
#   bench/memory.sh [BUILD_DIR]       (build by default)
#
# xdotool plays the learner: every STEP_SECONDS (2) it presses Poursuivre on
# the question window, so that each question is checked as it stands and the
# module goes on to its end, and it leaves each media window that opens (the
# lessons, which the training module opens after each question) to play
# PLAY_SECONDS (5) before pressing its Quitter button. The peak is the program's VmHWM, read
# until it ends (LIMIT_SECONDS, 600, at most).
set -euo pipefail
build=${1:-build}
step=${STEP_SECONDS:-2}
play=${PLAY_SECONDS:-5}
limit=${LIMIT_SECONDS:-600}
# The media window's title holds this (its accents may not come through the X tools).
media_title=${MEDIA_TITLE:-de formation}
tools=xdotool
# shellcheck source=bench/course-page-run.sh
. "$(dirname "$0")/course-page-run.sh"

# The question window is the frameless one of the question player's width;
# Poursuivre sits 132 pixels from its left, 46 from its top on an exercise
# question and 200 once the answer pane shows.
press_poursuivre() {
  local line id height
  line=$(xwininfo -display "$display" -root -children 2>/dev/null | grep -E ' 334x[0-9]+\+' | head -n1) || return 0
  [ -n "$line" ] || return 0
  id=${line%% *}
  height=$(sed -E 's/.* 334x([0-9]+)\+.*/\1/' <<<"$line")
  local y=59
  [ "$height" -ge 240 ] && y=213
  DISPLAY="$display" xdotool mousemove --window "$id" 147 "$y" click 1 2>/dev/null || true
}

# The media window covers the screen; its player's bar, 800 pixels wide, is
# centred 50 pixels above the bottom, Quitter 754 pixels into it.
press_media_quitter() {
  local geometry width height
  geometry=$(xwininfo -display "$display" -id "$1" 2>/dev/null | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
  read -r width height <<<"$geometry"
  [ -n "$height" ] || return 0
  DISPLAY="$display" xdotool mousemove --window "$1" $(((width - 800) / 2 + 764)) $((height - 38)) click 1 2>/dev/null || true
}

start_course_page "$work/page.out"
complete=yes
peak_kb=0
started=$SECONDS
media_since=
next_press=$((SECONDS + step))
while kill -0 "$page_pid" 2>/dev/null; do
  hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$page_pid/status" 2>/dev/null || true)
  [ -n "$hwm" ] && [ "$hwm" -gt "$peak_kb" ] && peak_kb=$hwm
  if [ $((SECONDS - started)) -gt "$limit" ]; then
    echo "memory: the module did not end within $limit s: the peak is that of the part played" >&2
    complete=
    break
  fi
  media=$(viewable_window "$media_title" || true)
  if [ -n "$media" ]; then
    media_since=${media_since:-$SECONDS}
    if [ $((SECONDS - media_since)) -ge "$play" ]; then
      press_media_quitter "$media"
      media_since=
    fi
  elif [ "$SECONDS" -ge "$next_press" ]; then
    press_poursuivre
    next_press=$((SECONDS + step))
  fi
  sleep 0.1
done
kill "$page_pid" 2>/dev/null || true
status=0
wait "$page_pid" 2>/dev/null || status=$?

echo "page events:"
if ! grep -E '^Retour' "$work/page.out"; then
  echo "  (none); the course page said:"
  tail -n 20 "$work/page.out" "$work/page.out.err"
  complete=
fi
peak_mb=$(awk -v kb="$peak_kb" 'BEGIN { printf "%.1f", kb / 1024 }')
verdict=MISSED
[ "$peak_kb" -lt $((200 * 1024)) ] && verdict=met
echo "course page peak resident size: $peak_mb MB (limit 200 MB) $verdict; exit status $status"
[ -n "$complete" ]
