#include "fen_text.h"

#include <algorithm>

namespace tarvelle {

namespace {

constexpr std::string_view kFenTail = " - - 0 ";
constexpr int kMoveNumberLimit = 32767;

}  // namespace

std::string GameFenText(const PositionRecord& record) {
    return std::string(CchessBoard2Fen(&record)).append(kFenTail);
}

std::string EditorFenText(const PositionRecord& record, int moveNumber) {
    return GameFenText(record).append(std::to_string(moveNumber));
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
    // Read like a number typed by hand: leading blanks, a sign, then digits; a fraction after them
    // is cut off, which truncates toward zero.
    std::string_view rest = fenText.substr(tail + kFenTail.size());
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
        rest.remove_prefix(1);
    bool negative = false;
    if (!rest.empty() && (rest.front() == '-' || rest.front() == '+')) {
        negative = rest.front() == '-';
        rest.remove_prefix(1);
    }
    int magnitude = 0;
    for (; !rest.empty() && rest.front() >= '0' && rest.front() <= '9'; rest.remove_prefix(1)) {
        magnitude = std::min(magnitude * 10 + (rest.front() - '0'), kMoveNumberLimit);
    }
    return static_cast<std::int16_t>(negative ? -magnitude : magnitude);
}

}  // namespace tarvelle
