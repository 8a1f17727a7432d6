#!/usr/bin/env bash
# fuzz.sh TARGET [SECONDS [LIBFUZZER_OPTION...]]: fuzzes TARGET (a folder name in
# tests/fuzz/corpus) for SECONDS (600 by default), starting from its committed corpus, then merges
# the inputs that reached new code into it. The target's own libFuzzer options, if any, are the
# lines of tests/fuzz/TARGET.options not starting with "#"; further options on the command line
# go to libFuzzer as they are and win, e.g. -runs=N to stop after N executions. Fails, keeping the
# input that did it under build-fuzz/findings/TARGET/, when the fuzzer finds a fault.
set -euo pipefail
source "$(dirname "$0")/common.sh"

corpora="$TOP/tests/fuzz/corpus"
target="${1:-}"
if [ -z "$target" ] || [ ! -d "$corpora/$target" ]; then
    echo "usage: $0 TARGET [SECONDS [LIBFUZZER_OPTION...]]; targets:" $(ls "$corpora") >&2
    exit 2
fi
seconds="${2:-600}"
shift $(($# < 2 ? $# : 2))

"$TOP/scripts/ensure-packages.sh" cmake ninja-build clang libclang-rt-14-dev
build_tree "$TOP/build-fuzz" -DTARVELLE_FUZZ=ON \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++

fuzzer="$TOP/build-fuzz/bin/${target}_fuzz"
corpus="$corpora/$target"
dict="$TOP/tests/fuzz/$target.dict"
own_options="$TOP/tests/fuzz/$target.options"
# New inputs pile up outside the tree; only those that add coverage are merged back at the end.
scratch="$TOP/build-fuzz/scratch/$target"
findings="$TOP/build-fuzz/findings/$target"
mkdir -p "$scratch" "$findings"

options=(-max_len=4096 -max_total_time="$seconds" -print_final_stats=1
    -artifact_prefix="$findings/")
if [ -f "$dict" ]; then options+=(-dict="$dict"); fi
if [ -f "$own_options" ]; then
    mapfile -t -O "${#options[@]}" options < <(grep -v '^#' "$own_options")
fi
"$fuzzer" "$scratch" "$corpus" "${options[@]}" "$@"

# Merging by edges alone, not by how often each ran, adds only inputs that reach code no committed
# input reaches, which keeps the corpus at a size the test suite replays in moments.
"$fuzzer" -merge=1 -use_counters=0 "$corpus" "$scratch"
echo "Corpus of $target: $(find "$corpus" -type f | wc -l) inputs"
