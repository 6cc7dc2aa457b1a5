# What the shell tests share: a scratch folder, failing with the program's
# own words, waiting for a condition, and finding the program's window.
# Sourced, not run. A program started with its stderr in $work/stderr, or
# any $work/*.err, is shown with a failure.

# Makes the scratch folder work; when the script ends, runs the commands in
# the array at_exit, ends what was started (the array pids) and removes work.
scratch() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/lumbrix-test.XXXXXX")
  pids=()
  at_exit=()
  trap _end_scratch EXIT
}
_end_scratch() {
  local step
  for step in "${at_exit[@]}"; do $step; done
  stop_started
  rm -rf "$work"
}

# Ends what was started (the array pids) and waits until it has ended: a
# server still shutting down would remove the socket of the next server to
# take its display number, and that server's clients could not connect.
stop_started() {
  [ ${#pids[@]} -eq 0 ] && return 0
  kill "${pids[@]}" 2>/dev/null || true
  wait "${pids[@]}" 2>/dev/null || true
}

fail() {
  echo "FAIL: $*" >&2
  local log
  for log in "${work:-/nonexistent}"/stderr "${work:-/nonexistent}"/*.err; do
    [ -s "$log" ] && sed "s|^|  $(basename "$log" .err): |" "$log" >&2
  done
  exit 1
}

# Waits up to SECONDS (default 30) for a command to succeed: wait_until [-t SECONDS] COMMAND...
wait_until() {
  local seconds=30 _
  if [ "$1" = -t ]; then
    seconds=$2
    shift 2
  fi
  for _ in $(seq $((seconds * 20))); do "$@" >/dev/null && return 0; sleep 0.05; done
  return 1
}

# Prints the id of the program's visible window, if it has one.
lumbrix_window() { xdotool search --onlyvisible --name '^Lumbrix$' 2>/dev/null | head -n 1; }

# Sets window to the program's visible window, waiting up to SECONDS (default
# 30); fails at once if the program (pid $app) ends first.
find_window() {
  _shown() {
    window=$(lumbrix_window)
    [ -n "$window" ] && return 0
    kill -0 "$app" 2>/dev/null && return 1
    local status=0
    wait "$app" 2>/dev/null || status=$?
    fail "the program ended before its window showed (exit $status)"
  }
  wait_until -t "${1:-30}" _shown || fail "no visible window titled Lumbrix"
}
