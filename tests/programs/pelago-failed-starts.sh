#!/usr/bin/env bash
# The AICC course launcher's failures, as a management system's administrator
# meets them: a start that fails and a result the system refuses each end the
# program with status 1 and their words on its standard error, never with a
# signal; a command line it cannot use ends it with status 2 before any window.
#
#   tests/programs/pelago-failed-starts.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
# shellcheck source=tests/programs/learner.sh
. "$(dirname "$0")/learner.sh"
limit_run 150


start_display

# A value the launcher cannot use: refused in one line before any window
# opens. OPTION VALUE|WORDS
while IFS='|' read -r option words; do
  # shellcheck disable=SC2086
  start_program pelago "$build/apps/pelago/pelago" --launch "http://127.0.0.1:9/LMS/launch?aicc_sid=S&aicc_url=http://127.0.0.1:9/LMS/aicc" \
    --lms-url http://127.0.0.1:9/LMS/ --application 12 --module 1201 $option
  expect_exit 2
  expect_value "what the launcher said to $option" "$(cat "$work/pelago.err")" "pelago: $words \\(pelago --help lists the options\\)"
done <<'ROADS'
--note-max abc|--note-max needs a whole number from 0 to 2147483647, not "abc"
--method soap|--method needs post, get or scorm, not "soap"
ROADS

# The system out of reach: the port of a server that has stopped.
start_server
unreachable=$server_url
stop_sample_server
start_pelago "$unreachable" --module 1201
expect_exit 1 "step code 21547, error 21559 : Le système de formation est injoignable : Connection refused"

# The learner's identity (getparam) refused or unreadable, one fault at a time:
# FAULT|WORDS
while IFS='|' read -r fault words; do
  start_server --fault "$fault"
  start_pelago "$server_url" --module 1201
  expect_exit 1 "step code 21547, $words"
  stop_sample_server
done <<'ROADS'
hacp=1:getparam|error 1 : Invalid Command
hacp=3:getparam|error 3 : Invalid Session ID
html:getparam|error 13 : Réponse AICC illisible : <h1>Votre session a expiré</h1>
empty:getparam|error 13 : Réponse AICC illisible : (vide)
status=500:getparam|error 500 : Le système de formation a répondu HTTP 500 Internal Server Error
ROADS

# A course page of the system that fails: the module's questions.
start_server --fault status=500:LMS_InfoQuestDuModule
start_pelago "$server_url" --module 1201
expect_exit 1 "step code 21559, error 500 : 500 Internal Server Error"
stop_sample_server
start_server --fault empty:LMS_InfoQuestDuModule
start_pelago "$server_url" --module 1201
expect_exit 1 "step code 21556, error 91 : La page n'a pas de formulaire"
stop_sample_server

# The run's result refused once a question was played: the report (putparam),
# the end of the unit (exitAU), or both, which the message names together.
# FAULTS|WORDS
while IFS='|' read -r faults words; do
  # shellcheck disable=SC2086
  start_server $faults
  start_pelago "$server_url" --question 1211
  play_question 1 right
  expect_exit 1 "$words"
  stop_sample_server
done <<'ROADS'
--fault hacp=1:putparam|the result report failed: step code 21543, error 1 : Invalid Command
--fault hacp=1:exitAU|the end of the unit failed: step code 21544, error 1 : Invalid Command
--fault hacp=1:putparam --fault hacp=3:exitAU|the result report failed: step code 21543, error 1 : Invalid Command; the end of the unit failed: step code 21544, error 3 : Invalid Session ID
ROADS
