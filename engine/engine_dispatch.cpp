// What each line of engine output does: during the start it goes to the handshake; afterwards the
// protocol reads it into an event, and the event moves the link's state.
#include "engine/engine_link.h"

namespace tarvelle {

PolledLine EngineLink::PollLine() {
    if (!IsEngineLoaded(state_) && !start_) return {};
    // Checked before every line too, so that an engine that never stops writing cannot stay in
    // its start for ever.
    if (start_ && start_->OutOfTime()) {
        LoseEngine();
        return {};
    }
    const std::optional<std::string> line = channel_.TakeLine();
    if (!line) {
        if (channel_.OutputEnded()) {
            LoseEngine();
        } else if (start_) {
            Follow(start_->Wait());
        }
        return {};
    }
    return {.taken = true, .engineMove = HandleLine(*line)};
}

std::optional<MoveValue> EngineLink::HandleLine(std::string_view line) {
    if (start_) {
        Follow(start_->Read(line));
        return std::nullopt;
    }
    if (!IsEngineLoaded(state_)) return std::nullopt;
    const EngineEvent event = protocol_->ReadLine(line);
    switch (event.kind) {
        case EngineEvent::Kind::BestMove:
            return HandleBestMove(event);
        case EngineEvent::Kind::NoMove:
            HandleNoMove();
            break;
        case EngineEvent::Kind::Info:
            ShowThinking(event.info);
            break;
        case EngineEvent::Kind::None:
            break;
    }
    return std::nullopt;
}

std::optional<MoveValue> EngineLink::HandleBestMove(const EngineEvent& event) {
    switch (state_) {
        case EngineState::Stopping:
            // The answer to "stop": its move belongs to a search that no longer matters.
            SetState(EngineState::Ready);
            return std::nullopt;
        case EngineState::Pondering:
            // Kept until the user moves: played at once if the user plays the pondered move.
            storedBestMove_ = event.move;
            storedPonderMove_ = event.ponderMove.value_or(0);
            SetState(EngineState::PonderDone);
            return std::nullopt;
        case EngineState::Thinking:
            if (search_.paceFactor > 0) clock_.Sleep(search_.paceFactor * kPaceMilliseconds);
            SetState(EngineState::Ready);
            reported_ = ReportedMove{.ponderMove = event.ponderMove, .restWhenRefused = true};
            return event.move;
        default:
            SetState(EngineState::Ready);
            return std::nullopt;
    }
}

void EngineLink::HandleNoMove() {
    if (state_ == EngineState::Stopping || state_ == EngineState::Pondering) {
        SetState(EngineState::Ready);
    } else if (state_ == EngineState::Thinking) {
        SetState(EngineState::Resting);
    } else {
        display_.ShowState(state_);
    }
}

void EngineLink::ShowThinking(const InfoReport& report) {
    display_.ShowThinking(report, {.nowSeconds = clock_.SecondsOfDay(),
                                   .searchStartSeconds = searchStartSeconds_,
                                   .pondering = state_ == EngineState::Pondering,
                                   .ponderedMoveText = ponderedMoveText_});
}

}  // namespace tarvelle
