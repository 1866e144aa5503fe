#!/usr/bin/env bash
# Installs what is missing, builds the Release viewer and starts it.
# Usage: scripts/run.sh [IMAGE]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build-release" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVQT_BUILD_TESTS=OFF
cmake --build "$root/build-release" --target VionCViewer vionc
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24" "$root/build-release/VionCViewer" "$@"
fi
exec "$root/build-release/VionCViewer" "$@"
