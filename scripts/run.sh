#!/usr/bin/env bash
# The main job: builds the three programs (release preset: no tests, benchmarks or fuzz
# replays) and runs the demo. With a phone attached, pass lg81xx-cli's arguments:
#   scripts/run.sh --port /dev/ttyACM0 info
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
if [ $# -gt 0 ]; then
  exec build/release/bin/lg81xx-cli "$@"
fi
# With a display, the demo is the window on the virtual phone; without one, the command line.
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -x build/release/bin/lg81xx ]; then
  exec build/release/bin/lg81xx --demo
fi
exec build/release/bin/lg81xx-cli demo
