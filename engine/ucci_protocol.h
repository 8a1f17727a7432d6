// UCCI, the program's own dialect: "ucci" answered by "ucciok", then nine options with no answer
// awaited; "go [ponder] nodes N", or "go [ponder] time MS movestogo 1" for a time per move;
// "bestmove" and "nobestmove" read at fixed places, "info" fields found by their first occurrence.
// Ranks count from 0.
#pragma once

#include "engine/engine_protocol.h"

namespace tarvelle {

class UcciProtocol final : public EngineProtocol {
public:
    // `settings` gives the hash size and threads sent among the options; it must outlive the
    // protocol.
    explicit UcciProtocol(const EngineSettings& settings) : settings_(settings) {}

    std::string_view Greeting() const override { return "ucci"; }
    // Only a line that is exactly "ucciok" answers; the options follow it, and the engine is
    // ready at once.
    StartReply ReadStartLine(std::string_view line) override;
    RankNumbering Ranks() const override { return RankNumbering::FromZero; }
    std::string GoCommand(bool ponder, const SearchLimit& limit) const override;
    EngineEvent ReadLine(std::string_view line) const override;

private:
    const EngineSettings& settings_;
};

// The fields of a UCCI info line, each found at its first occurrence (" nodes ", " depth ",
// " score ", " pv "). A score reads as a number, "cp N" or "mate N" (10000 - N, or -10000 - N when
// mated); the principal variation as four-byte moves five bytes apart, to the end of the line.
// The engine's own time is not used.
InfoReport ReadUcciInfo(std::string_view line);

}  // namespace tarvelle
