#!/usr/bin/env bash
# The main job: builds the three programs (release preset: no tests, benchmarks or fuzz
# replays), then opens the phone found on its cable, or runs the demo on the virtual phone
# when there is none. Arguments go to lg81xx-cli:
#   scripts/run.sh --port /dev/ttyACM0 info
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --programs
cmake --preset release >/dev/null
cmake --build --preset release
if [ $# -gt 0 ]; then
  exec build/release/bin/lg81xx-cli "$@"
fi
display="${DISPLAY:-}${WAYLAND_DISPLAY:-}"
# A phone on its cable (USB vendor 1004): the window, which preselects its port, or its
# information on the command line.
phones=$(build/release/bin/lg81xx-cli ports 2>/dev/null | awk -F'\t' '$3 == "phone cable" { print $1 }')
if [ -n "$phones" ] && [ "$(printf '%s\n' "$phones" | wc -l)" -eq 1 ]; then
  if [ -n "$display" ] && [ -x build/release/bin/lg81xx ]; then
    exec build/release/bin/lg81xx
  fi
  exec build/release/bin/lg81xx-cli --port "$phones" info
fi
# No phone: the demo, the window on the virtual phone with a display, else the command line.
if [ -n "$display" ] && [ -x build/release/bin/lg81xx ]; then
  exec build/release/bin/lg81xx --demo
fi
exec build/release/bin/lg81xx-cli demo
