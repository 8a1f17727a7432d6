// The side question and who is to move by the computer.
#include <gtest/gtest.h>

#include "fakes/recording_screen.h"
#include "game/side_choice.h"

namespace tarvelle {
namespace {

TEST(SideQuestion, AnswersChooseTheComputersSide) {
    testing::RecordingScreen screen;
    screen.answers = {QuestionAnswer::kYes, QuestionAnswer::kNo};
    SideChoice sides;
    SearchSettings settings;
    AskSideQuestion(screen, sides, settings);
    EXPECT_TRUE(sides.computerPlaysRed);
    EXPECT_FALSE(sides.computerPlaysBlack);
    EXPECT_EQ(settings.searchLevel, -7);
    EXPECT_TRUE(ComputerPlays(sides, 0));
    EXPECT_FALSE(ComputerPlays(sides, 1));

    AskSideQuestion(screen, sides, settings);
    EXPECT_FALSE(sides.computerPlaysRed);
    EXPECT_TRUE(sides.computerPlaysBlack);
    EXPECT_TRUE(ComputerPlays(sides, 1));
    EXPECT_TRUE(ComputerPlays(sides, -3));  // any side but 0 counts as Black
    EXPECT_EQ(screen.dialogs, (std::vector<std::string>{"question 走棋方提示|电脑走红方？",
                                                        "question 走棋方提示|电脑走红方？"}));
}

TEST(SideQuestion, DismissedQuestionChangesNothing) {
    testing::RecordingScreen screen;
    SideChoice sides;
    SearchSettings settings;
    sides.computerPlaysBlack = true;
    settings.searchLevel = 3;
    AskSideQuestion(screen, sides, settings);
    EXPECT_FALSE(sides.computerPlaysRed);
    EXPECT_TRUE(sides.computerPlaysBlack);
    EXPECT_EQ(settings.searchLevel, 3);
}

}  // namespace
}  // namespace tarvelle
