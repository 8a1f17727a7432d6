#include "game/attempt_record.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <utility>
#include <vector>

#include "engine/move_text.h"
#include "game/file_writing.h"
#include "game/solved_puzzles.h"
#include "game/user_folder.h"

namespace tarvelle {
namespace {

constexpr std::array<std::pair<std::string_view, AttemptResult>, 4> kResultWords = {{
    {"clean", AttemptResult::kClean},
    {"mistake", AttemptResult::kMistake},
    {"hint", AttemptResult::kHint},
    {"failed", AttemptResult::kFailed},
}};

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    while (true) {
        const std::size_t end = text.find(separator);
        parts.push_back(text.substr(0, end));
        if (end == std::string_view::npos) return parts;
        text.remove_prefix(end + 1);
    }
}

// "2026-12-09T14:03:11+08:00": '0' stands for any digit, '+' for either sign.
bool IsTimestamp(std::string_view text) {
    constexpr std::string_view kShape = "0000-00-00T00:00:00+00:00";
    if (text.size() != kShape.size()) return false;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
        const char c = text[i];
        const bool fits = kShape[i] == '0'   ? c >= '0' && c <= '9'
                          : kShape[i] == '+' ? c == '+' || c == '-'
                                             : c == kShape[i];
        if (!fits) return false;
    }
    return true;
}

// Engine text that names two board points, as the codec writes it back.
bool IsMoveWord(std::string_view word) {
    const MoveValue move = CoordToMove(word);
    return word.size() == 4 && IsBoardPoint(MoveFrom(move)) && IsBoardPoint(MoveTo(move)) &&
           MoveToCoord(move) == word;
}

std::optional<AttemptResult> ResultOfWord(std::string_view word) {
    for (const auto& [text, result] : kResultWords) {
        if (text == word) return result;
    }
    return std::nullopt;
}

// The attempt of a line that reads back as all four fields, with a date the calendar has.
std::optional<Attempt> ReadLine(std::string_view line) {
    const std::vector<std::string_view> fields = Split(line, '\t');
    if (fields.size() != 4 || !IsTimestamp(fields[0])) return std::nullopt;
    const std::optional<CalendarDay> day = ReadCalendarDay(fields[0]);
    const std::optional<AttemptResult> result = ResultOfWord(fields[2]);
    if (!day || !result || PuzzlePositionKey(fields[1]) != fields[1]) return std::nullopt;
    if (!fields[3].empty()) {
        for (const std::string_view word : Split(fields[3], ' ')) {
            if (!IsMoveWord(word)) return std::nullopt;
        }
    }
    return Attempt{*day, std::string(fields[1]), *result};
}

bool AppendLine(const std::filesystem::path& file, std::string line) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    const int descriptor = open(file.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (descriptor < 0) return false;
    // A line a crash left unfinished must not swallow this one.
    struct stat status {};
    char last = '\n';
    if (fstat(descriptor, &status) == 0 && status.st_size > 0 &&
        pread(descriptor, &last, 1, status.st_size - 1) == 1 && last != '\n') {
        line.insert(line.begin(), '\n');
    }
    const bool written = WriteAll(descriptor, line) && fsync(descriptor) == 0;
    return close(descriptor) == 0 && written;
}

}  // namespace

std::string_view AttemptResultWord(AttemptResult result) {
    for (const auto& [text, value] : kResultWords) {
        if (value == result) return text;
    }
    return {};
}

std::filesystem::path AttemptsFile(const char* xdgStateHome, const char* home) {
    const std::filesystem::path folder = UserFolder(xdgStateHome, home, ".local/state");
    return folder.empty() ? folder : folder / "attempts.txt";
}

std::string LocalTimeText(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    // strftime writes the offset as +0800; the file keeps it as +08:00.
    std::array<char, 32> text{};
    const std::size_t length =
        std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%S%z", &local);
    // Built by appending: GCC 12's -O3 takes an insert here for an overlapping copy (-Wrestrict).
    const std::string_view written(text.data(), length);
    if (written.size() < 2) return std::string(written);
    return std::string(written.substr(0, written.size() - 2)) + ":" +
           std::string(written.substr(written.size() - 2));
}

std::string AttemptLine(std::time_t when, std::string_view position, AttemptResult result,
                        std::span<const MoveValue> playerMoves) {
    std::string moves;
    for (const MoveValue move : playerMoves) {
        if (!moves.empty()) moves += ' ';
        moves += MoveToCoord(move);
    }
    return LocalTimeText(when) + '\t' + std::string(position) + '\t' +
           std::string(AttemptResultWord(result)) + '\t' + moves + '\n';
}

AttemptRecord::AttemptRecord(std::filesystem::path file) : file_(std::move(file)) {
    std::ifstream in(file_, std::ios::binary);
    std::string line;
    // A last line without its line end is one a crash cut short.
    while (std::getline(in, line) && !in.eof()) {
        if (std::optional<Attempt> read = ReadLine(line)) Keep(std::move(*read));
    }
}

void AttemptRecord::Keep(Attempt attempt) {
    last_.insert_or_assign(attempt.position, attempts_.size());
    attempts_.push_back(std::move(attempt));
}

std::optional<AttemptResult> AttemptRecord::LastResult(std::string_view fen) const {
    if (last_.empty()) return std::nullopt;
    const auto found = last_.find(PuzzlePositionKey(fen));
    if (found == last_.end()) return std::nullopt;
    return attempts_[found->second].result;
}

bool AttemptRecord::Add(std::string_view fen, AttemptResult result,
                        std::span<const MoveValue> playerMoves) {
    std::string key = PuzzlePositionKey(fen);
    if (key.empty()) return false;
    const std::time_t now = std::time(nullptr);
    std::string line = AttemptLine(now, key, result, playerMoves);
    Keep({LocalDay(now), std::move(key), result});
    return !file_.empty() && AppendLine(file_, std::move(line));
}

}  // namespace tarvelle
