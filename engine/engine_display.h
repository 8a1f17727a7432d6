// Where the engine link shows what the engine does: the two parts of the main window's status bar
// and its thinking box. The main window implements it; tests record it. Texts are UTF-8.
#pragma once

#include <string>

namespace tarvelle {

class EngineDisplay {
public:
    virtual ~EngineDisplay() = default;

    // Writes a status bar part: 0 the engine state, 1 the search progress.
    virtual void ShowStatusText(int part, const std::string& text) = 0;

    // Replaces the text of the thinking box.
    virtual void ShowThinkingText(const std::string& text) = 0;
};

}  // namespace tarvelle
