#!/usr/bin/env bash
# The AICC course launcher on the sample training module 1201, launched by the
# sample course server playing a learning management system, as a learner
# plays it: the first and third questions answered right, the second wrong.
# The program ends with status 0 once the system stored the report (putparam:
# score, status and time) and the end of the unit (exitAU).
#
#   tests/programs/pelago-module.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
# shellcheck source=tests/programs/learner.sh
. "$(dirname "$0")/learner.sh"
limit_run 120

start_display
start_server
start_pelago "$server_url" --module 1201

play_question 1 right
play_question 2 wrong
play_question 3 right

# The report, the end of the unit three seconds later, the end of the
# program five seconds after that.
expect_exit 0
expect_served_all

stored=$work/records/aicc.jsonl
[ -s "$stored" ] || fail "the system stored nothing"
expect_value "the requests the system stored" "$(sed -n 's/.*"command":"\([^"]*\)","fields".*/\1/p' "$stored" | tr '\n' ' ')" \
  'putparam exitau '
report=$(sed -n '1s/.*"aicc_data":"\([^"]*\)".*/\1/p' "$stored")
# Two questions of three passed, out of 20: 13; finished (C); the run's time.
expect_value "the report" "$report" '\[Core\]\\r\\nScore=13\\r\\nLesson_Status=C\\r\\nTime=00:0[0-4]:[0-5][0-9]'
for line in 1 2; do
  expect_value "the session of stored request $line" "$(sed -n "${line}s/.*\"session_id\":\"\([^\"]*\)\".*/\1/p" "$stored")" \
    SAMPLE-1
done
