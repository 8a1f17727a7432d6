#include "engine/thinking_info.h"

#include <cstddef>
#include <cstdint>

#include "engine/move_text.h"

namespace tarvelle {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// The columns `text` takes in the window: a CJK character is as wide as two ASCII ones, and
// starts with a lead byte of three.
std::size_t Columns(const std::string& text) {
    std::size_t columns = 0;
    for (const char byte : text) {
        const auto code = static_cast<unsigned char>(byte);
        if (code < 0x80) {
            ++columns;
        } else if (code >= 0xE0) {
            columns += 2;
        }
    }
    return columns;
}

// Blanks that right-align `text` in `width` columns; none when it is as wide already.
std::string PaddingFor(const std::string& text, std::size_t width) {
    const std::size_t columns = Columns(text);
    return std::string(columns < width ? width - columns : 0, ' ');
}

std::optional<std::string> ProgressText(const InfoReport& report, const ThinkingContext& context) {
    if (!report.nodes) return std::nullopt;
    std::int64_t milliseconds = 0;
    if (report.milliseconds) {
        milliseconds = *report.milliseconds;
    } else {
        // The clock wraps at midnight.
        milliseconds = (context.nowSeconds - context.searchStartSeconds) * 1000LL;
        if (milliseconds < 0) milliseconds += kSecondsPerDay * 1000;
    }
    if (milliseconds <= 0) return std::nullopt;
    return "思考过程:  nodes(搜索的局面): " + std::to_string(*report.nodes) +
           "   思考时间(毫秒): " + std::to_string(milliseconds);
}

std::string ScoreText(const InfoScore& score) {
    if (!score.mateInMoves) return std::to_string(score.value);
    return score.value > 0 ? "杀" + std::to_string(score.value)
                           : "被杀" + std::to_string(-score.value);
}

std::optional<std::string> SummaryText(const InfoReport& report, const ThinkingContext& context) {
    if (!report.depth || !report.score) return std::nullopt;
    const std::string depth = std::to_string(*report.depth);
    const std::string score = ScoreText(*report.score);
    std::string summary = PaddingFor(depth, 3) + "思考深度：" + depth + PaddingFor(score, 6) +
                          "得分(" + score + ")得分";
    if (report.principalVariation) {
        if (context.pondering) summary.append(" (").append(context.ponderedMoveText).append(")");
        for (const MoveValue move : *report.principalVariation)
            summary.append(" ").append(MoveToDisplayCoord(move));
    }
    return summary;
}

}  // namespace

ThinkingInfo ThinkingTexts(const InfoReport& report, const ThinkingContext& context) {
    return {ProgressText(report, context), SummaryText(report, context)};
}

}  // namespace tarvelle
