// What the engine link shows of itself in the main window: its state in part 0 of the status bar,
// written after every change of state from the end of the engine's start on, and the engine's
// thinking in the thinking box and part 1.
#pragma once

#include "engine/engine_display.h"
#include "engine/engine_state.h"
#include "engine/thinking_info.h"

namespace tarvelle {

class LinkDisplay {
public:
    // `display` must outlive this.
    explicit LinkDisplay(EngineDisplay& display) : display_(display) {}

    void ShowState(EngineState state) { display_.ShowStatusText(0, EngineStatusText(state)); }
    // Empties part 1, as a new search or a newly ready engine has no progress yet.
    void ClearProgress() { display_.ShowStatusText(1, ""); }
    void ShowThinking(const InfoReport& report, const ThinkingContext& context);

private:
    EngineDisplay& display_;
};

}  // namespace tarvelle
