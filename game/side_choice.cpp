#include "game/side_choice.h"

#include "position/position_record.h"

namespace tarvelle {

void AskSideQuestion(GameScreen& screen, SideChoice& sides, SearchSettings& settings) {
    const QuestionAnswer answer = screen.AskQuestion("电脑走红方？", "走棋方提示");
    if (answer == QuestionAnswer::kDismissed) return;
    LetComputerPlay(answer == QuestionAnswer::kYes ? kRedSide : kBlackSide, sides, settings);
}

void LetComputerPlay(std::int16_t side, SideChoice& sides, SearchSettings& settings) {
    sides.computerPlaysRed = side == kRedSide;
    sides.computerPlaysBlack = side != kRedSide;
    settings.searchLevel = kAnsweredSearchLevel;
}

}  // namespace tarvelle
