#include "fen_text.h"

#include <memory>

#include "position/number_text.h"

namespace tarvelle {

namespace {

constexpr std::string_view kFenTail = " - - 0 ";

}  // namespace

std::string GameFenText(const PositionRecord& record) {
    return std::string(CchessBoard2Fen(&record)).append(kFenTail);
}

std::string EditorFenText(const PositionRecord& record, int moveNumber) {
    return GameFenText(record).append(std::to_string(moveNumber));
}

std::string StartFenText(const PositionRecord& position, const std::string& fenText,
                         int moveNumber) {
    const auto probe = std::make_unique<PositionRecord>();
    if (CchessFen2Board(probe.get(), fenText.c_str()) == 1) return fenText;
    return EditorFenText(position, moveNumber);
}

std::string_view FirstLine(std::string_view text) {
    const std::size_t lineFeed = text.find('\n');
    if (lineFeed == std::string_view::npos) return text;
    const bool crlf = lineFeed > 0 && text[lineFeed - 1] == '\r';
    return text.substr(0, crlf ? lineFeed - 1 : lineFeed);
}

std::int16_t EditorMoveNumber(std::string_view fenText) {
    const std::size_t tail = fenText.find(kFenTail);
    if (tail == std::string_view::npos) return 0;
    return TextToInt16(fenText.substr(tail + kFenTail.size()));
}

}  // namespace tarvelle
