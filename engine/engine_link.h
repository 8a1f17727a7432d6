// The engine link: the state of the engine connection and everything that moves it. It asks the
// engine for the computer's moves and for ponder searches on the user's time, keeps the ponder
// cycle in step with the moves of the game, and acts on the engine's output. It reaches the
// engine through an EngineSession, the game through MovePlayer and read-only views, and the
// screen through EngineDisplay.
#pragma once

#include <string>
#include <string_view>

#include "engine/best_move_line.h"
#include "engine/engine_control.h"
#include "engine/engine_display.h"
#include "engine/engine_session.h"
#include "engine/link_clock.h"
#include "engine/move_player.h"
#include "engine/search_settings.h"
#include "position/move_list.h"
#include "position/position_record.h"

namespace tarvelle {

class EngineLink final : public EngineControl {
public:
    // Every reference must outlive the link. The game position, the move list and the settings
    // are read at each search; the link never changes them.
    EngineLink(EngineSession& session, LinkClock& clock, const PositionRecord& gamePosition,
               const MoveList& moveList, const SearchSettings& settings, MovePlayer& game,
               EngineDisplay& display);

    // Starts the engine: quits a connected one first, launches the session unless it has been
    // launched already, and becomes Ready on a completed handshake. An engine that does not
    // complete it is closed, and the link stays Unloaded.
    void Start();

    // Sends "quit", closes the connection and becomes Unloaded, whatever the engine was doing.
    void Quit();

    EngineState State() const override { return state_; }
    // The move a ponder search assumes the user plays next.
    MoveValue PonderedMove() const { return ponderedMove_; }
    void BeforeMove(MoveValue move) override;
    void AfterMove(MoveValue move) override;
    void Halt() override;
    void Settle() override;
    bool PollLine() override;
    void StartComputerSearch() override;

private:
    // Sends the position and "go" lines for a search in the current state, Thinking or
    // Pondering; a ponder search assumes ponderedMove_ was played, if it is legal.
    void RequestSearch();
    // Sends "stop" and handles engine output until the state changes, or gives up after more
    // than ten whole seconds without output and forces Ready.
    void StopAndWait();
    void ShowEngineState();
    void HandleBestMove(std::string_view line);
    void PlayBestMove(const BestMoveLine& best);
    void HandleNoBestMove();
    void ShowThinking(std::string_view line);
    // The engine has gone: the connection is closed and the game goes on without it.
    void LoseEngine();

    EngineSession& session_;
    LinkClock& clock_;
    const PositionRecord& gamePosition_;
    const MoveList& moveList_;
    const SearchSettings& settings_;
    MovePlayer& game_;
    EngineDisplay& display_;

    EngineState state_ = EngineState::Unloaded;
    // The game record as it was sent with the last search request, with the pondered move tried
    // on it.
    PositionRecord searchPosition_{};
    // The move the engine assumes the user plays next while pondering, and its display text.
    MoveValue ponderedMove_ = 0;
    std::string ponderedMoveText_;
    // The reply and its ponder move of a ponder search that ended before the user moved.
    MoveValue storedBestMove_ = 0;
    MoveValue storedPonderMove_ = 0;
    int searchStartSeconds_ = 0;
};

}  // namespace tarvelle
