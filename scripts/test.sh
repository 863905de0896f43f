#!/usr/bin/env bash
# Builds Veilix and passes every test: unit, GUI (offscreen) and end-to-end
# (Xvfb) in build/, unit and GUI again with address and undefined-behaviour
# sanitizers in build/sanitize, then the PNG decoder fuzzer for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."

FUZZ_SECONDS=${VEILIX_FUZZ_SECONDS:-60}
jobs=$(nproc)

bash scripts/install_deps.sh test

echo "== build"
cmake -S . -B build -G Ninja -DVEILIX_TESTS=ON -DVEILIX_BENCH=ON >/dev/null
cmake --build build -j "$jobs"

echo "== tests"
ctest --test-dir build -j "$jobs" --output-on-failure --timeout 300

echo "== tests with sanitizers"
cmake -S . -B build/sanitize -G Ninja -DVEILIX_SANITIZE=ON -DVEILIX_BENCH=OFF >/dev/null
cmake --build build/sanitize -j "$jobs" --target veilix_unit_tests veilix_gui_tests veilix-pngcheck veilix-template-generator
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize -j "$jobs" -L 'unit|gui' --output-on-failure --timeout 600

echo "== fuzzing the PNG decoder for ${FUZZ_SECONDS}s"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DVEILIX_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$jobs"
bash tests/fuzz/run_fuzz.sh build/fuzz "$FUZZ_SECONDS"

echo "All tests passed."
