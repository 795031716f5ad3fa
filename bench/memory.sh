#!/usr/bin/env bash
# Memory: the peak resident size of the course page program over a whole
# sample module with its videos, under a virtual display; the target is under
# 200 MB.
#
#   bench/memory.sh [BUILD_DIR]       (build by default)
#
# xdotool plays the learner through the sample training module (session 1,
# questions 1211 to 1213): it drags the words of the first exercise into their
# gaps and opens the lesson, which plays PLAY_SECONDS (5) in the media window
# before it presses Quitter; it checks the answer and opens the solution video;
# it types the two words of the second exercise and chooses the menu of the
# third, checking each and going on until the module ends. Each step waits for
# the window it needs, polling, at most STEP_TIMEOUT (30) seconds. The peak is
# the program's VmHWM, read every 50 ms until it ends.
set -euo pipefail
build=${1:-build}
play=${PLAY_SECONDS:-5}
step_timeout=${STEP_TIMEOUT:-30}
tools=xdotool
# shellcheck source=bench/course-page-run.sh
. "$(dirname "$0")/course-page-run.sh"

# The places below are the controls' in the sample exercises, from each
# window's top-left corner, as the course page lays them out under Xvfb.
# The question window: the frameless one of the question player's width; its
# lesson (or, once answered, solution) button and Poursuivre sit 75 and 147
# pixels from its left, 59 from its top (213 on a question whose answer pane
# is taller than the window's top).
question_width=334
button_lesson=75
button_poursuivre=147

fail() {
  echo "memory: $*" >&2
  if [ -s "$work/peak" ]; then
    echo "memory: the peak of the part played: $(($(cat "$work/peak") / 1024)) MB" >&2
  fi
  kill "$page_pid" 2>/dev/null || true
  exit 1
}

# The id and geometry ("ID WIDTH HEIGHT") of the first viewable top-level
# window whose line in the root's children matches the extended regex.
viewable_line() {
  local id size
  while read -r id size; do
    if xwininfo -display "$display" -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
      echo "$id ${size%x*} ${size#*x}"
      return 0
    fi
  done < <(xwininfo -display "$display" -root -children 2>/dev/null | grep -E "$1" |
    sed -E 's/^ *(0x[0-9a-f]+) .* ([0-9]+x[0-9]+)\+-?[0-9]+\+-?[0-9]+ .*/\1 \2/')
  return 1
}

# Whether the course page still runs (a program that ended stays a zombie
# until it is waited for).
page_running() {
  local state
  state=$(awk '/^State:/ { print $2 }' "/proc/$page_pid/status" 2>/dev/null || true)
  [ -n "$state" ] && [ "$state" != Z ]
}
page_ended() {
  ! page_running
}

# The course page's peak, read every 50 ms into $work/peak while it runs.
watch_peak() {
  local peak=0 hwm
  while page_running; do
    hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$page_pid/status" 2>/dev/null || true)
    if [ -n "$hwm" ] && [ "$hwm" -gt "$peak" ]; then
      peak=$hwm
      echo "$peak" >"$work/peak.new" && mv "$work/peak.new" "$work/peak"
    fi
    sleep 0.05
  done
}

# Polls (every 0.1 s, at most STEP_TIMEOUT) until the command succeeds; its
# output goes to $found. A message box that comes up meanwhile (a small
# window of the system's title) fails the run, since the learner expects none.
found=
wait_for() {
  local what=$1 deadline=$((SECONDS + step_timeout)) box
  shift
  while [ "$SECONDS" -le "$deadline" ]; do
    if found=$("$@"); then return 0; fi
    page_running || fail "the course page ended while waiting for $what"
    if box=$(viewable_line 'de formation": .* [1-9][0-9]{2}x[0-9]+\+' | awk -v w="$screen_width" '$2 < w'); then
      [ -n "$box" ] && fail "a message box came up while waiting for $what (window ${box%% *})"
    fi
    sleep 0.1
  done
  fail "no $what within $step_timeout s"
}

# The exercise window of that question, by its title ("Question N - ...").
exercise_window() {
  viewable_line "\"Question $1 - "
}
question_window() {
  viewable_line " ${question_width}x[0-9]+\+"
}
# The question window once its answer pane shows (taller than at first).
question_window_answered() {
  local line
  line=$(question_window) || return 1
  read -r _ _ h <<<"$line"
  [ "$h" -gt "$question_height" ] && echo "$line"
}
# A full-screen window of the media window's or the video player's title.
full_screen_window() {
  viewable_line "$1.* ${screen_width}x[0-9]+\+0\+0 "
}
window_gone() {
  ! xwininfo -display "$display" -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Clicks at that place of the window.
click_at() {
  DISPLAY="$display" xdotool mousemove --window "$1" "$2" "$3" click 1
}
# Presses button of the question window at that distance from its left.
press_question_button() {
  local id w h y=59
  wait_for "question window" question_window
  read -r id w h <<<"$found"
  [ "$h" -ge 240 ] && y=213
  click_at "$id" "$1" "$y"
}
# Drags from one place of the window to another, as the mouse would.
drag() {
  local id=$1
  DISPLAY="$display" xdotool mousemove --window "$id" "$2" "$3" sleep 0.1 mousedown 1 sleep 0.1 \
    mousemove --window "$id" $((($2 + $4) / 2)) $((($3 + $5) / 2)) sleep 0.1 \
    mousemove --window "$id" "$4" "$5" sleep 0.1 mouseup 1
}
# Types text into the box at that place of the window.
type_into() {
  DISPLAY="$display" xdotool mousemove --window "$1" "$2" "$3" click 1 sleep 0.2 type --delay 20 "$4"
}
# Checks the answer and waits for the answer pane.
check_answer() {
  press_question_button "$button_poursuivre"
  wait_for "answer pane" question_window_answered
}
# Goes on from an answered question, once its exercise window is gone.
go_on() {
  press_question_button "$button_poursuivre"
}

screen_width=$(xwininfo -display "$display" -root | awk '/Width:/ { print $2 }')
start_course_page "$work/page.out"
watch_peak &
peak_pid=$!

# Question 1: drag-and-drop gaps. Bank words at y 78 (copier 65, coller 160,
# couper 255); gaps at (302, 134), (109, 162), (271, 190).
wait_for "first exercise" exercise_window 1
exercise=${found%% *}
wait_for "question window" question_window
read -r _ _ question_height <<<"$found"
drag "$exercise" 65 78 302 134
drag "$exercise" 160 78 109 162
drag "$exercise" 255 78 271 190
# The lesson, in the media window; Quitter is on its player's bar, 800 pixels
# wide, centred 38 pixels above the bottom, 764 pixels into it.
press_question_button "$button_lesson"
wait_for "media window" full_screen_window 'de formation'
read -r media w h <<<"$found"
sleep "$play"
click_at "$media" $(((w - 800) / 2 + 764)) $((h - 38))
wait_for "media window to close" window_gone "$media"
check_answer
# The solution video, in the video player, plays to its end and closes.
press_question_button "$button_lesson"
wait_for "video player" full_screen_window '"Formation - '
video=${found%% *}
step_timeout=$((step_timeout + 120)) wait_for "video to end" window_gone "$video"
go_on

# Question 2: typed gaps, at (231, 81) and (239, 109).
wait_for "second exercise" exercise_window 2
exercise=${found%% *}
type_into "$exercise" 231 81 enregistrer
type_into "$exercise" 239 109 impression
check_answer
go_on

# Question 3: single choice behind its reveal button (120, 84); Fichier at (37, 82).
wait_for "third exercise" exercise_window 3
exercise=${found%% *}
click_at "$exercise" 120 84
sleep 0.3
click_at "$exercise" 37 82
check_answer
go_on
wait_for "end of the module" page_ended

status=0
wait "$page_pid" 2>/dev/null || status=$?
wait "$peak_pid" 2>/dev/null || true
peak_kb=$(cat "$work/peak" 2>/dev/null || echo 0)
echo "page events:"
grep -E '^Retour' "$work/page.out" || fail "the module ended without a page event"
# Every answer was right, else the learner's places missed a control.
grep -q 'NbQuestionReussiDuModule=3' "$work/page.out" || fail "the module ended with answers not all right"
peak_mb=$(awk -v kb="$peak_kb" 'BEGIN { printf "%.1f", kb / 1024 }')
verdict=MISSED
[ "$peak_kb" -lt $((200 * 1024)) ] && verdict=met
echo "course page peak resident size: $peak_mb MB (limit 200 MB) $verdict; exit status $status"
