// The engine link: the one state machine of the engine connection, whichever protocol the engine
// speaks. It starts the engine without holding the program (EngineStart), asks it for the
// computer's moves and for ponder searches on the user's time, keeps the ponder cycle in step with
// the moves of the game, and acts on the events the protocol reads from the engine's lines. It
// reaches the engine through a LineChannel, reads the game and the settings through read-only
// views, reports the engine's moves to its caller and shows its state after every change.
//
// The states, requests and ponder cycle are in engine_link.cpp, what each engine line does in
// engine_dispatch.cpp.
//
// Any fault of the channel (output ended, a line that could not be sent, a start that failed or
// ran out of time) loses the engine at once: it is closed, the state is Unloaded, "未载引擎" shows,
// and the game goes on without it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/engine_control.h"
#include "engine/engine_display.h"
#include "engine/engine_protocol.h"
#include "engine/engine_settings.h"
#include "engine/engine_start.h"
#include "engine/line_channel.h"
#include "engine/link_clock.h"
#include "engine/link_display.h"
#include "engine/search_settings.h"
#include "position/move_list.h"
#include "position/position_record.h"

namespace tarvelle {

class EngineLink final : public EngineControl {
public:
    // How long a started engine has to become ready.
    static constexpr int kStartBoundMs = EngineStart::kBoundMs;

    // Every reference must outlive the link. The game position, the move list and the search
    // settings are read at each search, the engine settings at each start and search; the link
    // never changes them.
    EngineLink(LineChannel& channel, LinkClock& clock, const PositionRecord& gamePosition,
               const MoveList& moveList, const SearchSettings& search,
               const EngineSettings& engineSettings, EngineDisplay& display);

    // Starts the engine and returns at once, quitting a connected one first. The link stays
    // Unloaded until the engine's handshake is over (read by PollLine or ContinueStart), then
    // becomes Ready.
    void Start();

    // Reads every line the engine has written while it is being started, and moves its start on
    // by the time passed: "uci" after a silence, giving up once kStartBoundMs have passed since
    // Start. It touches only the channel and the state shown, so any event loop may run it, a
    // modal one included.
    void ContinueStart();

    // While the engine is being started, the milliseconds until ContinueStart must run even
    // without engine output (0 once that time has come); nothing otherwise.
    std::optional<std::int64_t> StartMillisecondsLeft() const;

    // Sends "quit", closes the connection and becomes Unloaded, whatever the engine was doing.
    void Quit();

    // What PollLine does with each line it takes, in whatever state the link is. Returns the
    // computer's move the line brought, which the caller plays and reports with EngineMovePlayed.
    // Tests and fuzzers feed lines here.
    std::optional<MoveValue> HandleLine(std::string_view line);

    EngineState State() const override { return state_; }
    // The move a ponder search assumes the user plays next.
    MoveValue PonderedMove() const { return ponderedMove_; }
    // How the engine that is ready writes its ranks; nothing before it is.
    std::optional<RankNumbering> EngineRanks() const;
    void BeforeMove(MoveValue move) override;
    std::optional<MoveValue> AfterMove(MoveValue move) override;
    void EngineMovePlayed(bool accepted) override;
    void Halt() override;
    void Settle() override;
    PolledLine PollLine() override;
    void StartComputerSearch() override;

private:
    // What follows once the game flow has played a move the link reported.
    struct ReportedMove {
        // The reply to ponder on when the move was taken.
        std::optional<MoveValue> ponderMove;
        // A refused move leaves the engine Resting; a refused stored reply leaves it Ready.
        bool restWhenRefused = false;
    };

    // Every change of state goes through here, and is shown.
    void SetState(EngineState state);
    // Carries the start on after a step of it: ready, lost, or still going.
    void Follow(EngineStart::Progress progress);
    // Sends a line; a line that does not get through loses the engine. True when it got through.
    bool Send(std::string_view line);
    // Sends the position and "go" lines for a search in the current state, Thinking or
    // Pondering; a ponder search assumes ponderedMove_ was played, if it is legal.
    void RequestSearch();
    SearchLimit Limit() const;
    // Sends "stop" and handles engine output until the state changes, or gives up after more
    // than ten whole seconds without output and forces Ready.
    void StopAndWait();
    std::optional<MoveValue> HandleBestMove(const EngineEvent& event);
    void HandleNoMove();
    void ShowThinking(const InfoReport& report);
    // The engine has gone or failed: the connection is closed and the game goes on without it.
    void LoseEngine();

    LineChannel& channel_;
    LinkClock& clock_;
    const PositionRecord& gamePosition_;
    const MoveList& moveList_;
    const SearchSettings& search_;
    const EngineSettings& engineSettings_;
    LinkDisplay display_;

    EngineState state_ = EngineState::Unloaded;
    // From Start until the engine is ready or lost.
    std::optional<EngineStart> start_;
    // The protocol of the engine that is ready.
    std::unique_ptr<EngineProtocol> protocol_;
    // The game record as it was sent with the last search request, with the pondered move tried
    // on it.
    PositionRecord searchPosition_{};
    // The move the engine assumes the user plays next while pondering, and its display text.
    MoveValue ponderedMove_ = 0;
    std::string ponderedMoveText_;
    // The reply and its ponder move of a ponder search that ended before the user moved.
    MoveValue storedBestMove_ = 0;
    MoveValue storedPonderMove_ = 0;
    std::optional<ReportedMove> reported_;
    int searchStartSeconds_ = 0;
};

}  // namespace tarvelle
