#!/usr/bin/env bash
# Sets everything up on a fresh Debian 12 machine, builds the debug preset
# (AddressSanitizer and UndefinedBehaviorSanitizer) and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
cmake --preset debug
cmake --build --preset debug --parallel "$(nproc)"
ctest --preset debug --parallel "$(nproc)"
