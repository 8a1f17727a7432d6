// A deliberately plain search for short mates, to judge the solver by: every line is tried to the
// end, and the only memory is a map of positions already decided, keyed by their FEN text.
#pragma once

#include <cchess/cchess.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tarvelle::testing {

class PlainMateSearch {
public:
    // The fewest moves, up to `most`, in which the side to move mates; 0 when it cannot.
    int MateLength(PositionRecord& record, int most);

    // Whether the side to move mates within `moves`.
    bool AttackerMates(PositionRecord& record, int moves);

    // Whether every reply of the side to move leaves the other side a mate within `moves`.
    bool DefenderLoses(PositionRecord& record, int moves);

private:
    std::map<std::pair<std::string, int>, bool> decided_;
};

std::vector<std::int32_t> AllLegalMoves(const PositionRecord& record);

}  // namespace tarvelle::testing
