#!/usr/bin/env bash
# Runs the PNG decoder fuzzer for a bounded time.
#   tests/fuzz/run_fuzz.sh <fuzz-build-dir> <seconds>
# The build dir comes from:
#   cmake -S . -B <dir> -DCMAKE_CXX_COMPILER=clang++ -DVEILIX_FUZZ=ON && cmake --build <dir>
# The corpus lives in <dir>/fuzz_corpus, seeded from the conformance files
# and the stored templates; findings land in <dir>/fuzz_findings. Exits
# non-zero when the fuzzer reports anything.
set -euo pipefail

if [[ $# -ne 2 ]]; then
  echo "usage: $0 <fuzz-build-dir> <seconds>" >&2
  exit 2
fi
build_dir=$(cd "$1" && pwd)
seconds=$2
repo=$(cd "$(dirname "$0")/../.." && pwd)
fuzzer="$build_dir/png_decoder_fuzz"
[[ -x "$fuzzer" ]] || { echo "$fuzzer not built" >&2; exit 2; }

corpus="$build_dir/fuzz_corpus"
findings="$build_dir/fuzz_findings"
mkdir -p "$corpus" "$findings"
cp -n "$repo"/tests/data/pngsuite/*.png "$repo"/src/templates/data/*.png "$corpus"/

"$fuzzer" "$corpus" \
  -max_total_time="$seconds" \
  -rss_limit_mb=2048 \
  -malloc_limit_mb=2048 \
  -max_len=65536 \
  -timeout=10 \
  -print_final_stats=1 \
  -artifact_prefix="$findings/"
