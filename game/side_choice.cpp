#include "game/side_choice.h"

namespace tarvelle {

void AskSideQuestion(GameScreen& screen, SideChoice& sides, SearchSettings& settings) {
    const QuestionAnswer answer = screen.AskQuestion("电脑走红方？", "走棋方提示");
    if (answer == QuestionAnswer::kDismissed) return;
    sides.computerPlaysRed = answer == QuestionAnswer::kYes;
    sides.computerPlaysBlack = answer == QuestionAnswer::kNo;
    settings.searchLevel = kAnsweredSearchLevel;
}

}  // namespace tarvelle
