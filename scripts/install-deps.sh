#!/usr/bin/env bash
# Installs the Debian packages the project builds with, and any named as arguments
# (scripts/package.sh adds lintian). Idempotent and quick when everything is already
# there; uses sudo only when not running as root.
#   scripts/install-deps.sh [PACKAGE...]              everything: programs, tests, benchmarks, fuzz targets
#   scripts/install-deps.sh --programs [PACKAGE...]   only what the release preset builds the programs with
set -euo pipefail

# The three programs, their manual pages and the window's Italian dialogs; lld links faster
# than the default linker (cmake/linker.cmake). The archive's manifest is JSON
# (nlohmann-json, header only) and its checksums SHA-256 (libcrypto of libssl-dev: the
# programs already load it through libzip).
programs=(
  build-essential cmake ninja-build pkg-config lld
  qt6-base-dev qt6-serialport-dev libgl-dev
  libzip-dev libcli11-dev
  nlohmann-json3-dev libssl-dev
  qt6-translations-l10n
  help2man
)
# The tests, the benchmarks, the fuzz targets (clang with libFuzzer) and the package's test.
development=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  dpkg-dev
)

packages=("${programs[@]}")
if [ "${1:-}" = "--programs" ]; then
  shift
else
  packages+=("${development[@]}")
fi
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
