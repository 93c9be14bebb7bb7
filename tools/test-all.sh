#!/bin/bash
# Builds and runs every test: the full build with its tests, a soak of faulted downloads, the
# core tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and each fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== layer order of the includes"
./tools/check-layers.sh

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== download soak: randomized faulted transfers to dispcraft-panel"
build/bin/dispcraft-download-soak --transfers "${SOAK_TRANSFERS:-50}" --jobs 4

echo "== core tests under ASan and UBSan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDISPCRAFT_SANITIZE=ON \
    -DDISPCRAFT_GUI=OFF -DDISPCRAFT_BENCH=OFF
cmake --build build-asan -j "$jobs" --target dispcraft_core_tests
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" -L core

echo "== fuzzing"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang-16 -DCMAKE_CXX_COMPILER=clang++-16 -DDISPCRAFT_FUZZ=ON \
    -DDISPCRAFT_GUI=OFF -DDISPCRAFT_TESTS=OFF -DDISPCRAFT_BENCH=OFF
cmake --build build-fuzz -j "$jobs"
./tools/fuzz-run.sh --seconds "${FUZZ_SECONDS:-30}"
echo "== all tests passed"
