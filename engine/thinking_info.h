// What an engine's "info" line shows the user: a one-line summary of depth, score and principal
// variation for the thinking box, and the node count with the thinking time for the status bar.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvelle {

// What the reader needs to know besides the line.
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

// Reads one line that begins "info ". Fields are found by their first occurrence as " nodes ",
// " depth ", " score " and " pv "; a score may be "N", "cp N" or "mate N" (mate in N shows as
// 10000 - N, being mated in N as -10000 - N). The principal variation is read as four-byte moves
// five bytes apart, to the end of the line.
ThinkingInfo ReadThinkingInfo(std::string_view line, const ThinkingContext& context);

}  // namespace tarvelle
