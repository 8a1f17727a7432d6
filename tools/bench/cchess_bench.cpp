// Speed of the rules library: making and taking back moves, listing moves, and perft(5).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "perft_count.h"

namespace {

constexpr const char* kStart = "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w";

// Positions of all phases: the opening and what a fixed sequence of pseudo-random legal moves
// reaches from it after 10, 30 and 60 plies.
std::vector<PositionRecord> SamplePositions() {
    auto record = std::make_unique<PositionRecord>();
    CchessFen2Board(record.get(), kStart);
    std::vector<PositionRecord> positions{*record};
    std::uint32_t seed = 12345;
    for (int ply = 1; ply <= 60; ++ply) {
        std::int32_t moves[CCHESS_MAX_MOVES];
        const int count = CchessLegalMoves(record.get(), moves, CCHESS_MAX_MOVES);
        if (count == 0) break;
        seed = seed * 1664525u + 1013904223u;
        CchessTryMove(record.get(), nullptr,
                      moves[(seed >> 8) % static_cast<std::uint32_t>(count)]);
        if (ply == 10 || ply == 30 || ply == 60) positions.push_back(*record);
    }
    return positions;
}

template <bool WithStatus>
void TryAndUndoEveryMove(benchmark::State& state) {
    auto positions = SamplePositions();
    std::int64_t made = 0;
    for (auto _ : state) {
        for (PositionRecord& record : positions) {
            std::int32_t moves[CCHESS_MAX_MOVES];
            const int count = CchessLegalMoves(&record, moves, CCHESS_MAX_MOVES);
            for (int i = 0; i < count; ++i) {
                int status = 0;
                benchmark::DoNotOptimize(
                    CchessTryMove(&record, WithStatus ? &status : nullptr, moves[i]));
                benchmark::DoNotOptimize(status);
                CchessUndoMove(&record);
            }
            made += count;
        }
    }
    state.SetItemsProcessed(made);
}
BENCHMARK(TryAndUndoEveryMove<true>)->Name("TryMove+UndoMove/with status");
BENCHMARK(TryAndUndoEveryMove<false>)->Name("TryMove+UndoMove/no status");

void ListLegalMoves(benchmark::State& state) {
    const auto positions = SamplePositions();
    std::int64_t listed = 0;
    for (auto _ : state) {
        for (const PositionRecord& record : positions) {
            std::int32_t moves[CCHESS_MAX_MOVES];
            listed += CchessLegalMoves(&record, moves, CCHESS_MAX_MOVES);
            benchmark::DoNotOptimize(moves);
        }
    }
    state.SetItemsProcessed(listed);
}
BENCHMARK(ListLegalMoves);

void PerftFromTheStart(benchmark::State& state) {
    auto record = std::make_unique<PositionRecord>();
    CchessFen2Board(record.get(), kStart);
    const int depth = static_cast<int>(state.range(0));
    std::uint64_t nodes = 0;
    for (auto _ : state)
        nodes += tarvelle::Perft(*record, depth);
    state.SetItemsProcessed(static_cast<std::int64_t>(nodes));
}
BENCHMARK(PerftFromTheStart)->Arg(5)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
