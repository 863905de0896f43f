#!/usr/bin/env bash
# Builds Veilix and passes every test: unit, GUI (offscreen) and end-to-end
# (Xvfb, openbox, weston) in build/, then checks what it installs and its
# Debian package; the tests again with address and undefined-behaviour
# sanitizers in build/sanitize, leak detection on for the real program;
# everything built again with clang in Release (unit tests) in
# build/clang-release; then the PNG decoder fuzzer for a bounded time. Every
# build here treats warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."

FUZZ_SECONDS=${VEILIX_FUZZ_SECONDS:-60}
jobs=$(nproc)

bash scripts/install_deps.sh test

echo "== build"
cmake -S . -B build -G Ninja -DVEILIX_WERROR=ON -DVEILIX_TESTS=ON -DVEILIX_BENCH=ON >/dev/null
cmake --build build -j "$jobs"

echo "== tests"
ctest --test-dir build -j "$jobs" --output-on-failure --timeout 300

echo "== installation, desktop files and Debian package"
bash scripts/check_package.sh build

echo "== tests with sanitizers"
cmake -S . -B build/sanitize -G Ninja -DVEILIX_WERROR=ON -DVEILIX_SANITIZE=ON -DVEILIX_BENCH=OFF >/dev/null
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize -j "$jobs" -L 'unit|gui' --output-on-failure --timeout 600

# The real program, sanitized, through every end-to-end test, with leak
# detection on: each of its ends must be free of reports, so a leak of ours
# fails here. Leaks inside system libraries are suppressed one library each.
echo "== end-to-end tests of the sanitized program, leaks detected"
ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$PWD/tests/sanitizers/lsan.supp \
  UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize -j "$jobs" -L e2e --output-on-failure --timeout 600

# The builds above are GCC at -O2 and the fuzz build covers only the decoder: a
# second compiler over everything, optimising fully, reports what GCC lets
# through, and the unit tests check that its code behaves the same.
echo "== clang Release build and unit tests"
cmake -S . -B build/clang-release -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Release \
  -DVEILIX_WERROR=ON >/dev/null
cmake --build build/clang-release -j "$jobs"
ctest --test-dir build/clang-release -j "$jobs" -L unit --output-on-failure --timeout 300

echo "== fuzzing the PNG decoder for ${FUZZ_SECONDS}s"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DVEILIX_WERROR=ON -DVEILIX_FUZZ=ON >/dev/null
cmake --build build/fuzz -j "$jobs"
bash tests/fuzz/run_fuzz.sh build/fuzz "$FUZZ_SECONDS"

echo "All tests passed."
