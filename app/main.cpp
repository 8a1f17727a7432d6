// Start-up: the program-wide state exists before any window; the game record opens on the puzzle.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <memory>

#include "app/shared_state.h"
#include "position/fen_text.h"

namespace {

constexpr const char* kOpeningPuzzle =
    "3a2b2/1P1k5/2Pab4/7RC/9/9/2P2c3/2NA5/3KAr3/cnn1r4 w - - 0 0";

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const auto state = std::make_unique<tarvelle::SharedState>();
    CchessInit(0);
    CchessFen2Board(&state->gamePosition, kOpeningPuzzle);
    state->moveList.gameStartFen = kOpeningPuzzle;

    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tarvelle"));
    auto* position = new QLabel(QString::fromStdString(tarvelle::GameFenText(state->gamePosition)));
    position->setTextInteractionFlags(Qt::TextSelectableByMouse);
    position->setMargin(24);
    window.setCentralWidget(position);
    window.show();
    return QApplication::exec();
}
