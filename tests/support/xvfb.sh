# Starts a private Xvfb and exports its DISPLAY once it answers. Sourced
# after lib.sh.
# Usage: start_xvfb WORK_FOLDER   (adds the server's pid to the array pids)

start_xvfb() {
  local work=$1
  # -noreset: a server resets when its last client leaves, and the check
  # below is its first; a program connecting during that reset is refused.
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp -noreset 3>"$work/display" \
    2>"$work/xvfb.log" &
  pids+=($!)
  # A loaded machine can take seconds to start a server: wait for it to
  # name its display and answer, rather than for a fixed time.
  local _
  for _ in $(seq 600); do
    if [ -s "$work/display" ]; then
      export DISPLAY=":$(cat "$work/display")"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    sleep 0.05
  done
  echo "FAIL: Xvfb did not answer within 30 s: $(cat "$work/xvfb.log")" >&2
  return 1
}
