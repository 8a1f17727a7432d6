// perft FEN DEPTH [bench]
//   Prints "<move> <count>" for every legal first move, sorted by move text, then the total alone
//   on the last line. With "bench" it prints only the total and the speed in nodes per second.
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "engine/move_text.h"
#include "perft_count.h"

namespace {

int Usage() {
    std::fputs("usage: perft FEN DEPTH [bench]\n", stderr);
    return 2;
}

bool ParseDepth(std::string_view text, int& depth) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), depth);
    return error == std::errc() && end == text.data() + text.size() && depth >= 0 && depth <= 64;
}

int Bench(PositionRecord& record, int depth) {
    const auto start = std::chrono::steady_clock::now();
    const std::uint64_t nodes = tarvelle::Perft(record, depth);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    std::printf("%llu\n", static_cast<unsigned long long>(nodes));
    std::printf("%.0f nodes per second (%.3f s)\n",
                static_cast<double>(nodes) / std::max(seconds.count(), 1e-9), seconds.count());
    return 0;
}

int Divide(PositionRecord& record, int depth) {
    auto counts = tarvelle::PerftDivide(record, depth);
    std::sort(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
        return tarvelle::MoveToCoord(a.move) < tarvelle::MoveToCoord(b.move);
    });
    std::uint64_t total = depth == 0 ? 1 : 0;
    for (const auto& [move, nodes] : counts) {
        std::printf("%s %llu\n", tarvelle::MoveToCoord(move).c_str(),
                    static_cast<unsigned long long>(nodes));
        total += nodes;
    }
    std::printf("%llu\n", static_cast<unsigned long long>(total));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) return Usage();
    int depth = 0;
    if (!ParseDepth(argv[2], depth)) return Usage();
    const bool bench = argc == 4;
    if (bench && std::string_view(argv[3]) != "bench") return Usage();

    const auto record = std::make_unique<PositionRecord>();
    CchessInit(0);
    CchessFen2Board(record.get(), argv[1]);
    return bench ? Bench(*record, depth) : Divide(*record, depth);
}
