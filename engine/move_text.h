// Moves as the engine writes them ("h2e2") and as the thinking display shows them ("H2-E2").
// The conversions follow the square numbering and make no other checks: squares off the board
// convert by the same formulas.
#pragma once

#include <string>
#include <string_view>

#include "position/position_record.h"

namespace tarvelle {

// Reads the first four bytes of the text as two squares; later bytes are ignored. Returns 0 when
// the text is shorter than four bytes or either square falls outside 0..255.
MoveValue CoordToMove(std::string_view text);

// The four-character engine text of a move.
std::string MoveToCoord(MoveValue move);

// The five-character display text of a move: upper-case files and a dash between the squares.
std::string MoveToDisplayCoord(MoveValue move);

}  // namespace tarvelle
