#!/usr/bin/env bash
# The AICC course launcher in the "scorm" method on the sample training module
# 1201: the launch page takes the result report and the end of the unit as its
# events FinModule and ExitAU, and the program, standing for that page, prints
# each on its standard output. The learner answers the first and third
# questions right, the second wrong. The program ends with status 0, both
# events printed with the run's status, score and time, and the system gets
# the identity request (getparam, by POST) and no report and no end of unit.
#
#   tests/programs/pelago-scorm.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
# shellcheck source=tests/programs/learner.sh
. "$(dirname "$0")/learner.sh"
limit_run 120

start_display
start_server
# The method in any letter case, as a launch page may write it.
start_pelago "$server_url" --module 1201 --method Scorm

play_question 1 right
play_question 2 wrong
play_question 3 right

# The report, the end of the unit three seconds later, the end of the
# program five seconds after that.
expect_exit 0
expect_served_all

# Two questions of three passed, out of 20: 13; finished; the run's time.
events=$(cat "$work/pelago.out")
expect_value "the page's events" "$events" \
  $'FinModule isStatut=completed isScore=13 isTime=00:0[0-4]:[0-5][0-9]\nExitAU'

# The one AICC request is the identity's, by POST; nothing was stored.
expect_value "the AICC requests" "$(grep -E '^[A-Z]+ /LMS/aicc[?/ ]' "$work/records/server.log" | cut -d' ' -f1 | tr '\n' ' ')" \
  'POST '
[ ! -s "$work/records/aicc.jsonl" ] || fail "the system stored requests: $(cat "$work/records/aicc.jsonl")"
