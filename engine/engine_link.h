// The engine link: the state of the engine connection and everything that moves it. It starts
// the engine without holding the program, asks it for the computer's moves and for ponder searches
// on the user's time, keeps the ponder cycle in step with the moves of the game, and acts on the
// engine's output. It reaches the engine through a LineChannel, reads the game through read-only
// views, reports the engine's moves to its caller and shows through EngineDisplay.
//
// Any fault of the channel (output ended, a line that could not be sent, a start that failed or
// ran out of time) loses the engine at once: it is closed, the state is Unloaded, "未载引擎" shows,
// and the game goes on without it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/engine_control.h"
#include "engine/engine_display.h"
#include "engine/line_channel.h"
#include "engine/link_clock.h"
#include "engine/search_settings.h"
#include "position/move_list.h"
#include "position/position_record.h"

namespace tarvelle {

class EngineLink final : public EngineControl {
public:
    // How long a started engine has to answer "ucci" with "ucciok".
    static constexpr int kStartBoundMs = 10000;

    // Every reference must outlive the link. The game position, the move list and the settings
    // are read at each search; the link never changes them.
    EngineLink(LineChannel& channel, LinkClock& clock, const PositionRecord& gamePosition,
               const MoveList& moveList, const SearchSettings& settings, EngineDisplay& display);

    // Starts the engine and returns at once, quitting a connected one first. The link stays
    // Unloaded until the engine's "ucciok" is read (by PollLine or ContinueStart), then sends the
    // options and becomes Ready.
    void Start();

    // Reads every line the engine has written while it is being started, and gives up on it once
    // kStartBoundMs have passed since Start. It touches only the channel and the state shown, so
    // any event loop may run it, a modal one included.
    void ContinueStart();

    // While the engine is being started, the milliseconds left of its bound (0 once it has run
    // out); nothing otherwise.
    std::optional<std::int64_t> StartMillisecondsLeft() const;

    // Sends "quit", closes the connection and becomes Unloaded, whatever the engine was doing.
    void Quit();

    // What PollLine does with each line it takes: the engine's protocol, in whatever state the
    // link is. Returns the computer's move the line brought, which the caller plays and reports
    // with EngineMovePlayed. Tests and fuzzers feed lines here.
    std::optional<MoveValue> HandleLine(std::string_view line);

    EngineState State() const override { return state_; }
    // The move a ponder search assumes the user plays next.
    MoveValue PonderedMove() const { return ponderedMove_; }
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

    // The engine's "ucciok": it gets its options and is Ready.
    void FinishStart();
    // Sends a line; a line that does not get through loses the engine. True when it got through.
    bool Send(std::string_view line);
    // Sends the position and "go" lines for a search in the current state, Thinking or
    // Pondering; a ponder search assumes ponderedMove_ was played, if it is legal.
    void RequestSearch();
    // Sends "stop" and handles engine output until the state changes, or gives up after more
    // than ten whole seconds without output and forces Ready.
    void StopAndWait();
    void ShowEngineState();
    std::optional<MoveValue> HandleBestMove(std::string_view line);
    void HandleNoBestMove();
    void ShowThinking(std::string_view line);
    // The engine has gone or failed: the connection is closed and the game goes on without it.
    void LoseEngine();

    LineChannel& channel_;
    LinkClock& clock_;
    const PositionRecord& gamePosition_;
    const MoveList& moveList_;
    const SearchSettings& settings_;
    EngineDisplay& display_;

    EngineState state_ = EngineState::Unloaded;
    // Set from Start until the engine is Ready or lost: when the start's bound runs out.
    std::optional<std::int64_t> startDeadline_;
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
