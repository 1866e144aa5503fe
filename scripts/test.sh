#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and UBSan
# in its own build folder and runs the whole test suite through ctest.
# Extra arguments go to ctest (for example: -L big to run the above-2-GiB tests).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
build="$root/build-asan"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVQT_SANITIZE=ON
cmake --build "$build"
cd "$build"
export QT_QPA_PLATFORM=offscreen
[ $# -gt 0 ] || set -- -LE big
ctest --output-on-failure --timeout 600 -j2 "$@"
