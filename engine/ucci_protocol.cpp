#include "engine/ucci_protocol.h"

#include <cstddef>

#include "engine/best_move_line.h"
#include "position/number_text.h"

namespace tarvelle {

namespace {

constexpr int kMateScore = 10000;

// The text after the first occurrence of `field`, or nothing when the line lacks it.
std::optional<std::string_view> After(std::string_view line, std::string_view field) {
    const std::size_t at = line.find(field);
    if (at == std::string_view::npos) return std::nullopt;
    return line.substr(at + field.size());
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

}  // namespace

StartReply UcciProtocol::ReadStartLine(std::string_view line) {
    // Identification and option lines before it are not needed.
    if (line != "ucciok") return {};
    return {.lines = {"setoption usemillisec true", "setoption promotion false",
                      "setoption usebook false", "setoption useegtb false",
                      "setoption hashsize " + std::to_string(settings_.hashMegabytes),
                      "setoption threads " + std::to_string(settings_.threads),
                      "setoption idle none", "setoption randomness none", "setoption style solid"},
            .answered = true,
            .ready = true};
}

std::string UcciProtocol::GoCommand(bool ponder, const SearchLimit& limit) const {
    std::string command = ponder ? "go ponder" : "go";
    // UCCI has no time per move: all the time left, for the one move left to play, is the same.
    if (limit.kind == SearchLimit::Kind::Milliseconds)
        return command + " time " + std::to_string(limit.amount) + " movestogo 1";
    return command + " nodes " + std::to_string(limit.amount);
}

EngineEvent UcciProtocol::ReadLine(std::string_view line) const {
    if (line.starts_with("bestmove ")) {
        const BestMoveLine best = ReadBestMoveLine(line);
        return EngineEvent::BestMove(
            best.move, best.hasPonderMove ? std::optional(best.ponderMove) : std::nullopt);
    }
    if (line.starts_with("nobestmove")) return EngineEvent::NoMove();
    // Lines that begin "info string " are read the same way, and normally report nothing.
    if (line.starts_with("info ")) return EngineEvent::Info(ReadUcciInfo(line));
    return {};
}

InfoReport ReadUcciInfo(std::string_view line) {
    InfoReport report;
    if (const auto nodes = After(line, " nodes ")) report.nodes = TextToInt32(*nodes);
    if (const auto depth = After(line, " depth ")) report.depth = TextToInt16(*depth);
    if (const auto score = After(line, " score "))
        report.score = InfoScore{.mateInMoves = false, .value = Score(*score)};
    if (const auto moves = After(line, " pv ")) {
        auto& variation = report.principalVariation.emplace();
        // A move starts wherever at least two bytes of the line remain.
        for (std::size_t at = 0; at + 1 < moves->size(); at += 5)
            variation.push_back(CoordToMove(moves->substr(at)));
    }
    return report;
}

}  // namespace tarvelle
