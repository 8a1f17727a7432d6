// The click targets over the board and palette cells: where they lie, which tags they carry, and
// which cell a click reports, found as for a real click by the point clicked in the window.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <stdexcept>
#include <string>

#include "board/cell_geometry.h"
#include "ui/main_window.h"
#include "ui_test_support.h"

namespace tarvelle {
namespace {

using testing::ClickAt;
using testing::HotspotsByTag;

QWidget& Child(QWidget& window, const char* name) {
    auto* child = window.findChild<QWidget*>(QString::fromUtf8(name));
    if (child == nullptr) throw std::runtime_error(std::string("no control ") + name);
    return *child;
}

void ExpectPrototype(QWidget& panel, const char* name, QPoint topLeft) {
    auto* prototype = panel.findChild<QLabel*>(QString::fromUtf8(name));
    ASSERT_NE(prototype, nullptr) << name;
    EXPECT_EQ(prototype->geometry(), QRect(topLeft, QSize(56, 56)));
    EXPECT_EQ(prototype->text(), QStringLiteral("透-1"));
    EXPECT_EQ(prototype->property(kTagProperty).toString(), QStringLiteral("-1"));
    // It lies where the panel shows nothing of it.
    EXPECT_FALSE(panel.rect().intersects(prototype->geometry()));
}

void ExpectBoardGrid(QWidget& panel) {
    const auto hotspots = HotspotsByTag(panel);
    ASSERT_EQ(hotspots.size(), 91u);  // the prototype too
    for (int cell = 0; cell < 90; ++cell) {
        const QLabel* hotspot = hotspots.at(QString::number(cell));
        EXPECT_EQ(hotspot->geometry(), QRect(CellLeft(cell), CellTop(cell), 56, 56)) << cell;
        EXPECT_TRUE(hotspot->text().isEmpty());
        EXPECT_TRUE(hotspot->isVisibleTo(&panel));
    }
    EXPECT_EQ(hotspots.at("0")->pos(), QPoint(8, 8));
    EXPECT_EQ(hotspots.at("89")->pos(), QPoint(456, 512));
}

class MainBoardHotspotTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    PictureFiles pictures{""};
    MainWindow window{pictures};
    QWidget& panel = Child(window, "画板1");
    QSignalSpy clicks{&window, &MainWindow::cellClicked};
};

TEST_F(MainBoardHotspotTest, NinetyTaggedCellsAndThePrototype) {
    ExpectPrototype(panel, "原型框", QPoint(568, 144));
    ExpectBoardGrid(panel);
}

TEST_F(MainBoardHotspotTest, LeftPressOnACellReportsItOnce) {
    const std::pair<QPoint, int> presses[] = {{{8, 8}, 0},
                                              {{63, 63}, 0},
                                              {{511, 567}, 89},
                                              {{8 + 28, 8 + 5 * 56 + 28}, 45},
                                              {{64, 8}, 1}};
    for (const auto& [point, cell] : presses) {
        clicks.clear();
        ClickAt(panel, point);
        ASSERT_EQ(clicks.size(), 1) << point.x() << "," << point.y();
        EXPECT_EQ(clicks.front().front().toInt(), cell);
    }
}

TEST_F(MainBoardHotspotTest, MarginsAndOtherButtonsReportNothing) {
    for (const QPoint margin : {QPoint(4, 4), QPoint(515, 300), QPoint(300, 571), QPoint(0, 0)})
        ClickAt(panel, margin);
    ClickAt(panel, QPoint(100, 100), Qt::RightButton);
    ClickAt(panel, QPoint(100, 100), Qt::MiddleButton);
    EXPECT_EQ(clicks.size(), 0);
}

// Two quick clicks on a cell are two presses, not one press and an ignored double click.
TEST_F(MainBoardHotspotTest, DoubleClickCountsAsTwoPresses) {
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                       panel.mapTo(&window, QPoint(300, 300)));
    ASSERT_EQ(clicks.size(), 2);
    EXPECT_EQ(clicks.at(1).front().toInt(), CellAtPixel(300, 300));
}

class EditorHotspotTest : public ::testing::Test {
protected:
    void SetUp() override {
        editor.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    }

    PictureFiles pictures{""};
    PositionEditorWindow editor{pictures};
    QWidget& board = Child(editor, "画板1");
    QWidget& palette = Child(editor, "画板2");
};

TEST_F(EditorHotspotTest, BoardGridMatchesTheMainBoard) {
    ExpectPrototype(board, "原型框", QPoint(888, 16));
    ExpectBoardGrid(board);
}

TEST_F(EditorHotspotTest, PaletteHasThirtyTwoCellsTaggedFromBothEnds) {
    const auto hotspots = HotspotsByTag(palette);
    ASSERT_EQ(hotspots.size(), 33u);
    auto* prototype = palette.findChild<QLabel*>(QStringLiteral("原型框1"));
    ASSERT_NE(prototype, nullptr);
    EXPECT_EQ(prototype->geometry(), QRect(288, 416, 56, 56));
    EXPECT_EQ(prototype->text(), QStringLiteral("透-1"));
    // Beyond the window's right edge.
    EXPECT_GE(palette.mapTo(&editor, prototype->pos()).x(), editor.width());

    EXPECT_EQ(hotspots.at("0")->pos(), QPoint(8, 400));
    EXPECT_EQ(hotspots.at("3")->pos(), QPoint(176, 400));
    EXPECT_EQ(hotspots.at("15")->pos(), QPoint(176, 232));
    EXPECT_EQ(hotspots.at("16")->pos(), QPoint(8, 8));
    EXPECT_EQ(hotspots.at("28")->pos(), QPoint(8, 176));
    EXPECT_EQ(hotspots.at("31")->pos(), QPoint(176, 176));
    for (const auto& [tag, hotspot] : hotspots) {
        if (hotspot == prototype) continue;
        EXPECT_EQ(hotspot->size(), QSize(56, 56)) << tag.toStdString();
        EXPECT_TRUE(hotspot->text().isEmpty());
        EXPECT_LE(hotspot->geometry().right(), 231) << "palette cells use the left 232 pixels";
        EXPECT_TRUE(hotspot->isVisibleTo(&palette));
    }
}

TEST_F(EditorHotspotTest, BoardReportsLeftAndRightPressesApart) {
    QSignalSpy left(&editor, &PositionEditorWindow::boardCellPressed);
    QSignalSpy right(&editor, &PositionEditorWindow::boardCellRightPressed);
    QSignalSpy paletteLeft(&editor, &PositionEditorWindow::paletteCellPressed);
    ClickAt(board, QPoint(10, 10));
    ClickAt(board, QPoint(500, 560), Qt::RightButton);
    ClickAt(board, QPoint(4, 4), Qt::RightButton);
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left.front().front().toInt(), 0);
    ASSERT_EQ(right.size(), 1);
    EXPECT_EQ(right.front().front().toInt(), 89);
    EXPECT_EQ(paletteLeft.size(), 0);
}

TEST_F(EditorHotspotTest, PaletteReportsLeftPressesByPaletteEntry) {
    QSignalSpy pressed(&editor, &PositionEditorWindow::paletteCellPressed);
    QSignalSpy boardLeft(&editor, &PositionEditorWindow::boardCellPressed);
    ClickAt(palette, QPoint(10, 410));
    ClickAt(palette, QPoint(230, 230));
    ClickAt(palette, QPoint(100, 300), Qt::RightButton);
    ClickAt(palette, QPoint(4, 4));
    ClickAt(palette, QPoint(240, 100));
    ASSERT_EQ(pressed.size(), 2);
    EXPECT_EQ(pressed.at(0).front().toInt(), 0);
    EXPECT_EQ(pressed.at(1).front().toInt(), 31);
    EXPECT_EQ(boardLeft.size(), 0);
}

}  // namespace
}  // namespace tarvelle
