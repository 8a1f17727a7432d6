// One dialect the engine may speak, UCCI or UCI: the lines of its start-up handshake, the commands
// of a search, and the reading of the engine's lines into the few events the link acts on. The
// link's states and transitions are the same whichever dialect is spoken.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/engine_settings.h"
#include "engine/move_text.h"
#include "engine/thinking_info.h"
#include "position/position_record.h"

namespace tarvelle {

// What one line of engine output means once the engine is ready.
struct EngineEvent {
    enum class Kind : std::int8_t {
        // Nothing the link acts on.
        None,
        Info,
        // The search's move, which may be 0 when its text cannot be read.
        BestMove,
        // The search ended without a move.
        NoMove,
    };
    Kind kind = Kind::None;
    InfoReport info;
    MoveValue move = 0;
    // The reply the engine expects, when the line names one.
    std::optional<MoveValue> ponderMove;

    static EngineEvent Info(InfoReport report) { return {Kind::Info, std::move(report), 0, {}}; }
    static EngineEvent BestMove(MoveValue move, std::optional<MoveValue> ponderMove) {
        return {Kind::BestMove, {}, move, ponderMove};
    }
    static EngineEvent NoMove() { return {Kind::NoMove, {}, 0, {}}; }
};

// What one line of the engine's start asks for.
struct StartReply {
    // Sent at once, in this order.
    std::vector<std::string> lines;
    // The engine has answered the greeting: it speaks this dialect.
    bool answered = false;
    // The engine may be asked to search from now on.
    bool ready = false;
};

class EngineProtocol {
public:
    virtual ~EngineProtocol() = default;

    // The first line the engine is sent.
    virtual std::string_view Greeting() const = 0;

    // Reads one line the engine wrote before it is ready.
    virtual StartReply ReadStartLine(std::string_view line) = 0;

    // How the engine writes its ranks, in moves it reads and writes alike; settled once it has
    // answered the greeting.
    virtual RankNumbering Ranks() const = 0;

    // Starts a search within `limit`, on the user's time when `ponder`.
    virtual std::string GoCommand(bool ponder, const SearchLimit& limit) const = 0;

    // Reads one line the engine wrote once it is ready.
    virtual EngineEvent ReadLine(std::string_view line) const = 0;
};

}  // namespace tarvelle
