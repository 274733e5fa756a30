#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
set -euo pipefail
pkgs=(build-essential cmake ninja-build pkg-config
      qt6-base-dev qt6-base-dev-tools libqt6serialport6-dev libgl-dev
      libgtest-dev libgmock-dev libbenchmark-dev
      fonts-liberation2 xvfb xauth
      locales
      clang clang-tidy libclang-rt-14-dev
      libxml2-utils python3 qt6-translations-l10n
      dpkg-dev file appstream poppler-utils)
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
# The number formats are tested under a German C locale (decimal comma), so that locale
# must exist; Debian's locales package generates only those listed in /etc/locale.gen.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
    $SUDO sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -qx 'de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi
