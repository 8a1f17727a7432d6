// What the user chose about the engine: which program runs, how it is spoken to and how it
// searches. Every default is how the program behaves without a settings file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tarvelle {

enum class ProtocolChoice : std::int8_t { Auto, Ucci, Uci };

// The first rank's number in a UCI engine's move text; UCCI always counts from 0. Auto counts from
// 1 when the engine offers UCI_Variant, as Fairy-Stockfish does, and from 0 otherwise.
enum class RankChoice : std::int8_t { Auto, FromZero, FromOne };

// How long one search may run: a number of positions, or a time.
struct SearchLimit {
    enum class Kind : std::int8_t { Nodes, Milliseconds };
    Kind kind = Kind::Nodes;
    std::int64_t amount = 0;

    friend bool operator==(const SearchLimit&, const SearchLimit&) = default;
};

struct EngineSettings {
    // The engine program's file; empty for EEYE.dll beside the program. A relative path is taken
    // from the program's directory.
    std::string path;
    ProtocolChoice protocol = ProtocolChoice::Auto;
    RankChoice ranks = RankChoice::Auto;
    // 0 leaves the engine's own choice: UCCI then gets 0, as without settings, and UCI nothing.
    int threads = 0;
    int hashMegabytes = 0;
    // None: the node budget the side question sets.
    std::optional<SearchLimit> limit;
    // Whether the engine searches on the user's time, on the reply it expects.
    bool ponder = true;

    friend bool operator==(const EngineSettings&, const EngineSettings&) = default;
};

}  // namespace tarvelle
