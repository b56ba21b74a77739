#!/usr/bin/env bash
# Installs the Debian packages that building and testing velmora needs, and
# any further packages named as arguments, when they are missing. Safe to run
# again: it does nothing once all are present.
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  qt6-translations-l10n   # Qt's own German texts: standard dialogs, context menus, buttons
  liberfa-dev
  libqt6sql6-sqlite   # the SQLite driver of Qt SQL: the record of the work
  tzdata   # the legal clock times of German births: summer time since 1916
  fonts-liberation2 fontconfig
  poppler-utils   # pdftotext and pdffonts read the calculation sheets in the tests
  clang libclang-rt-14-dev
  "$@"
)

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
