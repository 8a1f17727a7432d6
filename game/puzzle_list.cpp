#include "game/puzzle_list.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>

#include "game/user_folder.h"

namespace tarvelle {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF. GBK text almost never
// passes, because its lead bytes 0x81..0xFE are rarely followed by the exact continuation bytes
// UTF-8 demands.
bool IsValidUtf8(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        int continuations = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            ++at;
            continue;
        }
        if (lead >= 0xC2 && lead <= 0xDF) {
            continuations = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            continuations = 2;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            continuations = 3;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (text.size() - at <= static_cast<std::size_t>(continuations)) return false;
        for (int k = 1; k <= continuations; ++k) {
            const auto byte = static_cast<unsigned char>(text[at + static_cast<std::size_t>(k)]);
            if (byte < (k == 1 ? low : 0x80) || byte > (k == 1 ? high : 0xBF)) return false;
        }
        at += static_cast<std::size_t>(continuations) + 1;
    }
    return true;
}

// Converts one run of text with iconv; a byte sequence it does not know becomes U+FFFD, and the
// conversion goes on after that sequence's first byte.
void Convert(iconv_t converter, std::string_view bytes, std::string& out) {
    char buffer[4096];
    auto* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        char* outAt = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t result = iconv(converter, &in, &inLeft, &outAt, &outLeft);
        out.append(buffer, static_cast<std::size_t>(outAt - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out.append(kReplacementCharacter);
            ++in;
            --inLeft;
        }
    }
}

// GB18030 is a superset of GBK that decodes every GBK file the same way. ASCII bytes stand for
// themselves in both, and a puzzle file is mostly ASCII, so only the runs around other bytes go
// through iconv. A run takes in the byte after each byte above 0x7F, so that no character's
// later bytes (which may lie in the ASCII range) are cut off from its first.
std::string GbkToUtf8(std::string_view bytes) {
    iconv_t converter = iconv_open("UTF-8", "GB18030");
    if (converter == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    const auto isAscii = [&bytes](std::size_t at) {
        return static_cast<unsigned char>(bytes[at]) < 0x80;
    };
    std::size_t at = 0;
    while (at < bytes.size()) {
        const std::size_t start = at;
        if (isAscii(at)) {
            while (at < bytes.size() && isAscii(at))
                ++at;
            out.append(bytes.substr(start, at - start));
            continue;
        }
        while (at < bytes.size() && (!isAscii(at) || !isAscii(at - 1)))
            ++at;
        Convert(converter, bytes.substr(start, at - start), out);
    }
    iconv_close(converter);
    return out;
}

// 1 to 5 as a single digit between blanks; 0 for anything else.
int ReadStars(std::string_view field) {
    const std::size_t first = field.find_first_not_of(' ');
    if (first == std::string_view::npos) return 0;
    field = field.substr(first, field.find_last_not_of(' ') + 1 - first);
    return field.size() == 1 && field[0] >= '1' && field[0] <= '5' ? field[0] - '0' : 0;
}

// Splits at every "," into at most the six fields a line uses; the first three must be there.
bool SplitFields(std::string_view line, PuzzleLine& row) {
    constexpr std::size_t kNeeded = 3;
    std::string_view fields[6];
    std::size_t count = 0;
    while (count < std::size(fields)) {
        const std::size_t comma = line.find(',');
        fields[count++] = line.substr(0, comma);
        if (comma == std::string_view::npos) break;
        line.remove_prefix(comma + 1);
    }
    if (count < kNeeded) return false;
    row.number = fields[0];
    row.name = fields[1];
    row.fen = fields[2];
    row.solution = fields[3];
    row.themes = fields[4];
    row.stars = ReadStars(fields[5]);
    return true;
}

}  // namespace

std::string DecodePuzzleText(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
        return std::string(bytes);
    }
    return GbkToUtf8(bytes);
}

void ForEachPuzzleLine(std::string_view text, const std::function<void(const PuzzleLine&)>& use) {
    PuzzleLine row{};
    while (!text.empty()) {
        const std::size_t lineFeed = text.find('\n');
        std::string_view line = text.substr(0, lineFeed);
        text.remove_prefix(lineFeed == std::string_view::npos ? text.size() : lineFeed + 1);
        if (lineFeed != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
        ++row.lineNumber;
        if (!line.empty() && SplitFields(line, row)) use(row);
    }
}

std::vector<PuzzleRow> ParsePuzzleList(std::string_view text) {
    std::vector<PuzzleRow> rows;
    rows.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    ForEachPuzzleLine(text, [&rows](const PuzzleLine& line) { rows.push_back(line.Row()); });
    return rows;
}

PuzzleRow PuzzleLine::Row() const {
    return {std::to_string(lineNumber),
            std::string(number),
            std::string(name),
            std::string(fen),
            std::string(solution),
            std::string(themes),
            stars};
}

std::filesystem::path ChoosePuzzleFile(const std::filesystem::path& programDirectory,
                                       const char* xdgDataHome, const char* home) {
    const std::filesystem::path dataFolder = UserFolder(xdgDataHome, home, ".local/share");
    const std::filesystem::path usersFile = dataFolder / "fens.txt";
    std::error_code error;
    if (!dataFolder.empty() && std::filesystem::is_regular_file(usersFile, error)) return usersFile;
    return programDirectory / "fens.txt";
}

std::string ReadPuzzleText(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!stream || error) return {};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    stream.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(stream.gcount()));
    return DecodePuzzleText(bytes);
}

std::vector<PuzzleRow> ReadPuzzleFile(const std::filesystem::path& file) {
    return ParsePuzzleList(ReadPuzzleText(file));
}

}  // namespace tarvelle
