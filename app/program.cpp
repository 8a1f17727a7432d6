#include "app/program.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace tarvelle {

Program::Program(SharedState& state, const std::filesystem::path& programDirectory)
    : state_(state),
      pictures_(programDirectory),
      window_(pictures_),
      board_(window_.BoardPanel(), state.gamePosition, state.moveList, state.marks),
      game_(state.gamePosition, state.moveList, state.marks, board_, engine_, window_),
      loop_(engine_, window_, state.sides, state.moveList, events_) {
    // The window built its board hot-spots when it was created.
    state_.paceFactor = 1;
    CchessInit(0);
    const std::string fen = window_.FenText();
    CchessFen2Board(&state_.gamePosition, fen.c_str());
    state_.moveList.gameStartFen = fen;
    board_.RedrawBoard();
    ConnectWindow();
}

void Program::ConnectWindow() {
    QObject::connect(&window_, &MainWindow::cellClicked, &window_,
                     [this](int cell) { game_.EnterSquare(board_.SquareOfCell(cell)); });
    QObject::connect(&window_, &MainWindow::flipRequested, &window_,
                     [this] { board_.FlipBoard(); });
    QObject::connect(&window_, &MainWindow::takeBackRequested, &window_,
                     [this] { game_.TakeBackMove(); });
    QObject::connect(&window_, &MainWindow::firstActivated, &window_,
                     [this] { activated_ = true; });
    QObject::connect(&window_, &MainWindow::closed, &window_, [this] {
        closed_ = true;
        loop_.Stop();
    });
}

int Program::Run() {
    window_.show();
    window_.activateWindow();
    if (WaitForFirstActivation()) loop_.Run();
    return 0;
}

bool Program::WaitForFirstActivation() {
    while (!activated_ && !closed_) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return activated_ && !closed_;
}

}  // namespace tarvelle
