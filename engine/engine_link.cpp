#include "engine/engine_link.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>

#include "engine/best_move_line.h"
#include "engine/move_text.h"
#include "engine/search_commands.h"
#include "engine/thinking_info.h"

namespace tarvelle {

namespace {

// Sent once after "ucciok", in this order; no answer is awaited.
constexpr std::array<std::string_view, 9> kEngineOptions = {
    "setoption usemillisec true", "setoption promotion false", "setoption usebook false",
    "setoption useegtb false",    "setoption hashsize 0",      "setoption threads 0",
    "setoption idle none",        "setoption randomness none", "setoption style solid",
};
// "stop" is given up on when more than this many whole seconds pass without output.
constexpr int kStopBoundSeconds = 10;
constexpr int kSecondsPerDay = 86400;

}  // namespace

EngineLink::EngineLink(LineChannel& channel, LinkClock& clock, const PositionRecord& gamePosition,
                       const MoveList& moveList, const SearchSettings& settings,
                       EngineDisplay& display)
    : channel_(channel),
      clock_(clock),
      gamePosition_(gamePosition),
      moveList_(moveList),
      settings_(settings),
      display_(display) {}

void EngineLink::Start() {
    if (IsEngineLoaded(state_) || startDeadline_) Quit();
    if (!channel_.Launch()) {
        LoseEngine();
        return;
    }
    startDeadline_ = clock_.SteadyMilliseconds() + kStartBoundMs;
}

void EngineLink::ContinueStart() {
    while (startDeadline_ && PollLine().taken) {
    }
}

std::optional<std::int64_t> EngineLink::StartMillisecondsLeft() const {
    if (!startDeadline_) return std::nullopt;
    return std::max<std::int64_t>(*startDeadline_ - clock_.SteadyMilliseconds(), 0);
}

void EngineLink::FinishStart() {
    startDeadline_.reset();
    state_ = EngineState::Ready;
    for (const std::string_view option : kEngineOptions) {
        if (!Send(option)) return;
    }
}

void EngineLink::Quit() {
    // The engine is closed whether or not it hears "quit".
    if (channel_.Launched()) Send("quit");
    channel_.Close();
    state_ = EngineState::Unloaded;
    startDeadline_.reset();
    reported_.reset();
}

bool EngineLink::Send(std::string_view line) {
    if (channel_.SendLine(line)) return true;
    LoseEngine();
    return false;
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
    if (!Send(PositionCommand(moveList_.gameStartFen, played, assumedMove))) return;
    if (!Send(GoCommand(assumedMove != 0, NodeBudget(settings_.searchLevel)))) return;
    ShowEngineState();
    display_.ShowStatusText(1, "");
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
        if (Send("ponderhit")) state_ = EngineState::Thinking;
        return;
    }
    state_ = EngineState::Stopping;
    StopAndWait();
}

std::optional<MoveValue> EngineLink::AfterMove(MoveValue move) {
    if (state_ != EngineState::PonderDone) return std::nullopt;
    state_ = EngineState::Ready;
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
        if (reported.restWhenRefused) state_ = EngineState::Resting;
    } else if (reported.ponderMove) {
        ponderedMove_ = *reported.ponderMove;
        state_ = EngineState::Pondering;
        RequestSearch();
    }
    ShowEngineState();
}

PolledLine EngineLink::PollLine() {
    if (!IsEngineLoaded(state_) && !startDeadline_) return {};
    // Checked before every line too, so that an engine that never stops writing cannot stay in
    // its start for ever.
    if (startDeadline_ && clock_.SteadyMilliseconds() >= *startDeadline_) {
        LoseEngine();
        return {};
    }
    const std::optional<std::string> line = channel_.TakeLine();
    if (!line) {
        if (channel_.OutputEnded()) LoseEngine();
        return {};
    }
    return {.taken = true, .engineMove = HandleLine(*line)};
}

std::optional<MoveValue> EngineLink::HandleLine(std::string_view line) {
    if (!IsEngineLoaded(state_)) {
        // Identification and option lines before it are not needed.
        if (startDeadline_ && line == "ucciok") FinishStart();
        return std::nullopt;
    }
    if (line.starts_with("bestmove ")) return HandleBestMove(line);
    if (line.starts_with("nobestmove")) {
        HandleNoBestMove();
    } else if (line.starts_with("info ")) {
        ShowThinking(line);
    }
    return std::nullopt;
}

std::optional<MoveValue> EngineLink::HandleBestMove(std::string_view line) {
    const BestMoveLine best = ReadBestMoveLine(line);
    std::optional<MoveValue> found;
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
            if (settings_.paceFactor > 0) clock_.Sleep(settings_.paceFactor * kPaceMilliseconds);
            state_ = EngineState::Ready;
            reported_ = ReportedMove{
                .ponderMove = best.hasPonderMove ? std::optional(best.ponderMove) : std::nullopt,
                .restWhenRefused = true};
            found = best.move;
            break;
        default:
            state_ = EngineState::Ready;
            break;
    }
    ShowEngineState();
    return found;
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
    channel_.Close();
    state_ = EngineState::Unloaded;
    startDeadline_.reset();
    reported_.reset();
    ShowEngineState();
}

}  // namespace tarvelle
