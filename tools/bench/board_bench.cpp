// Speed of drawing the main board on the real Qt panel: every point reads and decodes its picture
// file, as the board is drawn without a picture cache.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFile>
#include <cstdlib>
#include <memory>

#include "assets/board_picture.h"
#include "assets/opening_puzzle.h"
#include "board/main_board.h"
#include "ui/board_panel.h"

namespace {

constexpr const char* kStartPosition =
    "rnbakabnr/9/1c5c1/p1p1p1p1p/9/9/P1P1P1P1P/1C5C1/9/RNBAKABNR w";

struct BoardFixture {
    explicit BoardFixture(const char* fen)
        : pictures(QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString()),
          panel(pictures, QSize(520, 576), QImage(tarvelle::kBoardPictureResource)),
          board(panel, position, moveList, marks) {
        CchessInit(0);
        CchessFen2Board(&position, fen);
    }
    PositionRecord position{};
    tarvelle::MoveList moveList;
    tarvelle::BoardMarks marks;
    tarvelle::PictureFiles pictures;
    tarvelle::BoardPanel panel;
    tarvelle::MainBoard board;
};

void RedrawBoard(benchmark::State& state, const char* fen) {
    BoardFixture fixture(fen);
    for (auto _ : state)
        fixture.board.RedrawBoard();
    state.SetItemsProcessed(state.iterations() * 90);
}
BENCHMARK_CAPTURE(RedrawBoard, opening_puzzle, tarvelle::kOpeningPuzzleFen)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RedrawBoard, start_position, kStartPosition)->Unit(benchmark::kMillisecond);

void DrawSelectedPiece(benchmark::State& state) {
    BoardFixture fixture(kStartPosition);
    for (auto _ : state)
        fixture.board.DrawSquare(0xc7, true);
}
BENCHMARK(DrawSelectedPiece)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    // The panel is a widget, so an application is needed; no window is ever shown.
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
