// Checks a record the way the program relies on it, independently of the library's own check.
#pragma once

#include <cchess/cchess.h>

#include <string>

namespace tarvelle::testing {

// Empty when the record is sound; otherwise a description of the first fault found. Checks the
// piece and square tables against each other and the board, the side to move, and the library's
// own consistency check of its working data.
std::string RecordFaults(const PositionRecord& record);

}  // namespace tarvelle::testing
