#!/usr/bin/env bash
# Runs a command on a virtual screen of its own (1024x768, 24 bits) and ends the screen after it.
# Unlike `xvfb-run -a`, the X server itself picks a free display number (-displayfd) and reports
# it once it accepts connections, so parallel runs on one machine cannot take the same display.
set -euo pipefail

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; rm -f "$fdfile"' EXIT

for _ in $(seq 100); do
  [ -s "$fdfile" ] && break
  kill -0 "$xvfb" 2>/dev/null || { echo "with-xvfb: the X server did not start" >&2; exit 1; }
  sleep 0.1
done
display=$(head -n1 "$fdfile")
[ -n "$display" ] || { echo "with-xvfb: the X server gave no display number" >&2; exit 1; }

export DISPLAY=":$display"
unset QT_QPA_PLATFORM
"$@"
