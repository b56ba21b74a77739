#!/usr/bin/env bash
# Builds the Debian package of velmora (velmora_<version>_<arch>.deb in the
# build folder: build-package/, or the folder given as the argument) on a
# Debian 12 machine: installs what building and packaging need when it
# is missing (with sudo when you are not root), builds the release version
# with the install prefix /usr, and runs CPack.
set -euo pipefail
cd "$(dirname "$0")/.."

# dpkg-shlibdeps (dpkg-dev) works out the package's library dependencies;
# it reads the program with objdump (binutils) and file.
scripts/setup.sh dpkg-dev binutils file

build=${1:-build-package}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_WERROR=ON \
  -DBUILD_TESTING=OFF -DVELMORA_BENCHMARKS=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build "$build" --parallel "$(nproc)"
(cd "$build" && cpack -G DEB)
ls -1 "$build"/velmora_*.deb
