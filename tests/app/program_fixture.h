// The program as wired for a run, opened off screen without an engine, with helpers that click
// its board and menu and read its boxes.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>

#include "app/program.h"
#include "assets/board_picture.h"
#include "board/cell_geometry.h"
#include "ui_test_support.h"

namespace tarvelle {

// Cell of a point given as coordinate text, in the normal view.
inline int CellOf(const char* coord) {
    return 9 * ('9' - coord[1]) + (coord[0] - 'a');
}

class ProgramTest : public ::testing::Test {
protected:
    // No engine file: the program runs on without an engine.
    void SetUp() override { Open("/nonexistent/EEYE.dll"); }

    void Open(const std::string& engineCommandLine) {
        const std::filesystem::path programDirectory =
            QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
        engineSession = std::make_unique<EngineSession>(engineCommandLine);
        program = std::make_unique<Program>(*state, programDirectory, *engineSession);
        program->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&program->Window()));
    }

    void ClickCell(int cell) {
        testing::ClickAt(program->Window().BoardPanel(),
                         QPoint(CellLeft(cell) + kCellSize / 2, CellTop(cell) + kCellSize / 2));
    }

    // The menu item of that text, in whichever menu it is.
    QAction& MenuItem(const QString& text) {
        for (QAction* menu : program->Window().menuBar()->actions()) {
            for (QAction* action : menu->menu()->actions()) {
                if (action->text() == text) return *action;
            }
        }
        throw std::invalid_argument("no menu item " + text.toStdString());
    }
    void Menu(const QString& item) { MenuItem(item).trigger(); }

    QImage CellPixels(int cell) const {
        return program->Window().BoardPanel().Pixels().copy(CellLeft(cell), CellTop(cell),
                                                            kCellSize, kCellSize);
    }

    static QImage EmptyCell(int cell) {
        return QImage(kBoardPictureResource)
            .convertToFormat(QImage::Format_RGB32)
            .copy(CellLeft(cell), CellTop(cell), kCellSize, kCellSize);
    }

    QString BoxText(const char* name) const {
        return program->Window().findChild<QPlainTextEdit*>(name)->toPlainText();
    }
    QString FenBox() const { return BoxText("框_fens"); }

    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
    std::unique_ptr<EngineSession> engineSession;
    std::unique_ptr<Program> program;
};

}  // namespace tarvelle
