// The position editor as the program wires it, driven off screen through real clicks on its
// hot-spots and buttons: the selection table, the palette layout, the FEN box after every change,
// the FEN buttons and the puzzle picker.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "app/editor_wiring.h"
#include "assets/board_picture.h"
#include "board/cell_geometry.h"
#include "ui_test_support.h"

namespace tarvelle {
namespace {

using testing::ClickAt;
using testing::WhenModalShown;

constexpr const char* kSparse = "3k5/9/9/9/9/9/9/9/4A4/4K4 w - - 0 0";

// Board point from coordinate text such as "e0".
Square PointOf(std::string_view coord) {
    return SquareAt(12 - (coord[1] - '0'), 3 + (coord[0] - 'a'));
}

// Where each piece code's palette cell is: Black's codes from the top row down, Red's from the
// bottom row up, four to a row.
QPoint PaletteCellOf(int code) {
    static constexpr int kRowTops[] = {400, 344, 288, 232, 8, 64, 120, 176};
    const int index = code - 16;
    return {8 + 56 * (index % 4), kRowTops[index / 4]};
}

class EditorTest : public ::testing::Test {
protected:
    void Open(const char* gameFen) {
        CchessInit(0);
        CchessFen2Board(game.get(), gameFen);
        window = std::make_unique<PositionEditorWindow>(pictures);
        wiring = new EditorWiring(*window, record, *game, puzzleFile, marks,
                                  [this](const PositionRecord& position, const std::string& fen) {
                                      started.emplace(fen);
                                      startedSide = position.side;
                                  });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // "L e0" and "R e0" click a board point, "P 23" the palette cell of piece code 23.
    void Act(std::string_view action) {
        const std::string_view where = action.substr(2);
        if (action[0] == 'P') {
            const QPoint cell = PaletteCellOf(std::stoi(std::string(where)));
            ClickAt(window->Palette(), cell + QPoint(28, 28));
            return;
        }
        const int cell = CellOfSquare(PointOf(where), false);
        ClickAt(window->EditorBoard(), QPoint(CellLeft(cell) + 28, CellTop(cell) + 28),
                action[0] == 'R' ? Qt::RightButton : Qt::LeftButton);
    }

    // Whether the cell named "b e0" (board) or "p 23" (palette) shows picture `number`, drawn
    // over the cell's own background.
    ::testing::AssertionResult Shows(std::string_view where, int number) {
        const bool onBoard = where[0] == 'b';
        const BoardPanel& panel = onBoard ? window->EditorBoard() : window->Palette();
        QPoint topLeft;
        QImage background;
        if (onBoard) {
            const int cell = CellOfSquare(PointOf(where.substr(2)), false);
            topLeft = {CellLeft(cell), CellTop(cell)};
            background = QImage(kBoardPictureResource).copy(QRect(topLeft, QSize(56, 56)));
        } else {
            topLeft = PaletteCellOf(std::stoi(std::string(where.substr(2))));
        }
        BoardPanel expected(pictures, QSize(56, 56), background);
        expected.DrawPicture(0, 0, number);
        if (panel.Pixels().copy(QRect(topLeft, QSize(56, 56))) == expected.Pixels())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << where << " does not show picture " << number;
    }

    QPushButton& Button(const char* name) {
        return *window->findChild<QPushButton*>(QString::fromUtf8(name));
    }
    void Press(const char* name) { QTest::mouseClick(&Button(name), Qt::LeftButton); }
    const PositionEditor& Editor() const { return wiring->Editor(); }

    PictureFiles pictures{QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()};
    std::unique_ptr<PositionRecord> game = std::make_unique<PositionRecord>();
    EditorRecord record;
    // Kept for this run only.
    SolvedPuzzles solved{""};
    AttemptRecord attempts{""};
    PuzzleMarks marks{attempts, solved};
    // One file per test: ctest runs the tests of this file side by side.
    std::filesystem::path puzzleFile =
        std::filesystem::path(::testing::TempDir()) /
        (std::string("editor_test_") +
         ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
    std::unique_ptr<PositionEditorWindow> window;
    EditorWiring* wiring = nullptr;
    std::optional<std::string> started;
    int startedSide = -1;
};

TEST_F(EditorTest, EveryRowOfTheSelectionTable) {
    struct Case {
        const char* what;
        std::vector<std::string_view> actions;
        const char* fen;
        const char* pickedPoint;  // "" for none
        int pickedCode;
        std::vector<std::pair<std::string_view, int>> shows;
    };
    const Case cases[] = {
        {"none: left on a piece picks it", {"L e1"}, kSparse, "e1", 0, {{"b e1", 17}}},
        {"none: left on an empty point", {"L e5"}, kSparse, "", 0, {{"b e5", 0}}},
        {"none: palette piece picks it", {"P 23"}, kSparse, "", 23, {{"p 23", 20}}},
        {"none: empty palette cell", {"P 16"}, kSparse, "", 0, {{"p 16", 0}}},
        {"none: right on a piece sends it to the palette",
         {"R e1"},
         "3k5/9/9/9/9/9/9/9/9/4K4 w - - 0 0",
         "",
         0,
         {{"b e1", 0}, {"p 17", 2}}},
        {"none: right on an empty point", {"R e5"}, kSparse, "", 0, {{"b e5", 0}}},
        {"point: left on another piece takes its place",
         {"L e1", "L d9"},
         "3A5/9/9/9/9/9/9/9/9/4K4 w - - 0 0",
         "",
         0,
         {{"b e1", 0}, {"b d9", 2}, {"p 32", 8}}},
        {"point: left on an empty point",
         {"L e1", "L a5"},
         "3k5/9/9/9/A8/9/9/9/9/4K4 w - - 0 0",
         "",
         0,
         {{"b e1", 0}, {"b a5", 2}}},
        {"point: left on itself keeps the piece there",
         {"L e1", "L e1"},
         kSparse,
         "",
         0,
         {{"b e1", 2}, {"p 17", 0}}},
        {"point: palette cell of another piece",
         {"L e1", "P 40"},
         "3k5/9/9/9/9/9/9/9/9/4K4 w - - 0 0",
         "",
         0,
         {{"b e1", 0}, {"p 17", 2}, {"p 40", 12}}},
        {"point: empty palette cell",
         {"L e1", "P 16"},
         "3k5/9/9/9/9/9/9/9/9/4K4 w - - 0 0",
         "",
         0,
         {{"p 17", 2}}},
        {"point: right on another piece drops the pick",
         {"L e1", "R d9"},
         "9/9/9/9/9/9/9/9/4A4/4K4 w - - 0 0",
         "",
         0,
         {{"b e1", 2}, {"b d9", 0}, {"p 32", 8}}},
        {"point: right on an empty point only drops the pick",
         {"L e1", "R e5"},
         kSparse,
         "",
         0,
         {{"b e1", 2}}},
        {"piece: left on a piece replaces it",
         {"P 23", "L d9"},
         "3R5/9/9/9/9/9/9/9/4A4/4K4 w - - 0 0",
         "",
         0,
         {{"b d9", 5}, {"p 23", 0}, {"p 32", 8}}},
        {"piece: left on an empty point",
         {"P 23", "L a0"},
         "3k5/9/9/9/9/9/9/9/4A4/R3K4 w - - 0 0",
         "",
         0,
         {{"b a0", 5}}},
        {"piece: another palette piece",
         {"P 23", "P 31"},
         kSparse,
         "",
         31,
         {{"p 23", 5}, {"p 31", 22}}},
        {"piece: the same palette piece", {"P 23", "P 23"}, kSparse, "", 23, {{"p 23", 20}}},
        {"piece: empty palette cell", {"P 23", "P 16"}, kSparse, "", 23, {{"p 23", 20}}},
        {"piece: right on a piece drops the pick",
         {"P 23", "R e1"},
         "3k5/9/9/9/9/9/9/9/9/4K4 w - - 0 0",
         "",
         0,
         {{"p 23", 5}, {"p 17", 2}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open(kSparse);
        for (const std::string_view action : c.actions)
            Act(action);
        EXPECT_EQ(window->FenText(), c.fen);
        EXPECT_EQ(Editor().FenText(), c.fen);
        EXPECT_EQ(Editor().SelectedSquare(), *c.pickedPoint ? PointOf(c.pickedPoint) : 0);
        EXPECT_EQ(Editor().SelectedPiece(), c.pickedCode);
        for (const auto& [where, picture] : c.shows)
            EXPECT_TRUE(Shows(where, picture));
    }
}

// With no piece on the board every palette cell shows its piece, at the place the layout gives
// it, and a click there picks that piece.
TEST_F(EditorTest, PaletteCellsShowAndPickTheirOwnPieces) {
    Open("9/9/9/9/9/9/9/9/9/9 w - - 0 0");
    for (int code = 16; code <= 47; ++code) {
        const int type = (code & 15) == 0 ? 0 : (code & 15) >= 11 ? 6 : ((code & 15) + 1) / 2;
        const int picture = type + (code < 32 ? 1 : 8);
        EXPECT_TRUE(Shows("p " + std::to_string(code), picture));
        Act("P " + std::to_string(code));
        EXPECT_EQ(Editor().SelectedPiece(), code);
    }
}

TEST_F(EditorTest, TheStartPositionLeavesThePaletteEmptyUntilAPieceComesOff) {
    Open("rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w - - 0 0");
    for (int code = 16; code <= 47; ++code)
        EXPECT_TRUE(Shows("p " + std::to_string(code), 0)) << code;
    Act("R e0");
    EXPECT_TRUE(Shows("p 16", 1));
    EXPECT_EQ(PaletteCellOf(16), QPoint(8, 400));
    EXPECT_EQ(window->FenText(),
              "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBA1ABNR w - - 0 0");
}

TEST_F(EditorTest, OpensOnTheGameNotOnTheLastEdit) {
    Open(kSparse);
    Act("R e1");
    EXPECT_EQ(window->FenText(), "3k5/9/9/9/9/9/9/9/9/4K4 w - - 0 0");
    Open("4k4/9/9/9/9/9/9/9/9/4K4 b - - 0 0");
    EXPECT_EQ(window->FenText(), "4k4/9/9/9/9/9/9/9/9/4K4 b - - 0 0");
    EXPECT_TRUE(window->BlackToMoveChecked());
    EXPECT_FALSE(window->RedToMoveChecked());
    EXPECT_TRUE(Shows("b e9", 8));
}

TEST_F(EditorTest, FenButtonsApplyOnlyANewText) {
    Open(kSparse);
    // A pasted text is cut at its first line break and read with its move number.
    window->ShowFenText("4k4/9/9/9/9/9/9/9/9/3K5 b - - 0 1e2\nmore text");
    Press("fens设局面");
    EXPECT_EQ(window->FenText(), "4k4/9/9/9/9/9/9/9/9/3K5 b - - 0 1e2");
    EXPECT_EQ(record.moveNumber, 100);
    EXPECT_TRUE(window->BlackToMoveChecked());
    EXPECT_TRUE(Shows("b d0", 1));

    // Nothing happens while the box holds the text the editor last wrote or applied.
    Act("L d0");
    Press("fens设局面");
    EXPECT_EQ(Editor().SelectedSquare(), PointOf("d0"));
    Act("L e0");
    EXPECT_EQ(window->FenText(), "4k4/9/9/9/9/9/9/9/9/4K4 b - - 0 100");
    Press("fens设局面");
    EXPECT_EQ(Editor().FenText(), "4k4/9/9/9/9/9/9/9/9/4K4 b - - 0 100");

    // Applying drops a pick.
    Act("P 23");
    Press("全局");
    EXPECT_EQ(Editor().FenText(), "4k4/9/9/9/9/9/9/9/9/4K4 b - - 0 100") << "not applied yet";
    Press("fens设局面");
    EXPECT_EQ(Editor().SelectedPiece(), 0);
    EXPECT_EQ(record.moveNumber, 0);
    EXPECT_TRUE(window->RedToMoveChecked());
    EXPECT_TRUE(Shows("b a0", 5));
}

TEST_F(EditorTest, SideButtonsRewriteTheTextOnlyWhenTheSideChanges) {
    Open("4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 0");
    auto& black = *window->findChild<QRadioButton*>(QStringLiteral("黑先"));
    auto& red = *window->findChild<QRadioButton*>(QStringLiteral("红先"));
    window->ShowFenText("typed");
    ClickAt(red, QPoint(10, 12));
    EXPECT_EQ(window->FenText(), "typed") << "Red was already to move";
    ClickAt(black, QPoint(10, 12));
    EXPECT_EQ(window->FenText(), "4k4/9/9/9/9/9/9/9/9/4K4 b - - 0 0");
    window->ShowFenText("typed");
    ClickAt(black, QPoint(10, 12));
    EXPECT_EQ(window->FenText(), "typed");
    ClickAt(red, QPoint(10, 12));
    EXPECT_EQ(window->FenText(), "4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 0");
}

TEST_F(EditorTest, SendingStartsTheGameAndClosesTheEditor) {
    Open(kSparse);
    ClickAt(*window->findChild<QRadioButton*>(QStringLiteral("黑先")), QPoint(10, 12));
    Press("回传主棋盘");
    EXPECT_EQ(started, "3k5/9/9/9/9/9/9/9/4A4/4K4 b - - 0 0");
    EXPECT_EQ(startedSide, 1);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->result(), QDialog::Accepted);

    // A text the rules library had to repair is not what the engine is told.
    Open(kSparse);
    window->ShowFenText("4k4/9/9/9/9/9/9/9/9/4K5 w - - 0 3");
    Press("fens设局面");
    Press("回传主棋盘");
    EXPECT_EQ(started, "4k4/9/9/9/9/9/9/9/9/4K4 w - - 0 3");
}

class PickerInEditorTest : public EditorTest {
protected:
    void WriteFile(std::string_view bytes) {
        std::ofstream(puzzleFile, std::ios::binary | std::ios::trunc) << bytes;
    }
    void TearDown() override { std::filesystem::remove(puzzleFile); }

    // Opens the picker and runs `inPicker` on it once it is shown; returns once it is closed.
    void WithPicker(std::function<void(PuzzlePickerWindow&, QTreeView&)> inPicker) {
        WhenModalShown([inPicker](QWidget& modal) {
            auto& picker = dynamic_cast<PuzzlePickerWindow&>(modal);
            auto& list = *picker.findChild<QTreeView*>();
            inPicker(picker, list);
            if (picker.isVisible()) picker.reject();
        });
        Press("打开棋局库");
    }
};

TEST_F(PickerInEditorTest, ChoosingARowLoadsItsFenIntoTheEditor) {
    WriteFile(
        "1,\xC8\xFD\xB2\xBD\xC9\xB1,3k5/9/9/9/9/9/9/9/4A4/4K4 w - - 0 0,e1d2 d9d8\r\n\r\n"
        "12,Test,4k4/9/9/9/9/9/9/9/9/R3K4 b - - 0 5\r\n");
    solved.Add("4k4/9/9/9/9/9/9/9/9/R3K4 b - - 0 0");
    Open(kSparse);
    QString caption;
    QString text;
    std::vector<QStringList> rows;
    WithPicker([&](PuzzlePickerWindow&, QTreeView& list) {
        for (int row = 0; row < list.model()->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < 6; ++column)
                cells << list.model()->index(row, column).data().toString();
            rows.push_back(cells);
        }
        WhenModalShown([&](QWidget& box) {
            caption = box.windowTitle();
            text = dynamic_cast<QMessageBox&>(box).text();
            EXPECT_EQ(dynamic_cast<QMessageBox&>(box).icon(), QMessageBox::Information);
            dynamic_cast<QMessageBox&>(box).accept();
        });
        const QRect second = list.visualRect(list.model()->index(1, 0));
        ClickAt(*list.viewport(), second.center());
    });
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].join("|"),
              QStringLiteral("1|1|三步杀|3k5/9/9/9/9/9/9/9/4A4/4K4 w - - 0 0|1|"));
    EXPECT_EQ(rows[1].join("|"), QStringLiteral("3|12|Test|4k4/9/9/9/9/9/9/9/9/R3K4 b - - 0 5||√"));
    EXPECT_EQ(caption, QStringLiteral("加载的棋局："));
    EXPECT_EQ(text, QStringLiteral("12： Test"));
    EXPECT_EQ(window->FenText(), "4k4/9/9/9/9/9/9/9/9/R3K4 b - - 0 5");
    EXPECT_EQ(record.moveNumber, 5);
    EXPECT_TRUE(Shows("b a0", 5));
    EXPECT_TRUE(window->isVisible()) << "the editor stays open";
}

TEST_F(PickerInEditorTest, AClickBelowTheRowsOrAMissingFileLoadsNothing) {
    WriteFile("1,A,4k4/9/9/9/9/9/9/9/9/R3K4 b - - 0 5\r\n");
    Open(kSparse);
    bool stillOpen = false;
    WithPicker([&](PuzzlePickerWindow& picker, QTreeView& list) {
        ClickAt(*list.viewport(), QPoint(100, list.viewport()->height() - 10));
        stillOpen = picker.isVisible();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(window->FenText(), kSparse);

    std::filesystem::remove(puzzleFile);
    int rowCount = -1;
    WithPicker([&](PuzzlePickerWindow& picker, QTreeView&) { rowCount = picker.RowCount(); });
    EXPECT_EQ(rowCount, 0);
}

// Ten megabytes of noise in the puzzle file's place: it opens, every row reads as text, and
// choosing one leaves the editor working.
TEST_F(PickerInEditorTest, ARandomTenMegabyteFileOpensWithoutHarm) {
    std::mt19937 random(13);
    std::string noise(10 << 20, '\0');
    for (char& byte : noise)
        byte = static_cast<char>(random());
    WriteFile(noise);
    Open(kSparse);
    int rowCount = 0;
    bool allText = true;
    WithPicker([&](PuzzlePickerWindow& picker, QTreeView& list) {
        rowCount = picker.RowCount();
        for (int row = 0; row < rowCount; ++row) {
            const PuzzleRow kept = picker.Row(row);
            const std::string* cells[] = {&kept.lineNumber, &kept.puzzleNumber, &kept.name,
                                          &kept.fen};
            for (int column = 0; column < 4; ++column) {
                const QString shown = list.model()->index(row, column).data().toString();
                allText = allText && shown.toUtf8().toStdString() == *cells[column];
            }
        }
        WhenModalShown([](QWidget& box) { dynamic_cast<QMessageBox&>(box).accept(); });
        ClickAt(*list.viewport(), list.visualRect(list.model()->index(0, 0)).center());
    });
    EXPECT_GT(rowCount, 1000);
    EXPECT_TRUE(allText) << "a row that is not valid UTF-8 does not survive the way to the list";
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(CchessRecordIsConsistent(&Editor().Position()), 1);
}

}  // namespace
}  // namespace tarvelle
