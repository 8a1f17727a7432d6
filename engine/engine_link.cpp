#include "engine/engine_link.h"

#include <cstddef>
#include <span>

#include "engine/move_text.h"
#include "engine/search_commands.h"

namespace tarvelle {

namespace {

// "stop" is given up on when more than this many whole seconds pass without output.
constexpr int kStopBoundSeconds = 10;
constexpr int kSecondsPerDay = 86400;

}  // namespace

EngineLink::EngineLink(LineChannel& channel, LinkClock& clock, const PositionRecord& gamePosition,
                       const MoveList& moveList, const SearchSettings& search,
                       const EngineSettings& engineSettings, EngineDisplay& display)
    : channel_(channel),
      clock_(clock),
      gamePosition_(gamePosition),
      moveList_(moveList),
      search_(search),
      engineSettings_(engineSettings),
      display_(display) {}

void EngineLink::SetState(EngineState state) {
    state_ = state;
    display_.ShowState(state);
}

void EngineLink::Start() {
    if (IsEngineLoaded(state_) || start_) Quit();
    start_.emplace(channel_, clock_, engineSettings_);
    Follow(start_->Begin());
}

void EngineLink::Follow(EngineStart::Progress progress) {
    if (progress == EngineStart::Progress::Failed) {
        LoseEngine();
    } else if (progress == EngineStart::Progress::Ready) {
        protocol_ = start_->TakeProtocol();
        start_.reset();
        SetState(EngineState::Ready);
        display_.ClearProgress();
    }
}

void EngineLink::ContinueStart() {
    while (start_ && PollLine().taken) {
    }
}

std::optional<std::int64_t> EngineLink::StartMillisecondsLeft() const {
    if (!start_) return std::nullopt;
    return start_->MillisecondsToNextCheck();
}

std::optional<RankNumbering> EngineLink::EngineRanks() const {
    if (!protocol_) return std::nullopt;
    return protocol_->Ranks();
}

void EngineLink::Quit() {
    // The engine is closed whether or not it hears "quit".
    if (channel_.Launched()) Send("quit");
    channel_.Close();
    start_.reset();
    protocol_.reset();
    reported_.reset();
    SetState(EngineState::Unloaded);
}

bool EngineLink::Send(std::string_view line) {
    if (channel_.SendLine(line)) return true;
    LoseEngine();
    return false;
}

void EngineLink::StartComputerSearch() {
    SetState(EngineState::Thinking);
    RequestSearch();
}

SearchLimit EngineLink::Limit() const {
    return engineSettings_.limit.value_or(
        SearchLimit{.kind = SearchLimit::Kind::Nodes, .amount = NodeBudget(search_.searchLevel)});
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
    const std::string position =
        PositionCommand(moveList_.gameStartFen, played, assumedMove, protocol_->Ranks());
    if (!Send(position)) return;
    if (!Send(protocol_->GoCommand(assumedMove != 0, Limit()))) return;
    display_.ShowState(state_);
    display_.ClearProgress();
}

void EngineLink::StopAndWait() {
    const EngineState awaited = state_;
    if (!Send("stop")) return;
    const int start = clock_.SecondsOfDay();
    while (state_ == awaited) {
        // While the engine keeps writing, the wait goes on. No line brings a move to play here:
        // the answer to "stop" is discarded.
        if (PollLine().taken) continue;
        clock_.Sleep(1);
        int now = clock_.SecondsOfDay();
        if (now < start) now += kSecondsPerDay;
        if (now - start > kStopBoundSeconds) break;
    }
    if (state_ == awaited) SetState(EngineState::Ready);
}

void EngineLink::Halt() {
    if (IsSearchRunning(state_)) {
        SetState(EngineState::Stopping);
        StopAndWait();
    }
    // An engine lost during the wait stays Unloaded.
    if (IsEngineLoaded(state_)) SetState(EngineState::Ready);
}

void EngineLink::Settle() {
    if (state_ == EngineState::Resting) {
        SetState(EngineState::Ready);
    } else if (IsEngineLoaded(state_)) {
        Halt();
    }
}

void EngineLink::BeforeMove(MoveValue move) {
    if (!IsSearchRunning(state_)) return;
    if (state_ == EngineState::Pondering && move == ponderedMove_) {
        // The running search becomes the search for the computer's reply.
        if (Send("ponderhit")) SetState(EngineState::Thinking);
        return;
    }
    SetState(EngineState::Stopping);
    StopAndWait();
}

std::optional<MoveValue> EngineLink::AfterMove(MoveValue move) {
    if (state_ != EngineState::PonderDone) return std::nullopt;
    SetState(EngineState::Ready);
    // On any other move the stored reply is dropped, and the idle step starts a new search.
    if (move != ponderedMove_) return std::nullopt;
    // The engine has already taken its time: the reply comes without the pace pause.
    reported_ = ReportedMove{
        .ponderMove = storedPonderMove_ != 0 ? std::optional(storedPonderMove_) : std::nullopt,
        .restWhenRefused = false};
    return storedBestMove_;
}

void EngineLink::EngineMovePlayed(bool accepted) {
    if (!reported_) return;
    const ReportedMove reported = *reported_;
    reported_.reset();
    if (state_ != EngineState::Ready) return;
    if (!accepted) {
        // No further search starts by itself on a game the engine cannot play.
        if (reported.restWhenRefused) SetState(EngineState::Resting);
    } else if (reported.ponderMove && engineSettings_.ponder) {
        ponderedMove_ = *reported.ponderMove;
        SetState(EngineState::Pondering);
        RequestSearch();
    }
    display_.ShowState(state_);
}

void EngineLink::LoseEngine() {
    channel_.Close();
    start_.reset();
    protocol_.reset();
    reported_.reset();
    SetState(EngineState::Unloaded);
}

}  // namespace tarvelle
