#!/usr/bin/env bash
# Measures perft(5) from the start position with our rules library and with Fairy-Stockfish's own
# perft, one after the other on this machine, prints the ratio, then runs the rules benchmarks, the
# board drawing benchmarks and, under Xvfb, the program's start-up without an engine, with its engine
# and with an engine that never answers, beside XBoard's, its processor use and wake-ups while idle
# and while the engine searches, its memory, the delay from the engine's move to the board, and the
# puzzle list's opening on 100,000 puzzles; then the trainer's verdicts, headless over the puzzle
# collection and clicked in the real window; last the mate solver beside Fairy-Stockfish.
set -euo pipefail
source "$(dirname "$0")/common.sh"

# xev tells when the program's window maps without polling for it; XBoard is the start-up to match.
"$TOP/scripts/ensure-packages.sh" "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" x11-utils xboard
build_tree "$TOP/build-bench" -DCMAKE_BUILD_TYPE=Release -DTARVELLE_BUILD_TESTS=OFF

start="rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w"
now() { date +%s.%N; }

echo "== perft 5 from the start position"
t0=$(now)
ours=$("$TOP/build-bench/bin/perft" "$start" 5 bench | head -n 1)
t1=$(now)
theirs=$(printf 'uci\nsetoption name UCI_Variant value xiangqi\nposition startpos\ngo perft 5\nquit\n' |
    /usr/games/fairy-stockfish | sed -n 's/^Nodes searched: //p')
t2=$(now)

awk -v ours="$ours" -v theirs="$theirs" -v t0="$t0" -v t1="$t1" -v t2="$t2" 'BEGIN {
    a = t1 - t0; b = t2 - t1
    printf "tarvelle perft:        %d nodes in %.2f s, %.1f M nodes/s\n", ours, a, ours / a / 1e6
    printf "fairy-stockfish perft: %d nodes in %.2f s, %.1f M nodes/s\n", theirs, b, theirs / b / 1e6
    printf "fairy-stockfish time / tarvelle time = %.2f\n", b / a
    if (ours != theirs) { print "node counts differ"; exit 1 }
}'

echo "== rules library benchmarks"
"$TOP/build-bench/bin/cchess_bench" "$@"

echo "== board drawing benchmarks"
"$TOP/build-bench/bin/board_bench"

echo "== the program under Xvfb"
python3 "$TOP/tools/bench/program_bench.py" "$TOP/build-bench/bin/tarvelle"

echo "== the trainer's verdicts"
"$TOP/build-bench/bin/verdict_bench"
python3 "$TOP/tools/bench/verdict_clicks.py" "$TOP/build-bench/bin"

echo "== the mate solver beside Fairy-Stockfish"
python3 "$TOP/tools/bench/mate_bench.py" "$TOP/build-bench/bin/tarvelle-mate" "$TOP/assets/fens.txt"
