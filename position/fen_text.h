// FEN texts as the program's FEN boxes show and take them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "position_record.h"

namespace tarvelle {

// The standard opening.
inline constexpr std::string_view kStartFen =
    "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w - - 0 0";

// Placement and side, then " - - 0 " with its trailing blank: the main window's FEN box after a
// move.
std::string GameFenText(const PositionRecord& record);

// Placement and side, " - - 0 " and the move number: the editor's FEN box.
std::string EditorFenText(const PositionRecord& record, int moveNumber);

// The start FEN a game from `position` tells the engine: `fenText`, the text the position was read
// from, when the rules library took it as it stands; otherwise the position's own text with
// `moveNumber`, so that the engine is told the position the board shows.
std::string StartFenText(const PositionRecord& position, const std::string& fenText,
                         int moveNumber);

// The text before the first line break (CR LF, or a lone LF); all of it when there is none.
std::string_view FirstLine(std::string_view text);

// The number that starts right after the first " - - 0 ", truncated toward zero and limited to
// -32767..32767; 0 when the text has no " - - 0 " or no number follows it.
std::int16_t EditorMoveNumber(std::string_view fenText);

}  // namespace tarvelle
