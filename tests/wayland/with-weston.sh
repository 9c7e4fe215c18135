#!/bin/sh
# Runs one command under a private headless Wayland compositor: weston with
# its headless backend and CPU renderer on a 1600x900 output, in a runtime
# folder and socket of its own, torn down after. The command sees only that
# compositor (no X display) and runs on Qt's wayland platform. Weston is
# started with its debug protocols, so a test can take a screenshot of the
# output with weston-screenshooter.
#
#   with-weston.sh COMMAND [ARGUMENTS...]
set -u

if ! command -v weston >/dev/null 2>&1; then
  echo "with-weston.sh: weston is missing (scripts/install-deps.sh installs it)" >&2
  exit 1
fi

runtime=$(mktemp -d "${TMPDIR:-/tmp}/tempoloop-wayland.XXXXXX") || exit 1
chmod 700 "$runtime"
socket=wayland-tempoloop
log=$runtime/weston.log
weston_pid=

stop() {
  if [ -n "$weston_pid" ]; then
    kill "$weston_pid" 2>/dev/null
    wait "$weston_pid" 2>/dev/null
  fi
  rm -rf "$runtime"
}
trap stop EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --use-pixman --width=1600 --height=900 \
  --socket="$socket" --idle-time=0 --debug --no-config --log="$log" &
weston_pid=$!

# Up to 10 s for the socket to appear.
i=0
while [ ! -S "$runtime/$socket" ]; do
  if ! kill -0 "$weston_pid" 2>/dev/null || [ $i -ge 100 ]; then
    echo "with-weston.sh: weston did not start; its log:" >&2
    cat "$log" >&2
    exit 1
  fi
  i=$((i + 1))
  sleep 0.1
done

env -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland "$@"
status=$?
if [ $status -ne 0 ]; then
  echo "with-weston.sh: the test ended with $status; weston's log:" >&2
  tail -n 20 "$log" >&2
fi
exit $status
