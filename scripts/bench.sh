#!/usr/bin/env bash
# Builds the bench preset (optimised, with the benchmarks) and runs the transfer benchmark
# (installs and downloads over the virtual phone on a pseudo-terminal) and the codec
# micro-benchmarks.
#   scripts/bench.sh            the full run: 64 KB, 300 KB and 1 MB, and a 5 MB backup of 200
#                               files in fast mode (~9 min at 115200); classic mode takes ~30 min
#   scripts/bench.sh --quick    64 KB only, about two minutes
# Other arguments go to lg81xx_transfer_bench (--sizes, --modes, --bauds, --jobs, --no-connect).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset bench >/dev/null
cmake --build --preset bench -j2 --target lg81xx_transfer_bench lg81xx_codec_bench
build/bench/bin/lg81xx_transfer_bench "$@"
echo
build/bench/bin/lg81xx_codec_bench
