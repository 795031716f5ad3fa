#!/usr/bin/env bash
# The exercise engine's stand-alone mode (exerva qol) on three sample
# questions, as a person trying them: the first answered right, the second
# wrong, the third left unanswered. Closing each exercise window hands the
# answer in and a message box titled "Exerva" tells the outcome ("Bravo",
# "Erreur E", "Erreur N"); after the last one the program ends with status 0.
#
#   tests/programs/exerva-standalone.sh [BUILD_DIR]
#
# A message box's text cannot be read from outside the program: the outcome
# is read from the mode's trace, which writes the scoring that the box's text
# is made of ("Bravo = True ; LettreReponse = A") before the box comes up.
set -euo pipefail
build=${1:-build}
# shellcheck source=tests/programs/learner.sh
. "$(dirname "$0")/learner.sh"
limit_run 90

# The mode keeps its settings (Param.ini) and its trace (Exerva.htm) in the
# program's folder: the program runs from a folder of the run's own, with the
# settings a person would have chosen in its dialog.
program_dir=$work/exerva
mkdir -p "$program_dir"
cp "$build/apps/exerva/exerva" "$program_dir/"
printf '"%s"\n' appli:12 'listepoint:1;2;3' lLow:1 lUp:3 BaseBis:1 ModeInet:0 "Path#$learner_root/samples" \
  >"$program_dir/Param.ini"
start_display
start_program exerva "$program_dir/exerva" qol

# The dialog opens filled from the settings; OK is at its bottom right.
wait_for "the dialog" message_box '^Mode Autonome$'
read -r dialog w h _ <<<"$found"
click_at "$dialog" $((w - 137)) $((h - 23))

# Hands the answer in and checks the outcome the box tells.
hand_in() {
  local outcomes
  close_window "$exercise"
  wait_for "the outcome of question $1" message_box '^Exerva$'
  outcomes=$(grep -oE 'Bravo = (True|False) ; LettreReponse = [A-Z]*' "$program_dir/Exerva.htm" |
    sed -E 's/Bravo = True.*/Bravo/; s/Bravo = False ; LettreReponse = /Erreur /')
  expect_value "the outcome of question $1" "$(sed -n "$1p" <<<"$outcomes")" "$2"
  press_box_ok
}

wait_for_exercise 1
answer_question_1 right
hand_in 1 Bravo

wait_for_exercise 2
answer_question_2 wrong
hand_in 2 'Erreur E'

wait_for_exercise 3
hand_in 3 'Erreur N'

expect_exit 0
