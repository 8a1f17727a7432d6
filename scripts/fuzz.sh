#!/usr/bin/env bash
# fuzz.sh [SECONDS]: fuzzes the rules library for SECONDS (600 by default), starting from the
# committed corpus in tests/fuzz/corpus, then merges the inputs that reached new code into it.
# Fails, keeping the input that did it under build-fuzz/findings/, when the fuzzer finds a fault.
set -euo pipefail
source "$(dirname "$0")/common.sh"

seconds="${1:-600}"
"$TOP/scripts/ensure-packages.sh" cmake ninja-build clang libclang-rt-14-dev
build_tree "$TOP/build-fuzz" -DTARVELLE_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

fuzzer="$TOP/build-fuzz/bin/cchess_fuzz"
corpus="$TOP/tests/fuzz/corpus"
# New inputs pile up outside the tree; only those that add coverage are merged back at the end.
scratch="$TOP/build-fuzz/scratch-corpus"
findings="$TOP/build-fuzz/findings"
mkdir -p "$scratch" "$findings"

"$fuzzer" "$scratch" "$corpus" \
    -dict="$TOP/tests/fuzz/dict" \
    -max_len=1024 \
    -max_total_time="$seconds" \
    -print_final_stats=1 \
    -artifact_prefix="$findings/"

# Merging by edges alone, not by how often each ran, adds only inputs that reach code no committed
# input reaches, which keeps the corpus at a size the test suite replays in moments.
"$fuzzer" -merge=1 -use_counters=0 "$corpus" "$scratch"
echo "Corpus: $(find "$corpus" -type f | wc -l) inputs"
