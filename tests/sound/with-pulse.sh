#!/bin/sh
# Runs a test under a PulseAudio server of its own whose one output is a null
# sink (nothing is heard; its monitor can be recorded), in a temporary
# runtime folder, and tears the server down after it. The test finds the
# server through PULSE_SERVER and the sink's name in TEMPOLOOP_TEST_SINK.
set -eu
runtime=$(mktemp -d)
pulse=""
cleanup() {
  if [ -n "$pulse" ]; then
    kill "$pulse" 2>/dev/null || true
    wait "$pulse" 2>/dev/null || true
  fi
  rm -rf "$runtime"
}
trap cleanup EXIT INT TERM
export XDG_RUNTIME_DIR="$runtime"
export PULSE_RUNTIME_PATH="$runtime/pulse"
export PULSE_STATE_PATH="$runtime/state"
export PULSE_SERVER="unix:$runtime/native"
export TEMPOLOOP_TEST_SINK=tempoloop_test_out
mkdir -p "$PULSE_RUNTIME_PATH" "$PULSE_STATE_PATH"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disallow-exit=yes \
  --log-target=stderr --log-level=error \
  --load="module-null-sink sink_name=$TEMPOLOOP_TEST_SINK rate=48000 channels=2" \
  --load="module-native-protocol-unix socket=$runtime/native auth-anonymous=1" &
pulse=$!
tries=0
until pactl info >/dev/null 2>&1; do
  tries=$((tries + 1))
  if [ "$tries" -gt 100 ] || ! kill -0 "$pulse" 2>/dev/null; then
    echo "with-pulse.sh: the PulseAudio server did not start" >&2
    exit 1
  fi
  sleep 0.1
done
pactl set-default-sink "$TEMPOLOOP_TEST_SINK"
"$@"
