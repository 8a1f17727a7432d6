// The position editor and the puzzle picker: their controls as the window definitions give
// them, the signals their controls raise, and closing them with Escape.
#include <gtest/gtest.h>

#include <QGraphicsView>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTreeView>
#include <stdexcept>
#include <string>

#include "assets/opening_puzzle.h"
#include "ui/position_editor_window.h"
#include "ui/puzzle_picker_window.h"
#include "ui/training_statistics_window.h"
#include "ui_test_support.h"

namespace tarvelle {
namespace {

using testing::ClickAt;
using testing::WhenModalShown;

template <typename T>
T& Control(QWidget& window, const char* name) {
    auto* control = window.findChild<T*>(QString::fromUtf8(name));
    if (control == nullptr) throw std::runtime_error(std::string("no control ") + name);
    return *control;
}

void ExpectFixedFrame(const QWidget& window) {
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    }

    QPushButton& Button(const char* name) { return Control<QPushButton>(editor, name); }

    PictureFiles pictures{""};
    PositionEditorWindow editor{pictures};
};

TEST_F(EditorTest, ControlsAsDefined) {
    EXPECT_EQ(editor.windowTitle(), QStringLiteral("编辑局面"));
    EXPECT_TRUE(editor.isModal());
    ExpectFixedFrame(editor);
    EXPECT_EQ(editor.size(), QSize(780, 600));

    auto& board = Control<BoardPanel>(editor, "画板1");
    EXPECT_EQ(board.geometry(), QRect(0, 0, 520, 576));
    EXPECT_EQ(&board, &editor.EditorBoard());
    EXPECT_EQ(board.cursor().shape(), Qt::PointingHandCursor);
    auto& palette = Control<BoardPanel>(editor, "画板2");
    EXPECT_EQ(palette.geometry(), QRect(528, 0, 344, 472));
    EXPECT_EQ(&palette, &editor.Palette());
    EXPECT_GT(palette.geometry().right(), editor.width());

    // The board shows the board picture; the palette only its own colour.
    EXPECT_NE(board.Pixels().pixel(33, 32), board.Pixels().pixel(50, 50));
    const QImage paletteShown = palette.Pixels();
    EXPECT_EQ(paletteShown.copy(0, 0, 1, 1).scaled(paletteShown.size()), paletteShown);

    const std::pair<const char*, QRect> buttons[] = {{"全局", {528, 536, 80, 32}},
                                                     {"打开棋局库", {664, 536, 72, 32}},
                                                     {"fens设局面", {528, 568, 80, 32}},
                                                     {"回传主棋盘", {664, 568, 72, 32}}};
    for (const auto& [name, geometry] : buttons) {
        EXPECT_EQ(Button(name).geometry(), geometry) << name;
        EXPECT_EQ(Button(name).text(), QString::fromUtf8(name));
        EXPECT_FALSE(Button(name).autoDefault()) << name;
    }
    auto& red = Control<QRadioButton>(editor, "红先");
    auto& black = Control<QRadioButton>(editor, "黑先");
    EXPECT_EQ(red.geometry(), QRect(544, 488, 80, 24));
    EXPECT_EQ(black.geometry(), QRect(640, 488, 80, 24));
    EXPECT_EQ(red.text(), QStringLiteral("红先"));
    EXPECT_EQ(black.text(), QStringLiteral("黑先"));
    EXPECT_FALSE(red.isChecked());
    EXPECT_FALSE(black.isChecked());

    auto& fen = Control<QPlainTextEdit>(editor, "框_fens");
    EXPECT_EQ(fen.geometry(), QRect(0, 576, 520, 24));
    EXPECT_EQ(editor.FenText(), kOpeningPuzzleFen);
    EXPECT_EQ(fen.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(fen.lineWrapMode(), QPlainTextEdit::WidgetWidth);
}

TEST_F(EditorTest, ButtonsRaiseTheirSignals) {
    QSignalSpy start(&editor, &PositionEditorWindow::startPositionClicked);
    QSignalSpy apply(&editor, &PositionEditorWindow::applyFenClicked);
    QSignalSpy send(&editor, &PositionEditorWindow::sendToMainBoardClicked);
    QTest::mouseClick(&Button("全局"), Qt::LeftButton);
    QTest::mouseClick(&Button("fens设局面"), Qt::LeftButton);
    QTest::mouseClick(&Button("fens设局面"), Qt::LeftButton);
    QTest::mouseClick(&Button("回传主棋盘"), Qt::LeftButton);
    EXPECT_EQ(start.size(), 1);
    EXPECT_EQ(apply.size(), 2);
    EXPECT_EQ(send.size(), 1);
}

// Checking is left to the logic behind the signals, which knows the side to move.
TEST_F(EditorTest, SideRadioBoxesReportClicksAndShowTheSideToMove) {
    QSignalSpy red(&editor, &PositionEditorWindow::redToMoveClicked);
    QSignalSpy black(&editor, &PositionEditorWindow::blackToMoveClicked);
    ClickAt(Control<QRadioButton>(editor, "黑先"), QPoint(10, 12));
    EXPECT_EQ(black.size(), 1);
    EXPECT_EQ(red.size(), 0);
    EXPECT_TRUE(editor.BlackToMoveChecked());
    ClickAt(Control<QRadioButton>(editor, "红先"), QPoint(10, 12));
    EXPECT_EQ(red.size(), 1);
    EXPECT_TRUE(editor.RedToMoveChecked());
    EXPECT_FALSE(editor.BlackToMoveChecked());

    editor.ShowSideToMove(1);
    EXPECT_FALSE(editor.RedToMoveChecked());
    EXPECT_TRUE(editor.BlackToMoveChecked());
    editor.ShowSideToMove(0);
    EXPECT_TRUE(editor.RedToMoveChecked());
    EXPECT_FALSE(editor.BlackToMoveChecked());
    editor.ShowSideToMove(-1);
    EXPECT_FALSE(editor.RedToMoveChecked());
    EXPECT_FALSE(editor.BlackToMoveChecked());
    EXPECT_EQ(red.size() + black.size(), 2) << "setting the side is no click";
}

// Enter is no window command: on a button it does not click it, in the FEN box it breaks the
// line, and the editor stays open either way.
TEST_F(EditorTest, EnterNeitherClicksNorCloses) {
    QSignalSpy apply(&editor, &PositionEditorWindow::applyFenClicked);
    Button("fens设局面").setFocus();
    QTest::keyClick(&Button("fens设局面"), Qt::Key_Return);
    auto& fen = Control<QPlainTextEdit>(editor, "框_fens");
    fen.setFocus();
    fen.moveCursor(QTextCursor::End);
    QTest::keyClick(&fen, Qt::Key_Return);
    EXPECT_EQ(apply.size(), 0);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_TRUE(editor.FenText().ends_with("0 0\n"));
}

TEST_F(EditorTest, EscapeClosesTheEditor) {
    auto& fen = Control<QPlainTextEdit>(editor, "框_fens");
    fen.setFocus();
    QTest::keyClick(&fen, Qt::Key_Escape);
    EXPECT_FALSE(editor.isVisible());
    EXPECT_EQ(editor.result(), QDialog::Rejected);
}

TEST_F(EditorTest, PuzzleButtonOpensAModalPickerOverTheEditor) {
    PuzzlePickerWindow* opened = nullptr;
    QObject::connect(&editor, &PositionEditorWindow::pickerOpened, &editor,
                     [&](PuzzlePickerWindow* picker) {
                         opened = picker;
                         EXPECT_EQ(picker->parentWidget(), &editor);
                         WhenModalShown([picker](QWidget& modal) {
                             EXPECT_EQ(&modal, picker);
                             QTest::keyClick(picker, Qt::Key_Escape);
                         });
                     });
    QTest::mouseClick(&Button("打开棋局库"), Qt::LeftButton);
    EXPECT_NE(opened, nullptr);
    EXPECT_TRUE(editor.isVisible());
    EXPECT_TRUE(editor.findChildren<PuzzlePickerWindow*>().isEmpty());
}

class PickerTest : public ::testing::Test {
protected:
    void SetUp() override {
        picker.AddRows({{"1", "101", "七星聚会", kOpeningPuzzleFen},
                        {"3", "12", "Test", "4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 1"}},
                       marks);
        picker.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&picker));
    }

    QTreeView& List() { return Control<QTreeView>(picker, "超级列表框_结果"); }
    QModelIndex Cell(int row, int column) { return List().model()->index(row, column); }

    // Clicks the middle of row `row`, in the list's viewport.
    void ClickRow(int row, Qt::MouseButton button = Qt::LeftButton) {
        const QRect rect = List().visualRect(Cell(row, 0));
        ClickAt(*List().viewport(), rect.center(), button);
    }

    SolvedPuzzles solved{""};
    AttemptRecord attempts{""};
    PuzzleMarks marks{attempts, solved};
    PuzzlePickerWindow picker;
};

TEST_F(PickerTest, ListAsDefined) {
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("点选加载棋局"));
    EXPECT_TRUE(picker.isModal());
    ExpectFixedFrame(picker);
    QRect outer(QPoint(0, 0), QSize(707, 571));
    outer.moveCenter(picker.screen()->availableGeometry().center());
    EXPECT_EQ(picker.pos(), outer.topLeft()) << "centred by its outer frame";
    QTreeView& list = List();
    EXPECT_EQ(list.geometry(), QRect(8, 8, 688, 528));
    EXPECT_FALSE(list.rootIsDecorated());
    // The four columns of the file's fields, then the puzzle's length and its solved mark, every one
    // shown without scrolling sideways.
    const char* const headings[] = {"序号", "棋局号", "棋局名称", "fens", "步数", "已解"};
    ASSERT_EQ(list.model()->columnCount(), std::ssize(headings));
    for (int column = 0; column < std::ssize(headings); ++column) {
        EXPECT_EQ(list.model()->headerData(column, Qt::Horizontal),
                  QString::fromUtf8(headings[column]));
    }
    EXPECT_LE(list.header()->length(), list.viewport()->width());
}

TEST_F(PickerTest, RowsReadBackAsAdded) {
    ASSERT_EQ(picker.RowCount(), 2);
    const PuzzleRow row = picker.Row(1);
    EXPECT_EQ(row.lineNumber, "3");
    EXPECT_EQ(row.puzzleNumber, "12");
    EXPECT_EQ(row.name, "Test");
    EXPECT_EQ(row.fen, "4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 1");
    EXPECT_EQ(Cell(0, 2).data(), QStringLiteral("七星聚会"));
    EXPECT_EQ(picker.Row(2).fen, "");
    EXPECT_EQ(picker.Row(-1).name, "");
}

TEST_F(PickerTest, SingleLeftClickOnARowSelectsAndReportsIt) {
    QSignalSpy clicked(&picker, &PuzzlePickerWindow::rowClicked);
    EXPECT_EQ(picker.SelectedRow(), -1);
    ClickRow(1, Qt::RightButton);
    EXPECT_EQ(clicked.size(), 0);
    ClickRow(1);
    ASSERT_EQ(clicked.size(), 1);
    EXPECT_EQ(clicked.front().front().toInt(), 1);
    EXPECT_EQ(picker.SelectedRow(), 1);
    ClickRow(0);
    ASSERT_EQ(clicked.size(), 2);
    EXPECT_EQ(clicked.at(1).front().toInt(), 0);
    EXPECT_EQ(picker.SelectedRow(), 0);
}

TEST_F(PickerTest, ClickBelowTheRowsReportsNothing) {
    QSignalSpy clicked(&picker, &PuzzlePickerWindow::rowClicked);
    ClickAt(*List().viewport(), QPoint(100, List().viewport()->height() - 10));
    EXPECT_EQ(clicked.size(), 0);
}

TEST_F(PickerTest, EscapeClosesThePicker) {
    QTest::keyClick(&List(), Qt::Key_Escape);
    EXPECT_FALSE(picker.isVisible());
    EXPECT_EQ(picker.result(), QDialog::Rejected);
}

TEST(StatisticsWindow, WithoutAttemptsItSaysSoInOneLineAndDrawsNoChart) {
    TrainingStatisticsWindow window;
    window.ShowStatistics(ComputeTrainingStatistics({}, {}, *ReadCalendarDay("2026-12-09")));
    const QList<QLabel*> lines = window.findChildren<QLabel*>();
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.front()->text(), QStringLiteral("还没有练习记录。"));
    EXPECT_TRUE(window.findChildren<QGraphicsView*>().isEmpty());
    ExpectFixedFrame(window);
}

}  // namespace
}  // namespace tarvelle
