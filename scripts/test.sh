#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build.sh
ctest --test-dir build --output-on-failure --timeout 300 -j "$(nproc)"

# The Windows build and its tests under Wine, once Qt for Windows is built (that takes long).
if [ -f "${XDG_CACHE_HOME:-$HOME/.cache}/telimer/qt-6.4.2-mingw64/lib/cmake/Qt6/qt.toolchain.cmake" ]; then
  bash scripts/build-windows.sh
  bash scripts/test-windows.sh
else
  echo "Windows tests skipped: no Qt for Windows in ~/.cache/telimer yet (bash scripts/build-windows.sh builds it)"
fi
