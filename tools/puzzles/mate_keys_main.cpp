// mate_keys FEN MOVES [MOST]
//   Prints "<move> <n>" for every first move that mates within MOVES (1..9) moves, or for the first
//   MOST of them, n the fewest it needs, moves as Fairy-Stockfish writes them, then on standard
//   error the positions searched and the time. Exits 2 on a bad command line or a FEN the rules
//   library cannot read as it is. Four moves take seconds, five up to minutes.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string_view>

#include "mate_search.h"

int main(int argc, char** argv) {
    const std::string_view limit = argc == 3 || argc == 4 ? argv[2] : "";
    const std::string_view most = argc == 4 ? argv[3] : "0";
    if (limit.size() != 1 || limit[0] < '1' || limit[0] > '9' || most.size() != 1 ||
        most[0] < '0' || most[0] > '9') {
        std::fputs("usage: mate_keys FEN MOVES (1..9) [MOST (1..9)]\n", stderr);
        return 2;
    }
    const auto record = std::make_unique<PositionRecord>();
    CchessInit(0);
    if (CchessFen2Board(record.get(), argv[1]) != 1) {
        std::fputs("mate_keys: the FEN needs repair\n", stderr);
        return 2;
    }
    const auto started = std::chrono::steady_clock::now();
    tarvelle::MateSearch search(*record);
    for (const auto& [move, moves] :
         search.MatingFirstMoves(limit[0] - '0', static_cast<std::size_t>(most[0] - '0'))) {
        std::printf("%s %d\n", tarvelle::EngineMoveText(move).c_str(), moves);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - started;
    std::fprintf(stderr, "%llu positions in %.2f s\n",
                 static_cast<unsigned long long>(search.Nodes()), took.count());
    return 0;
}
