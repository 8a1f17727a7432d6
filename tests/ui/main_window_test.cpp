// The main window as the game logic and the user see it: its controls where the window definition
// puts them, the menu, the status bar, the screen interface, message boxes and its signals.
#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <algorithm>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

#include "assets/opening_puzzle.h"
#include "ui/main_window.h"
#include "ui/qt_texts.h"
#include "ui/status_bar.h"
#include "ui_test_support.h"

namespace tarvelle {
namespace {

using testing::WhenModalShown;

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    template <typename T>
    T& Control(const char* name) {
        auto* control = window.findChild<T*>(QString::fromUtf8(name));
        if (control == nullptr) throw std::runtime_error(std::string("no control ") + name);
        return *control;
    }

    // Where a control lies in the client area, the part of the window below the menu bar.
    QRect ClientGeometry(QWidget& control) {
        const int menuHeight = window.menuBar()->height();
        return QRect(control.mapTo(&window, QPoint(0, 0)) - QPoint(0, menuHeight), control.size());
    }

    QMenu& GameMenu() {
        const QList<QAction*> menus = window.menuBar()->actions();
        EXPECT_EQ(menus.size(), 2);
        EXPECT_EQ(menus.front()->text(), QStringLiteral("棋局"));
        return *menus.front()->menu();
    }

    QAction& MenuItem(int index) { return *GameMenu().actions().at(index); }

    PictureFiles pictures{""};
    MainWindow window{pictures};
};

TEST_F(MainWindowTest, ControlsLieWhereTheWindowDefinitionPutsThem) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tarvelle"));
    EXPECT_EQ(ClientGeometry(Control<BoardPanel>("画板1")), QRect(0, 0, 520, 576));
    EXPECT_EQ(&Control<BoardPanel>("画板1"), &window.BoardPanel());
    EXPECT_EQ(ClientGeometry(Control<QPlainTextEdit>("框_思考过程")), QRect(0, 576, 520, 64));
    EXPECT_EQ(ClientGeometry(Control<QPlainTextEdit>("框_fens")), QRect(0, 640, 520, 24));
    auto& statusBar = Control<PartedStatusBar>("状态条1");
    EXPECT_EQ(window.statusBar(), &statusBar);
    EXPECT_EQ(ClientGeometry(statusBar), QRect(0, 664, 520, 20));
    // Nothing below the status bar.
    EXPECT_EQ(window.height(), window.menuBar()->height() + 684);
    EXPECT_EQ(window.width(), 520);
}

TEST_F(MainWindowTest, EditBoxesStartWithTheirStoredTextsAndWrapWithoutScrollBars) {
    auto& thinking = Control<QPlainTextEdit>("框_思考过程");
    auto& fen = Control<QPlainTextEdit>("框_fens");
    EXPECT_TRUE(thinking.toPlainText().isEmpty());
    EXPECT_EQ(fen.toPlainText(), QString::fromLatin1(kOpeningPuzzleFen));
    EXPECT_EQ(window.FenText(), kOpeningPuzzleFen);
    for (QPlainTextEdit* box : {&thinking, &fen}) {
        EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_EQ(box->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_FALSE(box->isReadOnly());
        EXPECT_EQ(box->palette().color(QPalette::Base), QColor(Qt::white));
        EXPECT_EQ(box->palette().color(QPalette::Text), QColor(Qt::black));
    }
}

TEST_F(MainWindowTest, FixedSizeWithoutMaximizeButton) {
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_EQ(window.size(), window.minimumSize());
    const Qt::WindowFlags flags = window.windowFlags();
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowSystemMenuHint));
}

TEST_F(MainWindowTest, MenuItemsInOrderAndWhatTheyAskFor) {
    QMenu& menu = GameMenu();
    QStringList texts;
    for (const QAction* item : menu.actions())
        texts << item->text();
    EXPECT_EQ(texts, (QStringList{"自定棋局", "反转棋盘", "悔棋", "引擎设置…", "关于"}));

    QSignalSpy flips(&window, &MainWindow::flipRequested);
    QSignalSpy takeBacks(&window, &MainWindow::takeBackRequested);
    MenuItem(1).trigger();
    EXPECT_EQ(flips.size(), 1);
    EXPECT_EQ(takeBacks.size(), 0);
    MenuItem(2).trigger();
    EXPECT_EQ(flips.size(), 1);
    EXPECT_EQ(takeBacks.size(), 1);
}

// The parts start empty: the engine link writes them once the engine's start is over.
TEST_F(MainWindowTest, StatusPartsStartEmptyAndChangeByIndex) {
    auto& statusBar = Control<PartedStatusBar>("状态条1");
    ASSERT_EQ(statusBar.PartCount(), 2);
    EXPECT_EQ(statusBar.PartText(0), QString());
    EXPECT_EQ(statusBar.PartText(1), QString());
    auto parts = statusBar.findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(parts.size(), 2);
    EXPECT_EQ(parts[0]->geometry(), QRect(0, 0, 100, 20));
    EXPECT_EQ(parts[1]->geometry(), QRect(100, 0, 500, 20));

    window.ShowStatusText(0, "正常思考");
    window.ShowStatusText(1, "1234567 nodes 890 ms");
    window.ShowStatusText(2, "nowhere");
    window.ShowStatusText(-1, "nowhere");
    EXPECT_EQ(statusBar.PartText(0), QStringLiteral("正常思考"));
    EXPECT_EQ(statusBar.PartText(1), QStringLiteral("1234567 nodes 890 ms"));
}

TEST_F(MainWindowTest, TextsReachTheirBoxes) {
    window.ShowFenText("rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b - - 0 1");
    window.ShowThinkingText("深度 9 分数 35 h2e2 h9g7");
    EXPECT_EQ(
        Control<QPlainTextEdit>("框_fens").toPlainText(),
        QStringLiteral("rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR b - - 0 1"));
    EXPECT_EQ(Control<QPlainTextEdit>("框_思考过程").toPlainText(),
              QStringLiteral("深度 9 分数 35 h2e2 h9g7"));
    // What the user types counts as the box's text.
    auto& fen = Control<QPlainTextEdit>("框_fens");
    fen.setFocus();
    fen.moveCursor(QTextCursor::End);
    QTest::keyClicks(&fen, "x");
    EXPECT_EQ(window.FenText().back(), 'x');
}

// What an OK-only box showed, read into `shown` when it opens; `close` then closes it.
struct ShownBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

void ReadOkBoxWhenShown(ShownBox& shown, std::function<void(QMessageBox&)> close) {
    WhenModalShown([&shown, close = std::move(close)](QWidget& modal) {
        auto& box = dynamic_cast<QMessageBox&>(modal);
        shown = {box.windowTitle(), box.text(), box.icon()};
        EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
        EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
        close(box);
    });
}

TEST_F(MainWindowTest, MessageIsAPlainBoxWithOk) {
    ShownBox shown;
    ReadOkBoxWhenShown(shown, [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); });
    window.ShowMessage("红胜。", "提示");
    EXPECT_EQ(shown.caption, QStringLiteral("提示"));
    EXPECT_EQ(shown.text, QStringLiteral("红胜。"));
    EXPECT_EQ(shown.icon, QMessageBox::NoIcon);
}

TEST_F(MainWindowTest, QuestionReturnsTheButtonPressed) {
    const auto answer = [this](const std::function<void(QMessageBox&)>& press) {
        WhenModalShown([press](QWidget& modal) {
            auto& box = dynamic_cast<QMessageBox&>(modal);
            EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No);
            EXPECT_EQ(box.windowTitle(), QStringLiteral("走棋方提示"));
            EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("是"));
            EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("否"));
            press(box);
        });
        return window.AskQuestion("电脑走红方？", "走棋方提示");
    };
    EXPECT_EQ(answer([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); }),
              QuestionAnswer::kYes);
    EXPECT_EQ(answer([](QMessageBox& box) { box.button(QMessageBox::No)->click(); }),
              QuestionAnswer::kNo);
    EXPECT_EQ(answer([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }),
              QuestionAnswer::kNo);
    EXPECT_EQ(answer([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Y); }),
              QuestionAnswer::kYes);
    EXPECT_EQ(answer([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_N); }),
              QuestionAnswer::kNo);
    EXPECT_EQ(answer([](QMessageBox& box) { box.done(QDialog::Rejected); }),
              QuestionAnswer::kDismissed);
}

TEST_F(MainWindowTest, AboutBoxNamesTheProgram) {
    ShownBox shown;
    ReadOkBoxWhenShown(shown, [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
    MenuItem(4).trigger();
    EXPECT_EQ(shown.caption, QStringLiteral("关于本软件"));
    EXPECT_EQ(shown.icon, QMessageBox::Information);
    EXPECT_TRUE(shown.text.contains(QStringLiteral("Tarvelle")));
    EXPECT_TRUE(shown.text.contains(QStringLiteral("the Tarvelle developers")));
}

// Each opening builds a new editor; it is modal and the call returns once it is closed.
TEST_F(MainWindowTest, EditorMenuItemOpensAFreshModalEditor) {
    std::vector<PositionEditorWindow*> opened;
    QObject::connect(&window, &MainWindow::editorOpened, &window,
                     [&](PositionEditorWindow* editor) {
                         EXPECT_FALSE(editor->isVisible());
                         opened.push_back(editor);
                         WhenModalShown([editor](QWidget& modal) {
                             EXPECT_EQ(&modal, editor);
                             EXPECT_TRUE(editor->isModal());
                             editor->close();
                         });
                     });
    MenuItem(0).trigger();
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(window.findChildren<PositionEditorWindow*>().size(), 0);
    MenuItem(0).trigger();
    EXPECT_EQ(opened.size(), 2u);
    EXPECT_TRUE(window.isVisible());
}

TEST(MainWindowActivation, FirstActivationSignalComesWithTheFirstActivateEvent) {
    PictureFiles pictures{""};
    MainWindow window{pictures};
    QSignalSpy activations(&window, &MainWindow::firstActivated);
    QEvent activate(QEvent::WindowActivate);
    QCoreApplication::sendEvent(&window, &activate);
    QCoreApplication::sendEvent(&window, &activate);
    EXPECT_EQ(activations.size(), 1);
}

TEST_F(MainWindowTest, EscapeClosesTheWindowFromAnyControl) {
    QSignalSpy closed(&window, &MainWindow::closed);
    auto& fen = Control<QPlainTextEdit>("框_fens");
    fen.setFocus();
    QTest::keyClick(&fen, Qt::Key_Escape);
    EXPECT_EQ(closed.size(), 1);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(fen.toPlainText(), QString::fromLatin1(kOpeningPuzzleFen));
}

TEST_F(MainWindowTest, EnterInAnEditBoxBreaksTheLineAndKeepsTheWindow) {
    QSignalSpy closed(&window, &MainWindow::closed);
    auto& thinking = Control<QPlainTextEdit>("框_思考过程");
    thinking.setFocus();
    QTest::keyClicks(&thinking, "a");
    QTest::keyClick(&thinking, Qt::Key_Return);
    QTest::keyClicks(&thinking, "b");
    EXPECT_EQ(thinking.toPlainText(), QStringLiteral("a\nb"));
    EXPECT_EQ(closed.size(), 0);
    EXPECT_TRUE(window.isVisible());
}

// The edit boxes would take N for a letter; the key must reach 复习 from them.
TEST_F(MainWindowTest, NReachesReviewFromAnEditBox) {
    window.ShowReviewCount(12);
    QSignalSpy reviews(&window, &MainWindow::reviewRequested);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto& fen = Control<QPlainTextEdit>("框_fens");
    fen.setFocus();
    const QString before = fen.toPlainText();
    QTest::keyClick(&fen, Qt::Key_N);
    EXPECT_EQ(reviews.size(), 1);
    EXPECT_EQ(fen.toPlainText(), before);
}

TEST_F(MainWindowTest, QtsOwnMenusAreChinese) {
    ASSERT_TRUE(LoadQtChineseTexts(*qApp)) << "qt6-translations-l10n is missing";
    const std::unique_ptr<QMenu> menu(
        Control<QPlainTextEdit>("框_fens").createStandardContextMenu());
    ASSERT_FALSE(menu->actions().isEmpty());
    for (const QAction* action : menu->actions()) {
        const QString text = action->text();
        EXPECT_TRUE(
            action->isSeparator() ||
            std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x4E00; }))
            << text.toStdString();
    }
}

}  // namespace
}  // namespace tarvelle
