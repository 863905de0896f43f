#!/usr/bin/env bash
# Installs the Debian packages a task needs, only those that are missing.
#   install_deps.sh run    what building and running the program needs
#   install_deps.sh test   that, plus what the tests, fuzzer and benchmarks need
#   install_deps.sh wayland  Qt's Wayland platform plugin, for running in a
#                            Wayland session
set -euo pipefail

run_packages=(cmake ninja-build g++ pkg-config qt6-base-dev libxcb1-dev zlib1g-dev fonts-dejavu-core)
# Menus are drawn in Tahoma; Debian ships a free one with fonts-wine.
run_packages+=(fonts-wine)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev libpng-dev clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick libx11-dev libxtst-dev libsm-dev openbox)
# The installation and package checks, and the end-to-end tests on Wayland.
test_packages+=(desktop-file-utils appstream dpkg-dev man-db librsvg2-bin
  weston qt6-wayland libwayland-dev wayland-protocols)
# The end-to-end benchmarks drive and watch the program as an X client.
test_packages+=(libxext-dev libxdamage-dev)
wayland_packages=(qt6-wayland)

case "${1:-run}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${run_packages[@]}" "${test_packages[@]}") ;;
  wayland) wanted=("${wayland_packages[@]}") ;;
  *) echo "usage: $0 run|test|wayland" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null; then
  sudo=(sudo)
else
  echo "Missing packages: ${missing[*]}; run this as root or install sudo." >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
