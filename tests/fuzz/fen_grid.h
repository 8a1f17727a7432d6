// A second, deliberately plain reading of FEN placements, so the fuzz target can judge the
// library's FEN functions against something that does not share their code.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvelle::fuzz {

// The 90 points of the placement, top rank first, each as its piece letter (E and H written as B
// and N) or '.', when the text is exactly ten ranks of nine points followed by blanks and a side
// letter (w, r, b in either case), with nothing unknown in between. Otherwise nothing.
std::optional<std::string> StrictGrid(std::string_view fen);

// False when the grid holds more pieces of a kind than a side has codes for: one king, two
// advisors, elephants, horses, chariots and cannons, five pawns.
bool WithinPieceCounts(const std::string& grid);

// 1 when the side letter after the placement names Black, 0 otherwise.
int SideOfText(std::string_view fen);

// The letter of a piece code as FEN writes it, '.' for 0 and anything that is not a piece code.
char LetterOfCode(int code);

}  // namespace tarvelle::fuzz
