// What the game logic needs from the main window, on top of what the engine link shows there. The
// Qt main window implements it; tests use a recording fake. All texts are UTF-8.
#pragma once

#include <string>

#include "engine/engine_display.h"

namespace tarvelle {

enum class QuestionAnswer { kYes, kNo, kDismissed };

class GameScreen : public EngineDisplay {
public:
    // Replaces the text of the main window's FEN box.
    virtual void ShowFenText(const std::string& text) = 0;

    // A modal message box with an OK button and no icon; returns when it is closed.
    virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;

    // A modal message box with Yes and No buttons.
    virtual QuestionAnswer AskQuestion(const std::string& text, const std::string& caption) = 0;
};

}  // namespace tarvelle
