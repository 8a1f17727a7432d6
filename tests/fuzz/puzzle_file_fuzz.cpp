// libFuzzer entry of the puzzle file reader: the input is a puzzle file's bytes, decoded and split
// as ReadPuzzleFile does. Whatever they are, the list must show text, and a bad byte must cost no
// more than its own character: every row is valid UTF-8, decoding keeps every line break and comma
// the bytes hold, and the rows are exactly the lines with three fields, in file order, each
// carrying its line's number and first fields.
#include <iconv.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/puzzle_list.h"

namespace {

void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "puzzle_file_fuzz: %s\n", what);
    std::abort();
}

// Decodes code point by code point, so that it shares nothing with the reader's own check.
bool IsUtf8(std::string_view text) {
    constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || text.size() - at < length) return false;
        // A lead byte of a longer sequence spends length + 1 bits on saying so.
        char32_t point = length == 1 ? lead : lead & (0xFFu >> (length + 1));
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[at + k]);
            if ((next & 0xC0) != 0x80) return false;
            point = point << 6 | (next & 0x3Fu);
        }
        const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
        if (point < kLeast[length] || point > 0x10FFFF || surrogate) return false;
        at += length;
    }
    return true;
}

// The bytes decoded as GB18030 in one call with room for all of it, or nothing when they are not
// GB18030 throughout; the reader decodes in buffer-sized pieces, and the pieces must join up.
std::optional<std::string> DecodeWholeGbk(std::string_view bytes) {
    iconv_t converter = iconv_open("UTF-8", "GB18030");
    Require(converter != reinterpret_cast<iconv_t>(-1), "GB18030 is not available");
    // No GB18030 sequence grows by more than half in UTF-8.
    std::string out(bytes.size() * 2, '\0');
    auto* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    char* outAt = out.data();
    std::size_t outLeft = out.size();
    const bool whole =
        iconv(converter, &in, &inLeft, &outAt, &outLeft) != static_cast<std::size_t>(-1);
    iconv_close(converter);
    if (!whole) return std::nullopt;
    out.resize(out.size() - outLeft);
    return out;
}

bool SameCount(std::string_view a, std::string_view b, char c) {
    return std::count(a.begin(), a.end(), c) == std::count(b.begin(), b.end(), c);
}

// The file's lines as a user sees them: a line ends at LF, and a CR just before that LF belongs
// to the line break.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (end < text.size() && line.ends_with('\r')) line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

bool HoldsAPuzzle(std::string_view line) {
    return std::count(line.begin(), line.end(), ',') >= 2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = tarvelle::DecodePuzzleText(bytes);
    Require(IsUtf8(text), "the decoded text is not valid UTF-8");
    if (IsUtf8(bytes)) {
        const std::string_view mark = "\xEF\xBB\xBF";
        Require(text == (bytes.starts_with(mark) ? bytes.substr(mark.size()) : bytes),
                "UTF-8 bytes were not taken as they are");
    } else if (const std::optional<std::string> whole = DecodeWholeGbk(bytes)) {
        Require(text == *whole, "GBK decoded in pieces differs from GBK decoded whole");
    }
    Require(SameCount(text, bytes, '\n') && SameCount(text, bytes, ','),
            "decoding lost or made a line break or a comma");

    const std::vector<std::string_view> lines = Lines(text);
    std::size_t checked = 0;  // lines before this one are accounted for
    for (const tarvelle::PuzzleRow& row : tarvelle::ParsePuzzleList(text)) {
        for (const std::string* field : {&row.puzzleNumber, &row.name, &row.fen}) {
            Require(IsUtf8(*field), "a field is not valid UTF-8");
            Require(field->find(',') == std::string::npos, "a field holds a comma");
        }
        const std::size_t number = std::strtoul(row.lineNumber.c_str(), nullptr, 10);
        Require(row.lineNumber == std::to_string(number), "a line number is not a plain number");
        Require(number > checked && number <= lines.size(), "line numbers out of order or range");
        for (; checked + 1 < number; ++checked)
            Require(!HoldsAPuzzle(lines[checked]), "a line with three fields gave no row");
        const std::string_view line = lines[checked++];
        const std::string written = row.puzzleNumber + ',' + row.name + ',' + row.fen;
        Require(line.starts_with(written) &&
                    (line.size() == written.size() || line[written.size()] == ','),
                "a row is not its line's first three fields");
    }
    for (; checked < lines.size(); ++checked)
        Require(!HoldsAPuzzle(lines[checked]), "a line with three fields gave no row");
    return 0;
}
