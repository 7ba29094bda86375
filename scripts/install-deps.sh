#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing VANTO
# need. Idempotent: installs only what is missing and says nothing when
# everything is present.
#   --fuzz  also clang with libFuzzer, for scripts/fuzz.sh
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-multimedia-dev
  libpng-dev libjpeg62-turbo-dev libturbojpeg0-dev libopenjp2-7-dev libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth xdotool openbox imagemagick sox
  locales
)
if [[ "${1:-}" == "--fuzz" ]]; then
  packages+=(clang libclang-rt-14-dev)
fi

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"

# The number-text tests switch the process to these locales, the way a
# German or French desktop starts the program.
test_locales=(de_DE.UTF-8 fr_FR.UTF-8)

# "de_DE.UTF-8" is listed by locale -a as "de_DE.utf8".
locale_present() {
  local wanted available
  wanted=$(echo "${1/UTF-8/utf8}" | tr '[:upper:]' '[:lower:]')
  available=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]')
  grep -qx "$wanted" <<<"$available"
}

generate_locales() {
  local missing_locales=()
  for name in "${test_locales[@]}"; do
    locale_present "$name" || missing_locales+=("$name")
  done
  [[ ${#missing_locales[@]} -eq 0 ]] && return 0
  echo "Generating locales: ${missing_locales[*]}"
  $sudo sed -i 's/^# *\(de_DE.UTF-8\|fr_FR.UTF-8\)/\1/' /etc/locale.gen
  $sudo locale-gen >/dev/null
}

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
generate_locales
