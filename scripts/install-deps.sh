#!/usr/bin/env bash
# Installs whatever the two builds and their tests need, from Debian's packages.
# Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  cmake g++ make
  libboost1.81-dev
  locales
  libcurl4-openssl-dev
  qt6-base-dev qt6-qpa-plugins
  g++-mingw-w64-x86-64-posix
  wine wine64
  googletest libbenchmark-dev
  xvfb openbox xdotool xclip x11-utils imagemagick
  fonts-wqy-microhei
  at-spi2-core python3-pyatspi dbus-daemon dbus-bin
  python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo_() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo_ env DEBIAN_FRONTEND=noninteractive apt-get update -q
  sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page from the locale; without zh_CN.UTF-8 it
# falls back to 1252 and garbles every Chinese text.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  sudo_ sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  sudo_ locale-gen
fi
