# Sourced by start.sh and memory.sh: the sample course server and a virtual
# display for the course page program, both stopped when the script ends.
# Expects `build` (the build folder) and `tools` (the further programs the
# script needs) to be set; sets `display`, `base_url`, `work` (a temporary
# folder) and `course_page` (the program). xev watches the display's windows.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
course_page="$build/apps/course-page/course-page"
course_server="$build/apps/course-server/course-server"

for program in "$course_page" "$course_server"; do
  if [ ! -x "$program" ]; then
    echo "$(basename "$0"): $program is not built (cmake --build $build)" >&2
    exit 2
  fi
done
for tool in Xvfb xwininfo xev $tools; do
  if ! command -v "$tool" >/dev/null; then
    echo "$(basename "$0"): needs $tool (scripts/install-deps --bench installs it)" >&2
    exit 2
  fi
done

work=$(mktemp -d)
server_pid=
xvfb_pid=
xev_pid=
watch_pid=
stop_all() {
  local status=$? pid
  set +e
  for pid in "$watch_pid" "$xev_pid" "$server_pid" "$xvfb_pid"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  rm -rf "$work"
  exit "$status"
}
trap stop_all EXIT

# The server prints its base address on its first line, then one line per request.
mkfifo "$work/server-out"
# The samples' media and exercise files are mounted where the start-up record
# points, as make run does.
"$course_server" --data "$root/samples/server" --port 0 --records "$work/records" \
  --mount "Media/12F=$root/samples/media" --mount "Download/12F=$root/samples/12F" \
  --mount "Download/12Eb=$root/samples/12Eb" >"$work/server-out" &
server_pid=$!
mkdir -p "$work/records"
exec {server_out}<"$work/server-out"
if ! read -r -t 10 base_url <&"$server_out"; then
  echo "$(basename "$0"): the course server did not start" >&2
  exit 1
fi
# Its request lines are not read: drain them so that it never blocks.
cat <&"$server_out" >"$work/server.log" &

# Xvfb chooses a free display and writes its number on the descriptor given.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.05
done
if [ ! -s "$work/display" ]; then
  echo "$(basename "$0"): Xvfb did not start (see $work/xvfb.log)" >&2
  exit 1
fi
display=":$(head -n1 "$work/display")"

# Every window mapped on the display, one line "MICROSECONDS WINDOW" in
# $work/maps as it happens: xev reports the maps on the root window as they
# come, where asking the server over and over would cost a connection each.
mkfifo "$work/xev-out"
xev -display "$display" -root -event substructure >"$work/xev-out" 2>/dev/null &
xev_pid=$!
: >"$work/maps"
(
  mapping=
  while IFS= read -r line; do
    case $line in
      MapNotify*) mapping=1 ;;
      *", window 0x"*)
        if [ -n "$mapping" ]; then
          window=${line#*, window }
          echo "${EPOCHREALTIME/./} ${window%%,*}" >>"$work/maps"
        fi
        mapping=
        ;;
    esac
  done <"$work/xev-out"
) &
watch_pid=$!
# xev connects and selects the events before anything is timed.
sleep 1

# A window's title.
window_title() {
  xwininfo -display "$display" -id "$1" 2>/dev/null | sed -n 's/^xwininfo: Window id: [^ ]* "\(.*\)"$/\1/p'
}

# The id of the viewable top-level window whose title holds that text, or nothing.
viewable_window() {
  local id
  id=$(xwininfo -display "$display" -root -children 2>/dev/null |
    awk -v text="$1" 'index($0, text) { print $1; exit }')
  [ -n "$id" ] && xwininfo -display "$display" -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' &&
    echo "$id"
}

# Starts the course page on the session; its standard output goes to the file.
start_course_page() {
  DISPLAY="$display" QT_QPA_PLATFORM=xcb "$course_page" --server "$base_url" --session "${SESSION:-1}" \
    --question "${QUESTION:-1}" --lang FR >"$1" 2>"$1.err" &
  page_pid=$!
}
