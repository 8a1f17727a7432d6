// What an engine's "info" line reports, and how the user sees it: a one-line summary of depth,
// score and principal variation for the thinking box, and the node count with the thinking time
// for the status bar. Each protocol reads its own lines into an InfoReport; the texts are the same
// whichever the engine speaks.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "position/position_record.h"

namespace tarvelle {

struct InfoScore {
    // A mate announced in moves (UCI's "score mate N"), or points (UCCI's scores, mates included,
    // and UCI's centipawns).
    bool mateInMoves = false;
    // Negative when the side to move is the one mated.
    int value = 0;
};

// The fields of one info line; a field the line lacks is empty.
struct InfoReport {
    std::optional<std::int32_t> nodes;
    // The engine's own time, for a protocol whose time is trusted; otherwise the time of day is.
    std::optional<std::int32_t> milliseconds;
    std::optional<std::int16_t> depth;
    std::optional<InfoScore> score;
    // Empty when the line has no principal variation at all; its moves otherwise.
    std::optional<std::vector<MoveValue>> principalVariation;
};

// What the texts need to know besides the report.
struct ThinkingContext {
    // Time of day in whole seconds, now and when the search was requested.
    int nowSeconds = 0;
    int searchStartSeconds = 0;
    // While pondering, the summary names the move the engine assumes, in display form.
    bool pondering = false;
    std::string_view ponderedMoveText;
};

struct ThinkingInfo {
    // For part 1 of the status bar: only when the line reports nodes and time has passed.
    std::optional<std::string> progressText;
    // For the thinking box: only when the line reports both depth and score.
    std::optional<std::string> summaryText;
};

// The texts of one report. The summary right-aligns the depth in three columns and the score in
// six; points show as a number, a mate in N moves as "杀N" and being mated in N as "被杀N". The
// principal variation's moves show in display form, after the pondered move in parentheses.
ThinkingInfo ThinkingTexts(const InfoReport& report, const ThinkingContext& context);

}  // namespace tarvelle
