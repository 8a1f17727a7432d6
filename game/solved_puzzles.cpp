#include "game/solved_puzzles.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>

#include "game/file_writing.h"
#include "game/user_folder.h"
#include "position/position_record.h"

namespace tarvelle {
namespace {

bool ReplaceFile(const std::filesystem::path& file, std::string_view bytes) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    std::string temporary = file.string() + ".XXXXXX";
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) return false;
    const bool written = WriteAll(descriptor, bytes) && fsync(descriptor) == 0;
    const bool closed = close(descriptor) == 0;
    if (written && closed && std::rename(temporary.c_str(), file.c_str()) == 0) return true;
    unlink(temporary.c_str());
    return false;
}

}  // namespace

std::filesystem::path SolvedPuzzlesFile(const char* xdgStateHome, const char* home) {
    const std::filesystem::path folder = UserFolder(xdgStateHome, home, ".local/state");
    return folder.empty() ? folder : folder / "solved.txt";
}

std::string PuzzlePositionKey(std::string_view fen) {
    // One record for all the calls of a thread: a new one is 29 KB to clear each time, which made
    // the marks of a long list slow to look up.
    thread_local const auto record = std::make_unique<PositionRecord>();
    const std::string text(fen);
    if (CchessFen2Board(record.get(), text.c_str()) == 0) return {};
    return CchessBoard2Fen(record.get());
}

SolvedPuzzles::SolvedPuzzles(std::filesystem::path file) : file_(std::move(file)) {
    std::ifstream in(file_, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        // Only a line the rules library writes back unchanged is a record of ours.
        if (!line.empty() && PuzzlePositionKey(line) == line) positions_.insert(line);
    }
}

bool SolvedPuzzles::Contains(std::string_view fen) const {
    return !positions_.empty() && positions_.contains(PuzzlePositionKey(fen));
}

bool SolvedPuzzles::Add(std::string_view fen) {
    std::string key = PuzzlePositionKey(fen);
    if (key.empty()) return false;
    positions_.insert(std::move(key));
    if (file_.empty()) return false;
    std::string text;
    for (const std::string& position : positions_)
        text += position + '\n';
    return ReplaceFile(file_, text);
}

}  // namespace tarvelle
