#include "link_fuzz.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/dispatch_checks.h"
#include "position/fen_text.h"

namespace tarvelle::fuzz {

namespace {

using testing::DispatchRig;

constexpr std::array kStates = {
    EngineState::Unloaded, EngineState::Ready,    EngineState::Resting,   EngineState::PonderDone,
    EngineState::Stopping, EngineState::Thinking, EngineState::Pondering,
};

[[noreturn]] void Abort(const std::string& what) {
    std::fprintf(stderr, "engine output fuzz: %s\n", what.c_str());
    std::abort();
}

// Whether every move of a "position" line is the engine text of a move between board points.
bool MovesAreEngineText(std::string_view line, RankNumbering ranks) {
    const std::size_t at = line.find(" moves ");
    if (at == std::string_view::npos) return true;
    std::string_view moves = line.substr(at + 7);
    while (!moves.empty()) {
        const std::string_view move = moves.substr(0, moves.find(' '));
        const MoveValue value = CoordToMove(move, ranks);
        if (!IsBoardPoint(MoveFrom(value)) || !IsBoardPoint(MoveTo(value)) ||
            MoveToCoord(value, ranks) != move) {
            return false;
        }
        moves.remove_prefix(std::min(move.size() + 1, moves.size()));
    }
    return true;
}

bool IsCommand(std::string_view line) {
    constexpr std::array<std::string_view, 9> kCommands = {
        "ucci", "uci", "isready", "ponderhit", "stop", "quit", "setoption ", "position fen ", "go"};
    return std::any_of(kCommands.begin(), kCommands.end(), [line](std::string_view command) {
        return command.back() == ' ' || command == "go" ? line.starts_with(command)
                                                        : line == command;
    });
}

class Checks {
public:
    void After(DispatchRig& rig) {
        const std::string fault = replay_.Fault(rig.position, rig.moveList);
        if (!testing::IsOneOfTheSevenStates(rig.link.State()))
            Abort("the state is not one of the seven");
        if (!fault.empty()) Abort(fault);
        if (rig.moveList.moveCount != rig.moveList.currentPly)
            Abort("the move list runs past the board");
        for (; checkedLines_ < rig.channel.sent.size(); ++checkedLines_) {
            const std::string& line = rig.channel.sent[checkedLines_];
            if (!IsCommand(line)) Abort("sent \"" + line + "\"");
            // Only a ready engine is sent positions, so its ranks are known.
            if (line.starts_with("position ") &&
                !MovesAreEngineText(line, rig.link.EngineRanks().value_or(RankNumbering::FromZero)))
                Abort("sent moves that are no engine text: " + line);
        }
    }

private:
    testing::GameReplay replay_;
    std::size_t checkedLines_ = 0;
};

void ActAsUser(DispatchRig& rig, std::string_view line) {
    switch (line[0]) {
        case 1: {
            MoveValue legal[CCHESS_MAX_MOVES];
            const int count = CchessLegalMoves(&rig.position, legal, CCHESS_MAX_MOVES);
            const auto pick = line.size() > 1 ? static_cast<unsigned char>(line[1]) : 0;
            if (count > 0) rig.game.PlayMove(legal[pick % count]);
            break;
        }
        case 2:
            rig.game.TakeBackMove();
            break;
        case 3:
            if (rig.link.State() == EngineState::Ready) rig.link.StartComputerSearch();
            break;
        default: {
            PositionRecord opening{};
            CchessFen2Board(&opening, std::string(kStartFen).c_str());
            rig.game.StartFromPosition(opening, std::string(kStartFen));
            break;
        }
    }
}

}  // namespace

EngineState StateOfByte(std::uint8_t byte) {
    return kStates[byte % kStates.size()];
}

void RunEngineOutput(std::string_view lines, EngineState state, bool outputEnds,
                     const EngineSettings& settings, const ReachState& reach) {
    DispatchRig rig(kStartFen);
    rig.engineSettings = settings;
    rig.channel.endsWhenEmpty = outputEnds;
    while (!lines.empty()) {
        const std::size_t end = std::min(lines.find('\n'), lines.size());
        rig.channel.incoming.emplace_back(lines.substr(0, end));
        lines.remove_prefix(std::min(end + 1, lines.size()));
    }
    Checks checks;
    reach(rig, state);
    checks.After(rig);
    while (!rig.channel.incoming.empty()) {
        const std::string& next = rig.channel.incoming.front();
        if (!next.empty() && next[0] >= 1 && next[0] <= 4) {
            const std::string line = next;
            rig.channel.incoming.pop_front();
            ActAsUser(rig, line);
        } else if (const PolledLine polled = rig.link.PollLine(); polled.taken) {
            if (polled.engineMove) rig.game.PlayEngineMove(*polled.engineMove);
        } else {
            // No engine is reading: its lines go nowhere, but the user plays on.
            rig.channel.incoming.pop_front();
        }
        checks.After(rig);
    }
}

}  // namespace tarvelle::fuzz
