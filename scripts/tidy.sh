#!/usr/bin/env bash
# Runs clang-tidy with the checks in .clang-tidy over the project's source files, and fails
# on any finding. It reads the compile commands of the tidy preset (build/tidy: file by
# file, no precompiled headers), which only runs Qt's code generators, not the compiler.
# Not part of scripts/test.sh: on 2 cores it takes several minutes.
#   scripts/tidy.sh                 every source file
#   scripts/tidy.sh FILE...         these files only (paths from the repository's top)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh clang-tidy
cmake --preset tidy >/dev/null
# The window's tests include the files moc writes.
cmake --build --preset tidy --target autogen >/dev/null
if [ $# -gt 0 ]; then
  files=()
  for f in "$@"; do files+=("$PWD/$f"); done
else
  files=("$PWD/(src|app|tests|fuzz|bench|examples)/")
fi
status=0
# run-clang-tidy always colours clang-tidy's output: the colours go.
run-clang-tidy-14 -p build/tidy -j "$(nproc)" -quiet "${files[@]}" 2>&1 | sed 's/\x1b\[[0-9;]*m//g' \
  >build/tidy/findings.txt || status=$?
# Each finding once (a header's come once for every file that includes it), with its source line.
grep -v -E '^clang-tidy-14 |^[0-9]+ warnings? (and [0-9]+ errors? )?generated|^Suppressed [0-9]+ warnings|^Use -header-filter' \
  build/tidy/findings.txt | awk '/: (warning|error): / { seen = ($0 in shown); shown[$0] = 1 } !seen' || true
if grep -q -E ': (warning|error): ' build/tidy/findings.txt; then
  echo "clang-tidy: $(grep -E ': (warning|error): ' build/tidy/findings.txt | sort -u | wc -l) findings" >&2
  exit 1
fi
exit "$status"
