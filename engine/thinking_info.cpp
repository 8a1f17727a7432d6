#include "engine/thinking_info.h"

#include <cstddef>
#include <cstdint>

#include "engine/move_text.h"
#include "position/number_text.h"

namespace tarvelle {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr int kMateScore = 10000;

// Blanks that right-align `text` in `width` bytes; none when it is as wide already.
std::string PaddingFor(const std::string& text, std::size_t width) {
    return std::string(text.size() < width ? width - text.size() : 0, ' ');
}

// The text after the first occurrence of `field`, or nothing when the line lacks it.
std::optional<std::string_view> After(std::string_view line, std::string_view field) {
    const std::size_t at = line.find(field);
    if (at == std::string_view::npos) return std::nullopt;
    return line.substr(at + field.size());
}

std::optional<std::string> ProgressText(std::string_view line, const ThinkingContext& context) {
    const auto nodesText = After(line, " nodes ");
    if (!nodesText) return std::nullopt;
    // The engine's own time field is not trusted; the clock wraps at midnight.
    std::int64_t milliseconds = (context.nowSeconds - context.searchStartSeconds) * 1000LL;
    if (milliseconds < 0) milliseconds += kSecondsPerDay * 1000;
    if (milliseconds <= 0) return std::nullopt;
    return "思考过程:  nodes(搜索的局面): " + std::to_string(TextToInt32(*nodesText)) +
           "   思考时间(毫秒): " + std::to_string(milliseconds);
}

int Score(std::string_view scoreText) {
    if (scoreText.starts_with("mate ")) {
        const int movesToMate = TextToInt16(scoreText.substr(5));
        return movesToMate >= 0 ? kMateScore - movesToMate : -kMateScore - movesToMate;
    }
    // UCI engines write centipawns as "cp N" where UCCI has the bare number.
    if (scoreText.starts_with("cp ")) scoreText.remove_prefix(3);
    return TextToInt16(scoreText);
}

std::optional<std::string> SummaryText(std::string_view line, const ThinkingContext& context) {
    const auto depthText = After(line, " depth ");
    if (!depthText) return std::nullopt;
    const auto scoreText = After(line, " score ");
    if (!scoreText) return std::nullopt;

    const std::string depth = std::to_string(TextToInt16(*depthText));
    const std::string score = std::to_string(Score(*scoreText));
    std::string summary = PaddingFor(depth, 3) + "思考深度：" + depth + PaddingFor(score, 6) +
                          "得分(" + score + ")得分";
    if (const auto moves = After(line, " pv ")) {
        if (context.pondering) summary.append(" (").append(context.ponderedMoveText).append(")");
        // A move starts wherever at least two bytes of the line remain.
        for (std::size_t at = 0; at + 1 < moves->size(); at += 5)
            summary.append(" ").append(MoveToDisplayCoord(CoordToMove(moves->substr(at))));
    }
    return summary;
}

}  // namespace

ThinkingInfo ReadThinkingInfo(std::string_view line, const ThinkingContext& context) {
    return {ProgressText(line, context), SummaryText(line, context)};
}

}  // namespace tarvelle
