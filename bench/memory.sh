#!/usr/bin/env bash
# Memory: the peak resident size of the course page program over a whole
# sample module with its videos, under a virtual display; the target is under
# 200 MB.
#
#   bench/memory.sh [BUILD_DIR]       (build by default)
#
# The learner of the program tests (tests/programs/learner.sh) plays the
# sample training module (session 1, questions 1211 to 1213), every answer
# right: it drags the words of the first exercise into their gaps and opens
# the lesson, which plays PLAY_SECONDS (5) in the media window before it
# presses Quitter; it checks the answer and opens the solution video, which
# plays to its end in sound mode (stored so in the run's own home); it types
# the two words of the second exercise and chooses the menu of the third,
# checking each and going on until the module ends. Each step waits for the
# window it needs, at most STEP_TIMEOUT (30) seconds. The peak is the
# program's VmHWM, read every 50 ms until it ends.
set -euo pipefail
build=${1:-build}
play=${PLAY_SECONDS:-5}
# shellcheck source=tests/programs/learner.sh
. "$(dirname "$0")/../tests/programs/learner.sh"

# The peak of the part played, when a step fails.
on_failure() {
  if [ -s "$work/peak" ]; then
    echo "memory: the peak of the part played: $(($(cat "$work/peak") / 1024)) MB" >&2
  fi
}

# The course page's peak, read every 50 ms into $work/peak while it runs.
watch_peak() {
  local peak=0 hwm
  while program_running; do
    hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$program_pid/status" 2>/dev/null || true)
    if [ -n "$hwm" ] && [ "$hwm" -gt "$peak" ]; then
      peak=$hwm
      echo "$peak" >"$work/peak.new" && mv "$work/peak.new" "$work/peak"
    fi
    sleep 0.05
  done
}

# The solution video ends only in sound mode, whatever the person chose last.
set_stored_setting 'Quelvoro Inet\IHM Client' InitAvecSon True
start_display
start_server
start_course_page
watch_peak &
started_helpers+=($!)

wait_for_question 1
answer_question_1 right
open_lesson
sleep "$play"
quit_media_window
check_answer
play_solution_to_end
go_on

play_question 2 right
play_question 3 right
expect_exit 0

peak_kb=$(cat "$work/peak" 2>/dev/null || echo 0)
echo "page events:"
grep -E '^Retour' "$work/course-page.out" || fail "the module ended without a page event"
# Every answer was right, else the learner's places missed a control.
grep -q 'NbQuestionReussiDuModule=3' "$work/course-page.out" || fail "the module ended with answers not all right"
peak_mb=$(awk -v kb="$peak_kb" 'BEGIN { printf "%.1f", kb / 1024 }')
verdict=MISSED
[ "$peak_kb" -lt $((200 * 1024)) ] && verdict=met
echo "course page peak resident size: $peak_mb MB (limit 200 MB) $verdict; exit status $program_status"
