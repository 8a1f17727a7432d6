// Exact search for short mates with the rules library: unlike the engine's pruned search it also
// sees quiet mating moves in zugzwang positions, so it settles a short puzzle's key and length.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "cchess/cchess.h"

namespace tarvelle {

std::vector<int32_t> LegalMoves(const PositionRecord& record);

// Proves or refutes "the side to move mates within n of its moves" by trying every defence. A side
// left without a legal move has lost, stalemated or mated. Results are remembered by position, so
// one search object answers many questions about the same game tree cheaply.
class MateSearch {
public:
    explicit MateSearch(PositionRecord& record) : record_(record) {}

    // Every first move that mates within `moves`, with the fewest moves it needs, in the order of
    // the legal-move list; only the first `most` of them when `most` is not 0.
    std::vector<std::pair<int32_t, int>> MatingFirstMoves(int moves, std::size_t most = 0);

    // Positions looked at so far; the figure the speed measurements report.
    std::uint64_t Nodes() const { return nodes_; }

private:
    struct Key {
        std::uint64_t a;
        std::uint64_t b;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const { return key.a; }
    };
    // What is known of a position: it is decided within `proven` moves, and not within `refuted`;
    // for the defender, the reply that held last.
    struct Known {
        std::int8_t proven = 127;
        std::int8_t refuted = 0;
        std::int32_t defence = 0;
    };

    bool AttackerMates(int moves);
    bool DefenderLoses(int moves);
    Key PositionKey() const;
    Known& Remembered();

    PositionRecord& record_;
    std::unordered_map<Key, Known, KeyHash> known_;
    std::vector<int32_t> refutations_ = std::vector<int32_t>(64, 0);  // by moves left
    std::uint64_t nodes_ = 0;
};

// The move as Fairy-Stockfish writes it: files a..i, ranks 1..10 from Red's side ("h3e3").
std::string EngineMoveText(int32_t move);

}  // namespace tarvelle
