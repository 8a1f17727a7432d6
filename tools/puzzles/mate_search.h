// Exact search for short mates with the rules library: unlike the engine's pruned search it also
// sees quiet mating moves in zugzwang positions, so it settles whether a short puzzle has one key.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "cchess/cchess.h"

namespace tarvelle {

std::vector<int32_t> LegalMoves(const PositionRecord& record);

// Whether the legal `move` of the side to move mates within `moves` of that side's moves (this one
// counted) whatever the defence. A side left without a legal move has lost, stalemated or mated.
bool MoveMatesWithin(PositionRecord& record, int32_t move, int moves);

// Every first move that mates within `moves`, with the fewest moves it needs. The cost grows by
// about the square of the number of moves per extra move: three is a fraction of a second.
std::vector<std::pair<int32_t, int>> MatingFirstMoves(PositionRecord& record, int moves);

// The move as Fairy-Stockfish writes it: files a..i, ranks 1..10 from Red's side ("h3e3").
std::string EngineMoveText(int32_t move);

}  // namespace tarvelle
