#!/usr/bin/env bash
# Real sound for the preview test: starts a private PulseAudio server with a
# null sink (its own XDG_RUNTIME_DIR, so it touches no other server), runs the
# given test program against it, and stops the server by its PID.
# Exit 77 (skipped) only when PulseAudio is not installed.
set -u
program="$1"
if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null || ! command -v pactl >/dev/null; then
  echo "SKIPPED: pulseaudio and pulseaudio-utils are not installed (scripts/install-deps.sh installs them)"
  exit 77
fi
runtime=$(mktemp -d /tmp/lumora-sound.XXXXXX)
export XDG_RUNTIME_DIR="$runtime"
export PULSE_RUNTIME_PATH="$runtime/pulse"
export HOME="$runtime"
sink=lumora_test_sink
pulseaudio -D --exit-idle-time=-1 -n --use-pid-file=yes --load=module-native-protocol-unix \
  --load="module-null-sink sink_name=$sink" --log-target=file:"$runtime/pulse.log" 2>"$runtime/start.log"
ready=0
for _ in $(seq 1 50); do
  if pactl info >/dev/null 2>&1; then ready=1; break; fi
  sleep 0.1
done
pid=$(cat "$runtime/pulse/pid" 2>/dev/null || true)
stop_server() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null; sleep 0.2; kill -9 "$pid" 2>/dev/null; fi
  rm -rf "$runtime"
}
trap stop_server EXIT
if [ "$ready" != 1 ]; then
  echo "PulseAudio did not start:"; cat "$runtime/start.log" "$runtime/pulse.log" 2>/dev/null
  exit 1
fi
pactl set-default-sink "$sink"
LUMORA_SOUND_SINK="$sink" "$program"
