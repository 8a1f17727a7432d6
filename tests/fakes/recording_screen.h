// A main window stand-in that records what the game shows and answers questions from a script.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "game/game_screen.h"

namespace tarvelle::testing {

class RecordingScreen final : public GameScreen {
public:
    std::string fenText;
    std::string statusTexts[2];
    std::string thinkingText;
    // "message CAPTION|TEXT" and "question CAPTION|TEXT", in order.
    std::vector<std::string> dialogs;
    // Answers for the next questions; an empty script dismisses them.
    std::deque<QuestionAnswer> answers;

    void ShowFenText(const std::string& text) override { fenText = text; }
    void ShowStatusText(int part, const std::string& text) override { statusTexts[part] = text; }
    void ShowThinkingText(const std::string& text) override { thinkingText = text; }
    void ShowMessage(const std::string& text, const std::string& caption) override {
        dialogs.push_back("message " + caption + "|" + text);
    }
    // No game test plays a puzzle of the list.
    void ShowPuzzle(const std::optional<std::string>&, bool) override {}
    QuestionAnswer AskQuestion(const std::string& text, const std::string& caption) override {
        dialogs.push_back("question " + caption + "|" + text);
        if (answers.empty()) return QuestionAnswer::kDismissed;
        const QuestionAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace tarvelle::testing
