// What the game logic needs from the main window, on top of what the engine link shows there. The
// Qt main window implements it; tests use a recording fake. All texts are UTF-8.
#pragma once

#include <optional>
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

    // The puzzle of the puzzle list being played, named by `title` ("12 五步杀 双车炮"), or none:
    // the caption names it, and the puzzle menu offers to play it again, and to show its
    // solution when `solutionStored`.
    virtual void ShowPuzzle(const std::optional<std::string>& title, bool solutionStored) = 0;
};

}  // namespace tarvelle
