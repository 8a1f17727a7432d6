#include "engine/engine_link.h"

#include <cstddef>
#include <span>

#include "engine/move_text.h"
#include "engine/search_commands.h"
#include "engine/thinking_info.h"

namespace tarvelle {

namespace {

// The pause before an engine move is played, times the pace factor, so the user sees it come.
constexpr int kPaceMilliseconds = 800;
// "stop" is given up on when more than this many whole seconds pass without output.
constexpr int kStopBoundSeconds = 10;
constexpr int kSecondsPerDay = 86400;

}  // namespace

EngineLink::EngineLink(EngineSession& session, LinkClock& clock, const PositionRecord& gamePosition,
                       const MoveList& moveList, const SearchSettings& settings, MovePlayer& game,
                       EngineDisplay& display)
    : session_(session),
      clock_(clock),
      gamePosition_(gamePosition),
      moveList_(moveList),
      settings_(settings),
      game_(game),
      display_(display) {}

void EngineLink::Start() {
    if (IsEngineLoaded(state_)) Quit();
    if (!session_.Launched()) session_.Launch();
    if (session_.CompleteHandshake(clock_)) {
        state_ = EngineState::Ready;
    } else {
        session_.Close();
    }
}

void EngineLink::Quit() {
    session_.Quit();
    state_ = EngineState::Unloaded;
}

void EngineLink::StartComputerSearch() {
    state_ = EngineState::Thinking;
    RequestSearch();
}

void EngineLink::RequestSearch() {
    searchPosition_ = gamePosition_;
    searchStartSeconds_ = clock_.SecondsOfDay();
    const auto played =
        std::span(moveList_.moves).subspan(1, static_cast<std::size_t>(moveList_.currentPly));
    // A pondered move the rules refuse is left out: the engine then searches the position on the
    // board, and the state stays Pondering.
    MoveValue assumedMove = 0;
    if (state_ == EngineState::Pondering) {
        ponderedMoveText_ = MoveToDisplayCoord(ponderedMove_);
        if (CchessTryMove(&searchPosition_, nullptr, ponderedMove_) != 0)
            assumedMove = ponderedMove_;
    }
    session_.SendLine(PositionCommand(moveList_.gameStartFen, played, assumedMove));
    session_.SendLine(GoCommand(assumedMove != 0, NodeBudget(settings_.searchLevel)));
    ShowEngineState();
    display_.ShowStatusText(1, "");
}

void EngineLink::StopAndWait() {
    session_.SendLine("stop");
    const int start = clock_.SecondsOfDay();
    const EngineState awaited = state_;
    while (state_ == awaited) {
        // While the engine keeps writing, the wait goes on.
        if (PollLine()) continue;
        clock_.Sleep(1);
        int now = clock_.SecondsOfDay();
        if (now < start) now += kSecondsPerDay;
        if (now - start > kStopBoundSeconds) break;
    }
    if (state_ == awaited) state_ = EngineState::Ready;
}

void EngineLink::Halt() {
    if (IsSearchRunning(state_)) {
        state_ = EngineState::Stopping;
        StopAndWait();
    }
    // An engine lost during the wait stays Unloaded.
    if (IsEngineLoaded(state_)) state_ = EngineState::Ready;
}

void EngineLink::Settle() {
    if (state_ == EngineState::Resting) {
        state_ = EngineState::Ready;
    } else if (IsEngineLoaded(state_)) {
        Halt();
    }
}

void EngineLink::BeforeMove(MoveValue move) {
    if (!IsSearchRunning(state_)) return;
    if (state_ == EngineState::Pondering && move == ponderedMove_) {
        // The running search becomes the search for the computer's reply.
        session_.SendLine("ponderhit");
        state_ = EngineState::Thinking;
        return;
    }
    state_ = EngineState::Stopping;
    StopAndWait();
}

void EngineLink::AfterMove(MoveValue move) {
    if (state_ != EngineState::PonderDone) return;
    state_ = EngineState::Ready;
    // On any other move the stored reply is dropped, and the idle step starts a new search.
    if (move != ponderedMove_) return;
    // The engine has already taken its time: the reply comes without the pace pause.
    game_.PlayMove(storedBestMove_);
    if (state_ == EngineState::Ready && storedPonderMove_ != 0) {
        ponderedMove_ = storedPonderMove_;
        state_ = EngineState::Pondering;
        RequestSearch();
    }
}

bool EngineLink::PollLine() {
    if (!IsEngineLoaded(state_)) return false;
    const std::optional<std::string> line = session_.TakeLine();
    if (!line) {
        if (session_.OutputEnded()) LoseEngine();
        return false;
    }
    if (line->starts_with("bestmove ")) {
        HandleBestMove(*line);
    } else if (line->starts_with("nobestmove")) {
        HandleNoBestMove();
    } else if (line->starts_with("info ")) {
        ShowThinking(*line);
    }
    return true;
}

void EngineLink::HandleBestMove(std::string_view line) {
    const BestMoveLine best = ReadBestMoveLine(line);
    switch (state_) {
        case EngineState::Stopping:
            // The answer to "stop": its move belongs to a search that no longer matters.
            state_ = EngineState::Ready;
            break;
        case EngineState::Pondering:
            // Kept until the user moves: played at once if the user plays the pondered move.
            storedBestMove_ = best.move;
            storedPonderMove_ = best.hasPonderMove ? best.ponderMove : 0;
            state_ = EngineState::PonderDone;
            break;
        case EngineState::Thinking:
            PlayBestMove(best);
            break;
        default:
            state_ = EngineState::Ready;
            break;
    }
    ShowEngineState();
}

void EngineLink::PlayBestMove(const BestMoveLine& best) {
    if (settings_.paceFactor > 0) clock_.Sleep(settings_.paceFactor * kPaceMilliseconds);
    state_ = EngineState::Ready;
    if (!game_.PlayMove(best.move)) {
        // No further search starts by itself on a game the engine cannot play.
        state_ = EngineState::Resting;
        return;
    }
    if (state_ == EngineState::Ready && best.hasPonderMove) {
        ponderedMove_ = best.ponderMove;
        state_ = EngineState::Pondering;
        RequestSearch();
    }
}

void EngineLink::HandleNoBestMove() {
    if (state_ == EngineState::Stopping || state_ == EngineState::Pondering) {
        state_ = EngineState::Ready;
    } else if (state_ == EngineState::Thinking) {
        state_ = EngineState::Resting;
    }
    ShowEngineState();
}

void EngineLink::ShowThinking(std::string_view line) {
    const ThinkingInfo info = ReadThinkingInfo(line, {.nowSeconds = clock_.SecondsOfDay(),
                                                      .searchStartSeconds = searchStartSeconds_,
                                                      .pondering = state_ == EngineState::Pondering,
                                                      .ponderedMoveText = ponderedMoveText_});
    if (info.progressText) display_.ShowStatusText(1, *info.progressText);
    if (info.summaryText) display_.ShowThinkingText(*info.summaryText);
}

void EngineLink::ShowEngineState() {
    display_.ShowStatusText(0, EngineStatusText(state_));
}

void EngineLink::LoseEngine() {
    session_.Close();
    state_ = EngineState::Unloaded;
    ShowEngineState();
}

}  // namespace tarvelle
