#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds the release preset
# and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release
cmake --build --preset release --parallel "$(nproc)"
exec build-release/main/velmora "$@"
