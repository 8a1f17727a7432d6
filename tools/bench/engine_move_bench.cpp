// The delay from the engine writing its best move to the move drawn on the main board, beyond
// the pace pause: the real program, main loop and window, with this same binary as the engine.
// Run it in an X session; it prints the median and the largest delay over the runs.
//
// usage: engine_move_bench [RUNS]
//
// Started as "EEYE.dll" (through the link it makes beside itself), it is the engine instead: it
// answers the handshake, and to every "go" it writes, after a short pause, the steady-clock time
// into a file beside it and then "bestmove c3c4".
#include <stdlib.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/program.h"
#include "app/shared_state.h"
#include "engine/engine_session.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kPaceMs = 800;

std::int64_t Nanoseconds(Clock::time_point time) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
}

int RunAsEngine(const fs::path& directory) {
    for (std::string line; std::getline(std::cin, line);) {
        if (line == "ucci") {
            std::cout << "ucciok" << std::endl;
        } else if (line.starts_with("go")) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const Clock::time_point writtenAt = Clock::now();
            std::cout << "bestmove c3c4" << std::endl;
            std::ofstream(directory / "written_at") << Nanoseconds(writtenAt);
        } else if (line == "quit") {
            break;
        }
    }
    return 0;
}

// Answers the side question Yes as soon as it shows.
void AnswerYesWhenAsked() {
    QTimer::singleShot(10, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->button(QMessageBox::Yes)->click();
        } else {
            AnswerYesWhenAsked();
        }
    });
}

// One game in which the computer plays Red's first move; the delays after the engine wrote it
// until the move was in the FEN box and until the board had been painted, in milliseconds.
std::pair<double, double> MeasureOneMove(const fs::path& programDirectory,
                                         const fs::path& engineDirectory) {
    auto state = std::make_unique<tarvelle::SharedState>();
    tarvelle::EngineSession session((engineDirectory / "EEYE.dll").string());
    tarvelle::Program program(*state, programDirectory, session);
    auto* fenBox = program.Window().findChild<QPlainTextEdit*>(QStringLiteral("框_fens"));

    Clock::time_point played;
    Clock::time_point painted;
    QObject::connect(fenBox, &QPlainTextEdit::textChanged, [&] { played = Clock::now(); });
    // The board panel is painted in the event pump that follows the move.
    struct PaintWatch final : QObject {
        Clock::time_point* played;
        Clock::time_point* painted;
        QWidget* window;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint && *played != Clock::time_point() &&
                *painted == Clock::time_point()) {
                *painted = Clock::now();
                QTimer::singleShot(0, window, &QWidget::close);
            }
            return false;
        }
    } watch;
    watch.played = &played;
    watch.painted = &painted;
    watch.window = &program.Window();
    program.Window().BoardPanel().installEventFilter(&watch);

    AnswerYesWhenAsked();
    program.Run();

    std::int64_t writtenAt = 0;
    std::ifstream(engineDirectory / "written_at") >> writtenAt;
    const auto since = [&](Clock::time_point time) {
        return static_cast<double>(Nanoseconds(time) - writtenAt) / 1e6 - kPaceMs;
    };
    return {since(played), since(painted)};
}

void Report(const char* what, std::vector<double> delays) {
    std::sort(delays.begin(), delays.end());
    std::printf(
        "engine move to %s beyond the %.0f ms pace: median %.3f ms, max %.3f ms (%zu runs)\n", what,
        kPaceMs, delays[delays.size() / 2], delays.back(), delays.size());
}

}  // namespace

int main(int argc, char** argv) {
    const fs::path self = argv[0];
    if (self.filename() == "EEYE.dll") return RunAsEngine(self.parent_path());

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const fs::path binary = fs::read_symlink("/proc/self/exe");
    std::string scratch = (fs::temp_directory_path() / "tarvelle-bench-XXXXXX").string();
    if (mkdtemp(scratch.data()) == nullptr) return 1;
    fs::create_symlink(binary, fs::path(scratch) / "EEYE.dll");

    QApplication application(argc, argv);
    std::vector<double> toFenBox;
    std::vector<double> toPaint;
    for (int run = 0; run < runs; ++run) {
        const auto [played, painted] = MeasureOneMove(binary.parent_path(), scratch);
        toFenBox.push_back(played);
        toPaint.push_back(painted);
    }
    fs::remove_all(scratch);
    Report("board and FEN box", toFenBox);
    Report("painted board", toPaint);
    return 0;
}
