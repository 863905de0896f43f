#!/usr/bin/env bash
# Builds Veilix into build/ (installing what is missing) and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install_deps.sh run
# In a Wayland session the sheet is a Wayland window, through Qt's plugin.
if [ -n "${WAYLAND_DISPLAY:-}" ] || [ "${XDG_SESSION_TYPE:-}" = wayland ]; then
  bash scripts/install_deps.sh wayland
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: Veilix is a desktop program and needs an X11 or Wayland session (DISPLAY or WAYLAND_DISPLAY is not set)." >&2
  echo "It was not started. Run this from a graphical session." >&2
  exit 1
fi
cmake -S . -B build -G Ninja -DVEILIX_TESTS=OFF -DVEILIX_BENCH=OFF >/dev/null
cmake --build build --target veilix
exec build/veilix
