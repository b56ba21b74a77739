#!/usr/bin/env bash
# Builds the Debian package of velmora (velmora_<version>_<arch>.deb in the
# build folder: build-package/, or the folder given as the argument) on a
# Debian 12 machine: installs what building and packaging need when it
# is missing (with sudo when you are not root), builds the release version
# with the install prefix /usr, and runs CPack.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

# dpkg-shlibdeps (dpkg-dev) works out the package's library dependencies;
# it reads the program with objdump (binutils) and file.
packages=(dpkg-dev binutils file)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

build=${1:-build-package}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DVELMORA_WERROR=ON \
  -DBUILD_TESTING=OFF -DVELMORA_BENCHMARKS=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build "$build" --parallel "$(nproc)"
(cd "$build" && cpack -G DEB)
ls -1 "$build"/velmora_*.deb
