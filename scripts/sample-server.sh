# Sourced by every script that needs the sample course server (make run,
# make run-aicc, the benchmarks, the program tests): the one way to start it.
#
#   start_sample_server BUILD_DIR RECORDS_DIR [course-server options...]
#
# Starts build's apps/course-server/course-server on a free port of 127.0.0.1
# with the sample course's data (samples/server), the samples' media, books and
# exercise files mounted where the start-up record points (the books under the
# plug-in's book root, Download/12F/Pdf), and the posted
# records (results.jsonl, tracking.jsonl, aicc.jsonl) stored in RECORDS_DIR.
# Its output, the base address and then one line per request ("GET /path 404"),
# goes to RECORDS_DIR/server.log. Sets sample_server_pid and sample_server_url
# (the base address, "http://127.0.0.1:PORT/"). When the server gives no
# address within 10 s it says so on standard error, with what the server said,
# and returns 1. stop_sample_server stops it (the caller's traps call it).

sample_server_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sample_server_pid=
sample_server_url=

start_sample_server() {
  local build_dir=$1 records=$2 log
  shift 2
  log="$records/server.log"
  mkdir -p "$records"
  "$build_dir/apps/course-server/course-server" --data "$sample_server_root/samples/server" --port 0 \
    --records "$records" --mount "Media/12F=$sample_server_root/samples/media" \
    --mount "Download/12F/Pdf=$sample_server_root/samples/media" \
    --mount "Download/12F=$sample_server_root/samples/12F" \
    --mount "Download/12Eb=$sample_server_root/samples/12Eb" "$@" >"$log" 2>&1 &
  sample_server_pid=$!
  local _
  for _ in $(seq 100); do
    sample_server_url=$(head -n 1 "$log" 2>/dev/null || true)
    case $sample_server_url in http://*) return 0 ;; esac
    kill -0 "$sample_server_pid" 2>/dev/null || break
    sleep 0.1
  done
  sample_server_url=
  echo "$(basename "$0"): the sample course server did not start:" >&2
  cat "$log" >&2
  stop_sample_server
  return 1
}

stop_sample_server() {
  if [ -n "$sample_server_pid" ]; then
    kill "$sample_server_pid" 2>/dev/null || true
    wait "$sample_server_pid" 2>/dev/null || true
    sample_server_pid=
  fi
}
