// Moves as the engine writes them ("h2e2") and as the thinking display shows them ("H2-E2"). This
// is the one codec of engine move text: whatever writes or reads moves for an engine goes through
// it. Engines number the ranks in one of two ways, both written from Red's side: 0 to 9 (UCCI and
// most Xiangqi UCI engines) or 1 to 10 (Fairy-Stockfish's UCI, "h3e3").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "position/position_record.h"

namespace tarvelle {

enum class RankNumbering : std::int8_t { FromZero, FromOne };

// Counting from zero, reads the first four bytes of the text as two squares by the square
// numbering's formulas, with no other check; later bytes are ignored. Returns 0 when the text is
// shorter than four bytes or either square falls outside 0..255.
// Counting from one, reads a file a..i and a rank 1..10 twice over and ignores what follows;
// returns 0 for any other text.
MoveValue CoordToMove(std::string_view text, RankNumbering ranks = RankNumbering::FromZero);

// The engine text of a move: four characters counting from zero, four to six counting from one.
// Squares off the board are written by the same formulas.
std::string MoveToCoord(MoveValue move, RankNumbering ranks = RankNumbering::FromZero);

// The five-character display text of a move: upper-case files, ranks 0..9 whatever the engine's,
// and a dash between the squares.
std::string MoveToDisplayCoord(MoveValue move);

}  // namespace tarvelle
