// UCI, as Xiangqi engines speak it: "uci" answered by "id" and "option" lines and "uciok"; then
// "setoption" for the offered UCI_Variant (xiangqi), Threads, Hash and Ponder, and "isready",
// whose "readyok" makes the engine ready. "go [ponder] nodes N" or "go [ponder] movetime MS".
// Lines are read word by word; "bestmove (none)" and "bestmove 0000" mean no move.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/engine_protocol.h"

namespace tarvelle {

// An "option name N type T ..." line of the handshake: the name, and a spin option's bounds.
struct OfferedOption {
    std::string name;
    std::optional<std::int64_t> min;
    std::optional<std::int64_t> max;
};

// Nothing when the line is no option line with a name.
std::optional<OfferedOption> ReadOptionLine(std::string_view line);

class UciProtocol final : public EngineProtocol {
public:
    // `settings` gives the options sent and the rank numbering chosen; it must outlive the
    // protocol.
    explicit UciProtocol(const EngineSettings& settings) : settings_(settings) {}

    std::string_view Greeting() const override { return "uci"; }
    StartReply ReadStartLine(std::string_view line) override;
    RankNumbering Ranks() const override { return ranks_; }
    std::string GoCommand(bool ponder, const SearchLimit& limit) const override;
    EngineEvent ReadLine(std::string_view line) const override;

private:
    // The offered option of that name, which UCI compares without regard to case.
    const OfferedOption* Offered(std::string_view name) const;
    // The setoption lines sent after "uciok", in the engine's own spelling of each name.
    std::vector<std::string> OptionLines() const;

    const EngineSettings& settings_;
    std::vector<OfferedOption> offered_;
    bool answered_ = false;
    RankNumbering ranks_ = RankNumbering::FromZero;
};

}  // namespace tarvelle
