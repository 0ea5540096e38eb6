#!/usr/bin/env bash
# Builds the program and every test with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-sanitize/ and runs the whole suite there (ctest sets the sanitizers' options).
set -euo pipefail
cd "$(dirname "$0")/.."

# CMake's default generator on purpose: the other builds take Ninja where it is, and this one
# keeps a fault that only Unix Makefiles meet from coming back unseen.
configure=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTELIMER_SANITIZE=ON -DTELIMER_BUILD_BENCH=OFF)
command -v ccache >/dev/null 2>&1 && configure+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f build-sanitize/CMakeCache.txt ]; then
  cmake -S . -B build-sanitize "${configure[@]}"
fi
cmake --build build-sanitize --parallel "$(nproc)"
ctest --test-dir build-sanitize --output-on-failure --timeout 300 -j "$(nproc)"
