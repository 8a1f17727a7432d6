#include "fen_grid.h"

#include <array>
#include <cstring>

namespace tarvelle::fuzz {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The letter as written on the grid, or 0 when it names no piece.
char CanonicalLetter(char c) {
    switch (c) {
        case 'E':
            return 'B';
        case 'e':
            return 'b';
        case 'H':
            return 'N';
        case 'h':
            return 'n';
        default:
            return c != '\0' && std::strchr("KABNRCPkabnrcp", c) != nullptr ? c : '\0';
    }
}

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return i;
}

}  // namespace

std::optional<std::string> StrictGrid(std::string_view fen) {
    std::size_t i = SkipBlanks(fen, 0);
    std::string grid;
    int ranks = 1;
    int points = 0;
    for (; i < fen.size() && !IsBlank(fen[i]); ++i) {
        const char c = fen[i];
        if (c == '/') {
            if (points != 9) return std::nullopt;
            ++ranks;
            points = 0;
            continue;
        }
        if (c >= '0' && c <= '9') {
            points += c - '0';
            grid.append(static_cast<std::size_t>(c - '0'), '.');
        } else if (const char letter = CanonicalLetter(c); letter != '\0') {
            ++points;
            grid += letter;
        } else {
            return std::nullopt;
        }
        if (points > 9) return std::nullopt;
    }
    if (ranks != 10 || points != 9) return std::nullopt;
    i = SkipBlanks(fen, i);
    if (i == fen.size() || fen[i] == '\0' || std::strchr("wWrRbB", fen[i]) == nullptr) {
        return std::nullopt;
    }
    return grid;
}

bool WithinPieceCounts(const std::string& grid) {
    constexpr std::string_view kLetters = "KABNRCPkabnrcp";
    constexpr std::array<int, 14> kLimits = {1, 2, 2, 2, 2, 2, 5, 1, 2, 2, 2, 2, 2, 5};
    std::array<int, 14> counts{};
    for (const char c : grid) {
        if (const std::size_t at = kLetters.find(c); at != std::string_view::npos) ++counts[at];
    }
    for (std::size_t kind = 0; kind < counts.size(); ++kind) {
        if (counts[kind] > kLimits[kind]) return false;
    }
    return true;
}

int SideOfText(std::string_view fen) {
    std::size_t i = SkipBlanks(fen, 0);
    while (i < fen.size() && !IsBlank(fen[i]))
        ++i;
    i = SkipBlanks(fen, i);
    return i < fen.size() && (fen[i] == 'b' || fen[i] == 'B') ? 1 : 0;
}

char LetterOfCode(int code) {
    // Offsets within a side: king, two advisors, two elephants, two horses, two chariots, two
    // cannons, five pawns.
    constexpr std::string_view kRed = "KAABBNNRRCCPPPPP";
    constexpr std::string_view kBlack = "kaabbnnrrccppppp";
    if (code >= 16 && code < 32) return kRed[static_cast<std::size_t>(code - 16)];
    if (code >= 32 && code < 48) return kBlack[static_cast<std::size_t>(code - 32)];
    return '.';
}

}  // namespace tarvelle::fuzz
