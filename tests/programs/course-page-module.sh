#!/usr/bin/env bash
# The course page on the sample training module (session 1, questions 1211 to
# 1213), as a learner plays it: the first question answered right, with its
# lesson and a book in the media window and its solution in the video player,
# the second wrong, the third right. The program ends with status 0, tells the
# page the module's result, and the server stores it, checked field by field.
#
#   tests/programs/course-page-module.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
# shellcheck source=tests/programs/learner.sh
. "$(dirname "$0")/learner.sh"
limit_run 150

# The solution plays to its end in sound mode, whatever the learner chose before.
set_stored_setting 'Quelvoro Inet\IHM Client' InitAvecSon True
start_display
start_server
start_course_page

wait_for_question 1
answer_question_1 right
# The lesson plays to its end in the media window, then the learner reads its
# first book and leaves.
open_lesson
let_play 4
open_complement 1
# The window comes before its page: the learner reads once the book has come.
wait_for "the book from the server" requested '/Download/12F/Pdf/copier-coller\.htm'
quit_media_window
check_answer
play_solution_to_end
go_on
play_question 2 wrong
play_question 3 right

expect_exit 0
expect_served_all

# The page's event, with the identifiers the server gave the result.
grep -qx 'RetourFormWithMajResult IdUser=7 IdModule=1201 IdResParcours=1000 IdResModule=1001 NbQuestionReussiDuModule=2 NbQuestionReussiDuParcours=2' \
  "$work/course-page.out" || fail "the page's event is not the module's result: $(cat "$work/course-page.out")"

# The one result the server stored: the module's fields, then one record per question.
[ "$(wc -l <"$work/records/results.jsonl")" = 1 ] || fail "the server stored $(wc -l <"$work/records/results.jsonl") results, not 1"
result=$(sed -n 's/.*"ChaineResult":"\([^"]*\)".*/\1/p' "$work/records/results.jsonl")
IFS='|' read -r -a field <<<"$result"
expect_value "the number of the result's fields" "${#field[@]}" 12
expect_value "the learner (field 1)" "${field[0]}" 7
expect_value "the learning path (field 2)" "${field[1]}" 120
expect_value "the module (field 3)" "${field[2]}" 1201
expect_value "the module's result before the post (field 4)" "${field[3]}" 0
expect_value "the questions passed in the module (field 5)" "${field[4]}" 2
expect_date_in_run "the module's start (field 6)" "${field[5]}"
expect_value "the time spent in the module (field 7)" "${field[6]}" '000[0-9]:[0-9]{2}'
expect_value "the path's result (field 8)" "${field[7]}" 0
expect_value "the questions passed in the path (field 9)" "${field[8]}" 2
expect_value "the module complete (field 10)" "${field[9]}" 1
expect_value "the path's planned duration (field 12)" "${field[11]}" '0001:00'
IFS='^' read -r -a records <<<"${field[10]}"
expect_value "the number of question records (field 11)" "${#records[@]}" 3
# Question, answer type, answer: the right answers are type 4 without an
# answer of their own, the wrong word of 1212 its particular answer 513 ("E").
expected=('1211 4 -1' '1212 1 513' '1213 4 -1')
for i in 0 1 2; do
  IFS='{' read -r question type answer first_access duration <<<"${records[i]}"
  expect_value "question record $((i + 1))'s question, answer type and answer" "$question $type $answer" \
    "${expected[i]}"
  expect_date_in_run "question $question's first access" "$first_access"
  expect_value "the time spent on question $question" "$duration" '000[0-9]:[0-9]{2}'
done
