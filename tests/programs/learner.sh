# The learner: runs one of the programs as a process on a virtual screen of its
# own, in a home folder of its own, and plays it with xdotool as a learner
# would. Sourced by the roads of tests/programs/ (one script per road, run by
# CTest under the label "programs") and by bench/start.sh and bench/memory.sh.
#
# To add a road, write tests/programs/<road>.sh:
#
#   build=${1:-build}
#   . "$(dirname "$0")/learner.sh"
#   limit_run 120                       # the whole road's bound, in seconds
#   start_display                       # Xvfb on a free display
#   start_server [course-server options] # the sample course server: $server_url
#   start_course_page                   # or start_pelago URL --module ID, or start_program NAME COMMAND...
#   wait_for "first exercise" exercise_window 1
#   ...                                 # click_at, drag, type_into, close_window...
#   expect_exit 0                       # no signal, that status, no sanitizer report
#   expect_served_all                   # no request the server answered 404
#
# and add it to tests/programs/CMakeLists.txt with add_program_test. The
# sample course's places (its exercises, the question window's buttons) are
# below as functions; a road with a fault switches it on with start_server's
# options (--fault KIND:PAGE, see samples/server/README.md) and checks the
# message with expect_exit 1 "text".
#
# wait_for polls the screen every 0.1 s for at most STEP_TIMEOUT (30) seconds
# and fails when the program ends meanwhile or when a message box (a modal
# window) comes up that is not the one waited for. Every time-out is scaled by
# LEARNER_TIME_SCALE (1; the sanitizer build sets more). The home (HOME and the
# XDG folders) is made fresh in the run's work folder, with only the settings
# the road stores there (set_stored_setting); everything the script started is
# stopped and the work folder removed when it ends, however it ends, unless
# LEARNER_KEEP=1 is set.

learner_name=$(basename "$0" .sh)
learner_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build=${build:-build}
time_scale=${LEARNER_TIME_SCALE:-1}
step_timeout=$((${STEP_TIMEOUT:-30} * time_scale))
close_window_tool=${CLOSE_WINDOW:-$build/tests/programs/close-window}

for tool in Xvfb xwininfo xdotool xprop ${learner_tools:-}; do
  if ! command -v "$tool" >/dev/null; then
    echo "$learner_name: needs $tool (scripts/install-deps installs it)" >&2
    exit 2
  fi
done

# shellcheck source=scripts/sample-server.sh
. "$learner_root/scripts/sample-server.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/$learner_name.XXXXXX")
# The home of every program the script starts: nothing a person did before
# changes a result, and nothing is left in the person's home.
export HOME="$work/home"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
export XDG_STATE_HOME="$HOME/.local/state" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_STATE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

display=
xvfb_pid=
program_pid=
program_name=
program_status=
watchdog_pid=
started_programs=()
# Background work of the script's own (watchers), stopped at the end too.
started_helpers=()
screen_width=1280
screen_height=1024

learner_cleanup() {
  local status=$? pid _
  set +e
  trap - EXIT TERM INT ERR
  [ -n "$watchdog_pid" ] && kill "$watchdog_pid" 2>/dev/null
  # Each program leads a process group of its own, with its web engine's helpers.
  for pid in "${started_programs[@]}"; do
    kill -TERM -- "-$pid" 2>/dev/null
  done
  for pid in "${started_programs[@]}"; do
    for _ in $(seq 30); do
      kill -0 -- "-$pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -KILL -- "-$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  for pid in "${started_helpers[@]}"; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  stop_sample_server
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  if [ -n "${LEARNER_KEEP:-}" ]; then
    echo "$learner_name: the run's files are kept in $work" >&2
  else
    rm -rf "$work"
  fi
  exit "$status"
}
trap learner_cleanup EXIT
# A command that fails where the road does not look at its status stops it too,
# saying which.
set -E
trap 'fail "line $LINENO of $(basename "${BASH_SOURCE[0]}"): \"$BASH_COMMAND\" failed"' ERR
trap 'fail "interrupted"' INT
trap 'fail "the run took longer than its limit"' TERM

# Fails the run with the message, then what helps to see why: the windows on
# the screen, the program's last words and the server's unanswered requests.
failing=
fail() {
  trap - TERM ERR
  set +e
  failing=1
  echo "$learner_name: $*" >&2
  # A script may say more about where it was (on_failure).
  declare -F on_failure >/dev/null && on_failure
  # The screen as it was, kept with the work folder (LEARNER_KEEP=1).
  if [ -n "$display" ] && [ -n "${LEARNER_KEEP:-}" ] && command -v import >/dev/null; then
    import -window root "$work/failure.png" 2>/dev/null
  fi
  if [ -n "$display" ] && refresh_windows 2>/dev/null && [ ${#windows[@]} -gt 0 ]; then
    echo "-- windows on the screen:" >&2
    printf '   %s\n' "${windows[@]}" >&2
  fi
  if [ -n "$program_name" ]; then
    echo "-- $program_name's output:" >&2
    tail -n 20 "$work/$program_name.out" "$work/$program_name.err" >&2 2>/dev/null
  fi
  local unanswered
  unanswered=$(grep -vE ' 20[06]$|^http' "$work/records/server.log" 2>/dev/null)
  if [ -n "$unanswered" ]; then
    echo "-- requests the server did not answer with 200 or 206:" >&2
    echo "$unanswered" >&2
  fi
  exit 1
}

# Bounds the whole run: past that many seconds (scaled), it fails and stops
# everything it started.
limit_run() {
  local seconds=$(($1 * time_scale)) script=$$
  [ -n "$watchdog_pid" ] && kill "$watchdog_pid" 2>/dev/null
  (
    sleep "$seconds" &
    trap 'kill $!; exit 0' TERM
    wait $!
    kill -TERM "$script"
  ) >/dev/null 2>&1 &
  watchdog_pid=$!
}

# A virtual screen on a free display: Xvfb writes the number it chose. The
# display must answer before anything starts on it; one that does not (another
# server's leftovers in /tmp) is given up for a fresh one, three times at most.
start_display() {
  local attempt _
  for attempt in 1 2 3; do
    : >"$work/display"
    # -noreset: the server must not reset when its last client leaves, since
    # a road may run several programs on it one after the other.
    Xvfb -displayfd 3 -screen 0 "${screen_width}x${screen_height}x24" -nolisten tcp -noreset \
      3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq $((100 * time_scale))); do
      [ -s "$work/display" ] && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.05
    done
    if [ -s "$work/display" ]; then
      display=":$(head -n 1 "$work/display")"
      xwininfo -display "$display" -root >/dev/null 2>&1 && break
      echo "$learner_name: display $display does not answer; trying another" >&2
    fi
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
    display=
  done
  [ -n "$display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY="$display"
}

# The sample course server on a free port of 127.0.0.1, its records and its
# request log in $work/records; the options are the server's (faults).
start_server() {
  start_sample_server "$build" "$work/records" "$@" || fail "the sample course server did not start"
  server_url=$sample_server_url
}

# The course page on the sample course's session 1 from its first question,
# in French, with the server at URL ($server_url by default).
start_course_page() {
  start_program course-page "$build/apps/course-page/course-page" --server "${1:-$server_url}" --session 1 \
    --question 1 --lang FR
}

# The AICC course launcher on application 12 of the sample system at URL,
# launched as a learning management system would (session SAMPLE-1), with the
# run's options (--module ID or --question ID, ...). Its languages are
# numbered: the sample French texts become 1036, in $work/language.
start_pelago() {
  local url=$1
  shift
  if [ ! -f "$work/language/kavplugin.lng" ]; then
    mkdir -p "$work/language"
    sed 's/_FR\]/_1036]/' "$learner_root/samples/lng/kavplugin.lng" >"$work/language/kavplugin.lng"
  fi
  start_program pelago "$build/apps/pelago/pelago" \
    --launch "${url}LMS/launch?aicc_sid=SAMPLE-1&aicc_url=${url}LMS/aicc" \
    --lms-url "${url}LMS/" --application 12 --type F \
    --media-folder "$learner_root/samples/media" --note-max 20 --language-folder "$work/language" "$@"
}

# A setting the programs keep for the learner (their registry, under
# XDG_CONFIG_HOME), stored in the private home before the program starts:
#   set_stored_setting 'Quelvoro Inet\IHM Client' InitAvecSon True
set_stored_setting() {
  local file="$XDG_CONFIG_HOME/Quelvoro/registry.ini" key="$1\\$2"
  mkdir -p "$(dirname "$file")"
  [ -f "$file" ] || echo "[Family]" >"$file"
  echo "${key// /%20}=$3" >>"$file"
}

# Starts the program in a process group of its own, its standard output and
# error in $work/NAME.out and $work/NAME.err.
start_program() {
  program_name=$1
  shift
  [ -x "$1" ] || fail "$1 is not built (cmake --build $build)"
  # LEARNER_PRELOAD: a library loaded into the program before its own (the
  # sanitizer build's GL driver, see CMakeLists.txt).
  QT_QPA_PLATFORM=xcb LD_PRELOAD=${LEARNER_PRELOAD:-${LD_PRELOAD:-}} setsid "$@" \
    >"$work/$program_name.out" 2>"$work/$program_name.err" &
  program_pid=$!
  program_status=
  started_programs+=("$program_pid")
}

# Stops the program (and its web engine's helpers) and waits for it.
stop_program() {
  local _
  kill -TERM -- "-$program_pid" 2>/dev/null || true
  for _ in $(seq 30); do
    program_running || break
    sleep 0.1
  done
  kill -KILL -- "-$program_pid" 2>/dev/null || true
  wait "$program_pid" 2>/dev/null || true
}

# Whether the program still runs (a program that ended stays a zombie until
# it is waited for).
program_running() {
  local state
  state=$(awk '/^State:/ { print $2 }' "/proc/$program_pid/status" 2>/dev/null || true)
  [ -n "$state" ] && [ "$state" != Z ]
}

# The viewable top-level windows, one "ID WIDTH HEIGHT X Y TITLE" each, in
# the array windows. A window that goes while it is looked at makes xdotool or
# xwininfo fail half-way: the look is taken again, so that a window never
# seems gone when it is not.
windows=()
refresh_windows() {
  local visible ids tree id line _
  for _ in 1 2 3 4 5; do
    ids=$(xdotool search --maxdepth 1 --onlyvisible --name '' 2>/dev/null) || continue
    tree=$(xwininfo -root -children 2>/dev/null) || continue
    visible=" "
    for id in $ids; do
      visible+="$(printf '0x%x' "$id") "
    done
    windows=()
    while IFS= read -r line; do
      if [[ $visible == *" ${line%% *} "* ]]; then
        windows+=("$line")
      fi
    done < <(sed -n -E 's/^ *(0x[0-9a-f]+) "(.*)": \(.*\) +([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+) .*/\1 \3 \4 \5 \6 \2/p' <<<"$tree")
    return 0
  done
  [ -n "$failing" ] && return 1
  fail "the display does not answer"
}

# Whether the window is modal: a message box or another dialog that waits
# for an answer. Windows keep their kind, so the answer is kept too.
declare -A window_modal=()
is_modal() {
  if [ -z "${window_modal[$1]:-}" ]; then
    window_modal[$1]=0
    xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_MODAL && window_modal[$1]=1
  fi
  [ "${window_modal[$1]}" = 1 ]
}

# The conditions wait_for polls: each looks at the windows of the last
# refresh and, when it holds, sets found ("ID WIDTH HEIGHT X Y TITLE" for a
# window).
found=
window_titled() {
  local line title
  for line in "${windows[@]}"; do
    read -r _ _ _ _ _ title <<<"$line"
    if [[ $title =~ $1 ]]; then
      found=$line
      return 0
    fi
  done
  return 1
}
window_sized() {
  local line id w h x y
  for line in "${windows[@]}"; do
    read -r id w h x y _ <<<"$line"
    if [[ "$w $h $x $y" =~ ^$1$ ]]; then
      found=$line
      return 0
    fi
  done
  return 1
}
window_gone() {
  local line
  for line in "${windows[@]}"; do
    [ "${line%% *}" = "$1" ] && return 1
  done
  return 0
}
# A window of that title and of the whole screen's size.
full_screen_window() {
  local line id w h x y title
  for line in "${windows[@]}"; do
    read -r id w h x y title <<<"$line"
    if [ "$w" = "$screen_width" ] && [ "$x$y" = 00 ] && [[ $title =~ $1 ]]; then
      found=$line
      return 0
    fi
  done
  return 1
}
# A message box (a modal window) of that title.
message_box() {
  local line title
  for line in "${windows[@]}"; do
    read -r _ _ _ _ _ title <<<"$line"
    if [[ $title =~ $1 ]] && is_modal "${line%% *}"; then
      found=$line
      return 0
    fi
  done
  return 1
}
program_ended() {
  ! program_running
}
# The server's log shows a request for that path (an extended regular
# expression, the query included), whatever its answer: expect_served_all
# judges the answers.
requested() {
  grep -qE "^[A-Z]+ $1 [0-9]+$" "$work/records/server.log" 2>/dev/null
}

# Polls until the condition holds, at most the step's time-out (scaled);
# fails when the program ends first or a message box comes up that is not the
# one waited for.
wait_for() {
  local what=$1 deadline=$((SECONDS + step_timeout)) line title
  shift
  while [ "$SECONDS" -le "$deadline" ]; do
    refresh_windows
    "$@" && return 0
    [ "$1" = program_ended ] || program_running || fail "$program_name ended while waiting for $what"
    for line in "${windows[@]}"; do
      if is_modal "${line%% *}"; then
        read -r _ _ _ _ _ title <<<"$line"
        # A box just mapped may still bear the program's name until its title comes.
        [ "$title" = "$program_name" ] && continue
        fail "a message box \"$title\" came up while waiting for $what"
      fi
    done
    sleep 0.1
  done
  fail "no $what within $step_timeout s"
}

# Clicks at that place of the window, from its top-left corner.
click_at() {
  xdotool mousemove --window "$1" "$2" "$3" click 1
}
# Drags from one place of the window to another, as the mouse would.
drag() {
  local id=$1
  xdotool mousemove --window "$id" "$2" "$3" sleep 0.1 mousedown 1 sleep 0.1 \
    mousemove --window "$id" $((($2 + $4) / 2)) $((($3 + $5) / 2)) sleep 0.1 \
    mousemove --window "$id" "$4" "$5" sleep 0.1 mouseup 1
}
# Types text into the box at that place of the window.
type_into() {
  xdotool mousemove --window "$1" "$2" "$3" click 1 sleep 0.2 type --delay 20 "$4"
}
# Closes the window as its close box would.
close_window() {
  "$close_window_tool" "$1" || fail "could not close window $1"
}
# Presses OK on the message box found ($found): the button at its bottom right.
press_box_ok() {
  local id w h
  read -r id w h _ <<<"$found"
  click_at "$id" $((w - 53)) $((h - 23))
}

# The course page's failed start: its message box, answered OK, then status 1
# with the words on standard error.
expect_failed_start() {
  wait_for "the failed start's message box" message_box '^Démarrage du module$'
  press_box_ok
  expect_exit 1 "$1"
}

# Waits for the program to end, at most the step's time-out; fails when it
# ended on a signal, with another status than that one, without the text on
# its standard error when one is given, or with a sanitizer's report.
expect_exit() {
  local expected=$1 text=${2:-}
  wait_for "the end of $program_name" program_ended
  program_status=0
  wait "$program_pid" 2>/dev/null || program_status=$?
  if [ "$program_status" -gt 128 ]; then
    fail "$program_name ended on signal $((program_status - 128)) ($(kill -l "$program_status" 2>/dev/null))"
  fi
  if grep -qE '^(==[0-9]+==ERROR: |SUMMARY: (Address|Undefined|Leak)Sanitizer)|runtime error: ' \
    "$work/$program_name.err"; then
    fail "$program_name ended with a sanitizer's report"
  fi
  [ "$program_status" = "$expected" ] || fail "$program_name ended with status $program_status, not $expected"
  if [ -n "$text" ] && ! grep -qF -- "$text" "$work/$program_name.err"; then
    fail "$program_name did not say \"$text\" on its standard error"
  fi
}

# Fails when the server answered a request 404: a page, a book, a media or an
# exercise file the program asked for and the samples do not have.
expect_served_all() {
  local missing
  missing=$(grep -E ' 404$' "$work/records/server.log" || true)
  [ -z "$missing" ] || fail "the server could not serve:"$'\n'"$missing"
}

# Fails unless the value matches the extended regular expression whole.
expect_value() {
  [[ $2 =~ ^($3)$ ]] || fail "$1 is \"$2\", not $3"
}

# The present time as the programs write dates: days since 1899-12-30, local time.
ole_now() {
  awk -v now="$(date +%s)" -v zone="$(date +%z)" 'BEGIN {
    offset = (substr(zone, 2, 2) * 3600 + substr(zone, 4, 2) * 60) * (substr(zone, 1, 1) == "-" ? -1 : 1)
    printf "%.8f", (now + offset) / 86400 + 25569 }'
}
run_started=$(ole_now)

# Fails unless the date text (days since 1899-12-30) lies between the
# start of the run and now, a minute either side.
expect_date_in_run() {
  local now
  now=$(ole_now)
  awk -v d="$2" -v from="$run_started" -v to="$now" 'BEGIN { exit !(d ~ /^[0-9]+(\.[0-9]+)?$/ && d >= from - 1 / 1440 && d <= to + 1 / 1440) }' ||
    fail "$1 is \"$2\", not a date of this run"
}

# ---- The sample course, as both hosts lay it out under Xvfb with the fonts of
# this machine: the places are the controls' from each window's corner.

# The question window: the frameless one of the question player's width. Its
# lesson (or, once answered, solution) button and Poursuivre sit 75 and 147
# pixels from its left, 59 from its top (213 on a question whose answer pane
# is taller than the window's top).
question_width=334
button_lesson=75
button_poursuivre=147
question_height=

question_window() {
  window_sized "$question_width [0-9]+ -?[0-9]+ -?[0-9]+"
}
# The question window once its answer pane shows (taller than at first).
question_window_answered() {
  local h
  question_window || return 1
  read -r _ _ h _ <<<"$found"
  [ "$h" -gt "$question_height" ]
}
# The exercise window of that question, by its title ("Question N - ...").
exercise_window() {
  window_titled "^Question $1 - "
}

press_question_button() {
  local id h y=59
  wait_for "question window" question_window
  read -r id _ h _ <<<"$found"
  [ "$h" -ge 240 ] && y=213
  click_at "$id" "$1" "$y"
}
# Waits for the exercise window of question N; sets exercise.
wait_for_exercise() {
  wait_for "exercise $1" exercise_window "$1"
  exercise=${found%% *}
}
# Waits for the exercise of question N and the question window beside it;
# sets exercise (the exercise window) and question_height.
wait_for_question() {
  wait_for_exercise "$1"
  wait_for "question window" question_window
  read -r _ _ question_height _ <<<"$found"
}
# Checks the answer and waits for the answer pane, then reads it: the question
# player drops a press of Poursuivre that comes before its reaction has been on
# screen for half a second.
check_answer() {
  press_question_button "$button_poursuivre"
  wait_for "answer pane" question_window_answered
  sleep 0.6
}
# Goes on from an answered question.
go_on() {
  press_question_button "$button_poursuivre"
}
# Plays question N of the sample module: answers it right or wrong, checks
# the answer and goes on.
play_question() {
  wait_for_question "$1"
  "answer_question_$1" "$2"
  check_answer
  go_on
}

# The lesson of the question, in the media window: sets media (the window).
open_lesson() {
  press_question_button "$button_lesson"
  wait_for "media window" full_screen_window 'de formation$'
  media=${found%% *}
}
# Quitter, on the media window's player bar (800 pixels wide, centred), 764
# pixels into it and 38 above the window's bottom.
quit_media_window() {
  click_at "$media" $(((screen_width - 800) / 2 + 764)) $((screen_height - 38))
  wait_for "media window to close" window_gone "$media"
}
# Shows entry N of the media window's list of complements (the books beside
# the lesson): the list sits 190 pixels into the player's bar, 28 above the
# window's bottom, and opens 22 pixels an entry under its title. The media
# window comes again with the book; sets media to it.
open_complement() {
  local before=$media
  click_at "$media" $(((screen_width - 800) / 2 + 190)) $((screen_height - 28))
  wait_for "the list of complements" window_sized "190 [0-9]+ -?[0-9]+ -?[0-9]+"
  click_at "${found%% *}" 60 $((12 + 22 * $1))
  wait_for "complement $1" media_window_other_than "$before"
  media=${found%% *}
}
media_window_other_than() {
  full_screen_window 'de formation$' && [ "${found%% *}" != "$1" ]
}
# Lets the media window play that many seconds (the lesson's length), failing
# at once when a message box comes up meanwhile.
let_play() {
  local until=$((SECONDS + $1))
  step_timeout=$(($1 + step_timeout)) wait_for "the lesson to play $1 s" played_until "$until"
}
played_until() {
  [ "$SECONDS" -ge "$1" ]
}

# The solution of an answered question, in the video player, played to its
# end: the player closes by itself then.
play_solution_to_end() {
  local video
  press_question_button "$button_lesson"
  wait_for "video player" full_screen_window '^Formation - '
  video=${found%% *}
  step_timeout=$((step_timeout * 3)) wait_for "video to end" window_gone "$video"
}

# Answers the sample module's questions, right or wrong, in $exercise.
# Question 1, drag-and-drop gaps: the bank's words at y 78 (copier 65, coller
# 160, couper 255); the gaps at (302, 134), (109, 162), (271, 190); wrong puts
# couper and copier in each other's gap.
answer_question_1() {
  if [ "$1" = right ]; then
    drag "$exercise" 65 78 302 134
    drag "$exercise" 255 78 271 190
  else
    drag "$exercise" 255 78 302 134
    drag "$exercise" 65 78 271 190
  fi
  drag "$exercise" 160 78 109 162
}
# Question 2, typed gaps at (231, 81) and (239, 109); wrong types a word that
# does not fit the second.
answer_question_2() {
  type_into "$exercise" 231 81 enregistrer
  if [ "$1" = right ]; then
    type_into "$exercise" 239 109 impression
  else
    type_into "$exercise" 239 109 sauvegarde
  fi
}
# Question 3, single choice behind its reveal button (120, 84): Fichier at
# (37, 82) is right.
answer_question_3() {
  [ "$1" = right ] || fail "question 3 has no wrong answer's place yet"
  click_at "$exercise" 120 84
  sleep 0.3
  click_at "$exercise" 37 82
}
