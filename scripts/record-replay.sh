#!/usr/bin/env bash
# Records a session of lg81xx-cli with lg81xx-sim on a pseudo-terminal as a replay test:
#   scripts/record-replay.sh NAME [LG81XX-CLI OPTIONS] COMMAND ...
#   scripts/record-replay.sh u8120-ls --model "LG U8120" --fast ls Immagini
# writes tests/replays/NAME.trace (NAME: the model and the job). The command runs twice,
# each time on a new phone with the same files and in a folder that holds the examples
# (Saluti.jad, Saluti.jar, tono.mid); the recording is kept only when the command succeeded
# and both runs sent the same requests. The phone holds foto.jpg (6 KB, every byte value)
# in Images and Immagini, and tono.mid as its first message tone. The programs and the
# examples come from build/debug (BUILD=build/release for another build). Each run has a
# user's data folder of its own, so a sound replaced is read from the phone and kept each
# time.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build="$root/${BUILD:-build/debug}"
if [ $# -lt 2 ]; then
  echo "usage: $0 NAME [LG81XX-CLI OPTIONS] COMMAND ..." >&2
  exit 1
fi
name=$1
shift
model="LG U8130"
args=("$@")
for ((i = 0; i + 1 < ${#args[@]}; i++)); do
  if [ "${args[i]}" = --model ]; then model=${args[i + 1]}; fi
done

scratch=$(mktemp -d)
sim_pid=
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT
every_byte=$(for b in $(seq 0 255); do printf '\\x%02x' "$b"; done)

# One run in $scratch/RUN; its trace is $scratch/RUN/work/session.trace.
record() {
  local run=$scratch/$1 device status=0
  mkdir -p "$run/storage/Images" "$run/storage/Immagini" "$run/storage/MessageTone" "$run/work"
  for _ in $(seq 24); do printf "$every_byte"; done >"$run/storage/Images/foto.jpg"
  cp "$run/storage/Images/foto.jpg" "$run/storage/Immagini/foto.jpg"
  cp "$build/examples/tono.mid" "$run/storage/MessageTone/Message1.mid"
  cp "$build/examples/Saluti.jad" "$build/examples/Saluti.jar" "$build/examples/tono.mid" "$run/work/"
  coproc SIM { exec "$build/bin/lg81xx-sim" --model "$model" --storage "$run/storage" 2>"$run/sim.err"; }
  sim_pid=$SIM_PID
  read -r device <&"${SIM[0]}"
  (cd "$run/work" && XDG_DATA_HOME="$run/data" "$build/bin/lg81xx-cli" --port "$device" --home home --trace session.trace "${args[@]}" >out 2>err) ||
    status=$?
  kill "$sim_pid"
  wait "$sim_pid" || true
  sim_pid=
  if [ "$status" -ne 0 ]; then
    cat "$run/work/err" >&2
    echo "$0: lg81xx-cli ${args[*]} ended with status $status: a replay test records a command that succeeds" >&2
    exit 1
  fi
}

requests() { awk '$2 == "->" { $1 = ""; print }' "$1"; }

record first
record second
if ! cmp -s <(requests "$scratch/first/work/session.trace") <(requests "$scratch/second/work/session.trace"); then
  echo "$0: two runs of lg81xx-cli ${args[*]} sent different requests: not a recording to replay" >&2
  exit 1
fi
cp "$scratch/first/work/session.trace" "tests/replays/$name.trace"
echo "tests/replays/$name.trace: $(requests "tests/replays/$name.trace" | wc -l) requests"
