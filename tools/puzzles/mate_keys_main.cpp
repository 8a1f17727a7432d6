// mate_keys FEN MOVES
//   Prints "<move> <n>" for every first move that mates within MOVES (1..4) moves, n the fewest it
//   needs, moves as Fairy-Stockfish writes them. Exits 2 on a bad command line or a FEN the rules
//   library cannot read as it is.
#include <cstdio>
#include <memory>
#include <string_view>

#include "mate_search.h"

int main(int argc, char** argv) {
    const std::string_view limit = argc == 3 ? argv[2] : "";
    if (limit.size() != 1 || limit[0] < '1' || limit[0] > '4') {
        std::fputs("usage: mate_keys FEN MOVES (1..4)\n", stderr);
        return 2;
    }
    const auto record = std::make_unique<PositionRecord>();
    CchessInit(0);
    if (CchessFen2Board(record.get(), argv[1]) != 1) {
        std::fputs("mate_keys: the FEN needs repair\n", stderr);
        return 2;
    }
    for (const auto& [move, moves] : tarvelle::MatingFirstMoves(*record, limit[0] - '0')) {
        std::printf("%s %d\n", tarvelle::EngineMoveText(move).c_str(), moves);
    }
    return 0;
}
