// The engine's answer to a search: "bestmove h2e2" or "bestmove h2e2 ponder h9g7".
#pragma once

#include <string_view>

#include "position/position_record.h"

namespace tarvelle {

struct BestMoveLine {
    // 0 when the move text cannot be read, as in "bestmove (none)".
    MoveValue move = 0;
    // Whether the line names the reply the engine expects, and that reply (0 when unreadable).
    bool hasPonderMove = false;
    MoveValue ponderMove = 0;
};

// Reads a line that begins "bestmove " at fixed places: the move in bytes 10-13, " ponder " in
// bytes 14-21 and the ponder move in bytes 22-25.
BestMoveLine ReadBestMoveLine(std::string_view line);

}  // namespace tarvelle
