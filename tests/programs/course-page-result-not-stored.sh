#!/usr/bin/env bash
# The course page when the result post fails: the learner answers the first
# question and leaves; the server answers the post with an error status, the
# learner is told why and asked to send it again, and gives up. The page ends
# with status 1, saying that the result was not stored and why.
#
#   tests/programs/course-page-result-not-stored.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
# shellcheck source=tests/programs/learner.sh
. "$(dirname "$0")/learner.sh"
limit_run 120

start_display
start_server --fault status=500:SetResultModule.aspx
start_course_page

wait_for_question 1
answer_question_1 right
check_answer
# The quit button, at the right of the question window's bar.
read -r question _ h _ <<<"$found"
click_at "$question" 280 $((h >= 240 ? 228 : 74))
wait_for "the failed post's question" message_box '^Système multimédia de formation$'
# Closing the box gives up, as Annuler does.
close_window "${found%% *}"
expect_exit 1 "the result was not stored: 21052 : 500 Internal Server Error"
grep -qx 'RetourForm IdUser=7 .*' "$work/course-page.out" || fail "the page's event is not RetourForm: $(cat "$work/course-page.out")"
