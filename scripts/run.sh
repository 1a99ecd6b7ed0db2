#!/usr/bin/env bash
# Installs what is missing, builds, and starts the application.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2

app=(build/bin/velari-events "$@")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  # No screen here: run in a virtual one.
  exec xvfb-run -a -s "-screen 0 720x1280x24" "${app[@]}"
fi
exec "${app[@]}"
