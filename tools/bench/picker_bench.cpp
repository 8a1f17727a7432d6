// How long the puzzle list takes to open on a large puzzle file: from the press of the editor's
// "打开棋局库" to the list painted with its rows, through the program's own editor wiring. The file
// is the shipped collection's lines repeated to the given count. Run it in an X session (or with
// QT_QPA_PLATFORM=offscreen); it prints the median and the largest time over the runs, and the
// processor time the program's thread spent, which a busy machine inflates less.
//
// usage: picker_bench [LINES] [RUNS]
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/editor_wiring.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// `count` lines, numbered, cycling through the lines of `collection`.
void WritePuzzleFile(const fs::path& collection, const fs::path& file, int count) {
    std::vector<std::string> lines;
    std::ifstream in(collection, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const auto comma = line.find(',');
        if (comma != std::string::npos) lines.push_back(line.substr(comma));
    }
    if (lines.empty()) lines.push_back(",Test,4k4/9/9/9/9/9/9/9/9/R3K4 w - - 0 0");
    std::ofstream out(file, std::ios::binary);
    for (int k = 0; k < count; ++k)
        out << k + 1 << lines[static_cast<std::size_t>(k) % lines.size()] << "\r\n";
}

double ThreadProcessorMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Notes the first paint of the list once the picker is open, and closes the picker.
class FirstPaint final : public QObject {
public:
    Clock::time_point paintedAt;
    double paintedAtProcessorMs = 0;
    QDialog* picker = nullptr;
    int rows = 0;

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && paintedAt == Clock::time_point()) {
            paintedAt = Clock::now();
            paintedAtProcessorMs = ThreadProcessorMs();
            rows = picker->findChild<QTreeView*>()->model()->rowCount();
            QTimer::singleShot(0, picker, &QDialog::reject);
        }
        return false;
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int lines = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    QApplication application(argc, argv);
    const fs::path binary = fs::read_symlink("/proc/self/exe");
    const fs::path file = fs::temp_directory_path() / "tarvelle-picker-bench.txt";
    WritePuzzleFile(binary.parent_path() / "fens.txt", file, lines);

    tarvelle::PictureFiles pictures(binary.parent_path());
    tarvelle::PositionEditorWindow editor(pictures);
    tarvelle::EditorRecord record;
    PositionRecord game{};
    // No record file: every row is looked up, none is marked.
    const tarvelle::SolvedPuzzles solved{fs::path()};
    const tarvelle::AttemptRecord attempts{fs::path()};
    const tarvelle::PuzzleMarks marks{attempts, solved};
    new tarvelle::EditorWiring(editor, record, game, file, marks,
                               [](const PositionRecord&, const std::string&) {});
    editor.show();

    std::vector<double> times;
    std::vector<double> processorTimes;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        FirstPaint watch;
        const auto connection = QObject::connect(
            &editor, &tarvelle::PositionEditorWindow::pickerOpened, [&](auto* picker) {
                watch.picker = picker;
                picker->template findChild<QTreeView*>()->viewport()->installEventFilter(&watch);
            });
        Clock::time_point pressedAt;
        double pressedAtProcessorMs = 0;
        bool closed = false;
        QTimer::singleShot(0, [&] {
            pressedAt = Clock::now();
            pressedAtProcessorMs = ThreadProcessorMs();
            editor.OpenPuzzlePicker();
            closed = true;
        });
        // The picker runs its own loop; this one only waits for it to close.
        while (!closed)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        rows = watch.rows;
        QObject::disconnect(connection);
        times.push_back(
            std::chrono::duration<double, std::milli>(watch.paintedAt - pressedAt).count());
        processorTimes.push_back(watch.paintedAtProcessorMs - pressedAtProcessorMs);
    }
    fs::remove(file);
    std::sort(times.begin(), times.end());
    std::sort(processorTimes.begin(), processorTimes.end());
    std::printf(
        "puzzle list of %d lines (%d rows) opened and painted: median %.0f ms, max %.0f ms; "
        "processor time median %.0f ms (%d runs)\n",
        lines, rows, times[times.size() / 2], times.back(),
        processorTimes[processorTimes.size() / 2], runs);
    return 0;
}
