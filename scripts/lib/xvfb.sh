# Starts a private Xvfb for window tests and creates the atoms that JUCE looks up
# without creating (a bare server lacks them and the first window dies with
# BadAtom). -noreset keeps the atoms when the last client leaves.
#
# Displays from :91 up, away from the numbers that desktops take. Two runs
# starting at the same moment on one machine (CI jobs, several checkouts) may both
# try one display: only the server that gets it reports its number on our
# descriptor (-displayfd), so the other run moves on to the next display instead
# of using, and later losing, a server that is not its own.
vyr_start_xvfb() {
  local report n found="" i
  report="$(mktemp)"
  for n in $(seq 91 140); do
    if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then continue; fi
    : >"$report"
    Xvfb ":$n" -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$report" >/dev/null 2>&1 &
    VYR_XVFB_PID=$!
    for i in $(seq 1 200); do
      if [ "$(wc -l <"$report")" -ge 1 ]; then found="$n"; break; fi
      if ! kill -0 "$VYR_XVFB_PID" 2>/dev/null; then break; fi
      sleep 0.05
    done
    if [ -n "$found" ]; then break; fi
    kill "$VYR_XVFB_PID" 2>/dev/null || true
    wait "$VYR_XVFB_PID" 2>/dev/null || true
  done
  rm -f "$report"
  if [ -z "$found" ]; then
    VYR_XVFB_PID=""
    echo "xvfb: no X server could be started" >&2
    return 1
  fi
  n="$found"
  export DISPLAY=":$n"
  local ready=0
  for i in $(seq 1 200); do
    if xprop -root >/dev/null 2>&1; then ready=1; break; fi
    sleep 0.05
  done
  if [ "$ready" -ne 1 ]; then
    echo "xvfb: the X server on $DISPLAY did not start" >&2
    return 1
  fi
  local atom
  for atom in WM_PROTOCOLS WM_TAKE_FOCUS WM_DELETE_WINDOW _NET_WM_PING WM_CHANGE_STATE \
              WM_STATE _NET_WM_WINDOW_TYPE _NET_WM_STATE _NET_WM_STATE_HIDDEN; do
    xprop -root -f "$atom" 8s -set "$atom" x >/dev/null 2>&1 || true
  done
}

vyr_stop_xvfb() {
  if [ -n "${VYR_XVFB_PID:-}" ]; then
    kill "$VYR_XVFB_PID" 2>/dev/null || true
    wait "$VYR_XVFB_PID" 2>/dev/null || true
  fi
}
