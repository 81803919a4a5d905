#!/usr/bin/env bash
# Builds the Debian package build/release/lg81xx_VERSION_ARCH.deb (release preset) and
# checks it with lintian: errors fail the script, warnings are shown.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --programs dpkg-dev lintian
cmake --preset release >/dev/null
cmake --build --preset release
cpack --preset release
deb=$(ls -t build/release/lg81xx_*.deb | head -1)
echo "== lintian $deb"
# lintian exits non-zero on errors only; --fail-on says so explicitly.
lintian --fail-on error --info "$deb"
