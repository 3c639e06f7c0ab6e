# Starts a private Xvfb for window tests and creates the atoms that JUCE looks up
# without creating (a bare server lacks them and the first window dies with
# BadAtom). -noreset keeps the atoms when the last client leaves.
#
# Xvfb picks a free display itself (-displayfd) and reports its number once it
# listens, so runs that start at the same moment on one machine (CI jobs, several
# checkouts) never settle on one display, where one run's tests would draw into
# the other's server and lose it when the other run stops it.
vyr_start_xvfb() {
  local report n="" i
  report="$(mktemp)"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3>"$report" >/dev/null 2>&1 &
  VYR_XVFB_PID=$!
  for i in $(seq 1 200); do
    n="$(head -n 1 "$report")"
    if [[ "$n" =~ ^[0-9]+$ ]] && [ "$(wc -l <"$report")" -ge 1 ]; then break; fi
    n=""
    if ! kill -0 "$VYR_XVFB_PID" 2>/dev/null; then break; fi
    sleep 0.05
  done
  rm -f "$report"
  if [ -z "$n" ]; then
    echo "xvfb: the X server did not start" >&2
    return 1
  fi
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
