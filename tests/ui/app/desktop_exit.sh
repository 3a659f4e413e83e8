#!/usr/bin/env bash
# The real desktop program under a virtual display without a window manager:
# 退出软件 ends it (the button clicked with the mouse, the dialog answered
# with Enter), and so do SIGTERM and SIGINT; each time the working root goes
# and no recovery file stays behind (the album holds no work).
# Usage: desktop_exit.sh PROGRAM_DIR  (run inside xvfb-run)
set -euo pipefail
PROGRAM="$1/lumora"
export QT_QPA_PLATFORM=xcb
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run" XDG_STATE_HOME="$scratch/state"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$XDG_STATE_HOME"
chmod 700 "$XDG_RUNTIME_DIR"

fail() { echo "desktop_exit: $*" >&2; exit 1; }

# Waits for a visible window titled exactly $1; prints its id.
window() {
  for _ in $(seq 1 600); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -n1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Starts the program and chooses a mode with the keyboard.
start() {
  "$PROGRAM" 2>"$scratch/stderr" &
  pid=$!
  chooser=$(window "选择相册模式") || fail "no mode chooser"
  sleep 0.5
  xdotool windowfocus --sync "$chooser" 2>/dev/null || true
  # Space presses the mode button that has the focus (any mode will do),
  # Enter answers the question.
  xdotool key --clearmodifiers space
  sleep 0.5
  xdotool key --clearmodifiers Return
  for _ in $(seq 1 600); do
    xdotool search --onlyvisible --name "^选择相册模式\$" >/dev/null 2>&1 || break
    sleep 0.1
  done
  sleep 0.5
}

# The process ends within the limit; checks what it leaves behind.
ended() {
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill -9 "$pid"
    fail "$1: the program did not end (stderr: $(cat "$scratch/stderr"))"
  fi
  wait "$pid" || fail "$1: exit status $?"
  leftover=$(find "$XDG_RUNTIME_DIR" -mindepth 2 -maxdepth 2 -type d | head -n1)
  [ -z "$leftover" ] || fail "$1: working root left behind: $leftover"
  [ -z "$(ls "$XDG_STATE_HOME/lumora" 2>/dev/null | grep recovery || true)" ] || fail "$1: recovery file left behind"
  echo "desktop_exit: $1 ends the program"
}

# 退出软件 clicked with the mouse, "是否退出软件?" answered with Enter.
start
main=$(window "Lumora") || fail "no main window"
xdotool mousemove --window "$main" 1060 18 click 1
dialog=$(window "退出软件") || fail "no exit dialog"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool key --clearmodifiers Return
ended "退出软件"

for sig in TERM INT; do
  start
  kill -"$sig" "$pid"
  ended "SIG$sig"
done
