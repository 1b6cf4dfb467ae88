#!/usr/bin/env bash
# Installs the Debian packages Quaywise builds and tests with, when they are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev lld
  qt6-base-dev libgl1-mesa-dev fonts-dejavu-core fonts-liberation2
  libtcd-dev xtide-data
  libabsl-dev tzdata rapidjson-dev
  libical-dev python3-icalendar
  nodejs npm
  xvfb xauth poppler-utils
  libreoffice-calc-nogui
  locales
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
# node and npm may come from outside Debian's packages; only install them when absent.
if command -v node >/dev/null && command -v npm >/dev/null; then
  filtered=()
  for package in "${missing[@]}"; do
    [[ "$package" == nodejs || "$package" == npm ]] || filtered+=("$package")
  done
  missing=("${filtered[@]}")
fi

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests of typed numbers run under comma-decimal locales; generate them when absent.
for wanted in de_DE nb_NO; do
  if ! locale -a 2>/dev/null | grep -qi "^${wanted}\.utf-\?8$"; then
    sudo_cmd=()
    [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" localedef -i "$wanted" -f UTF-8 "${wanted}.UTF-8"
  fi
done
