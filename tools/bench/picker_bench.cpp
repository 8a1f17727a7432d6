// How long the puzzle lists take on a large puzzle file. The editor's: from the press of
// "打开棋局库" to the list painted with its rows, through the program's own editor wiring. The
// puzzle menu's picker (选题), filled as the program fills it: from the start of the file's reading
// to the list painted, then from each change of a filter to the list painted again, and the
// process's resident memory with the picker open. The filters change half a second after the
// picker is painted, as a player's first choice would. The file is the shipped collection's lines
// repeated to the given count, each given themes and stars. Run it in an X session (or with
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
#include <functional>
#include <string>
#include <vector>

#include <QComboBox>
#include <QLineEdit>

#include "app/editor_wiring.h"
#include "ui/training_picker_window.h"

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
    // GBK, as the puzzle file is kept.
    const char* const themes[] = {"\xC2\xED\xBA\xF3\xC5\xDA",  // 马后炮
                                  "\xCE\xD4\xB2\xDB\xC2\xED",  // 卧槽马
                                  "\xC2\xED\xBA\xF3\xC5\xDA/\xCE\xD4\xB2\xDB\xC2\xED", ""};
    std::ofstream out(file, std::ios::binary);
    for (int k = 0; k < count; ++k) {
        std::string line = lines[static_cast<std::size_t>(k) % lines.size()];
        // A line without a stored solution gets an empty one, so that its themes are the fifth.
        if (std::count(line.begin(), line.end(), ',') < 3) line += ',';
        out << k + 1 << line << ',' << themes[k % 4] << ',' << k % 5 + 1 << "\r\n";
    }
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

double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:")) return std::atof(line.c_str() + 6) / 1024;
    }
    return 0;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Notes the next paint of a widget.
class PaintWatch final : public QObject {
public:
    bool painted = false;

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
    // Runs `change`, then the event loop until the widget is painted; the milliseconds between.
    double Time(const std::function<void()>& change) {
        painted = false;
        const Clock::time_point start = Clock::now();
        change();
        while (!painted)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    }
};

// The puzzle menu's picker over `file`, opened `runs` times, with its filters changed in each.
void MeasureTrainingPicker(const fs::path& file, int runs, const tarvelle::PictureFiles& pictures,
                           const tarvelle::PuzzleMarks& marks) {
    std::vector<double> opened;
    std::vector<double> filtered;
    double worstFilter = 0;
    double resident = 0;
    int rows = 0;
    for (int run = 0; run < runs; ++run) {
        tarvelle::TrainingPickerWindow picker(pictures);
        tarvelle::PuzzleFilter filter;
        PaintWatch watch;
        QWidget& list = *picker.findChild<QTreeView*>()->viewport();
        list.installEventFilter(&watch);
        opened.push_back(watch.Time([&] {
            picker.ShowPuzzles(tarvelle::PuzzleCatalogue(tarvelle::ReadPuzzleText(file), marks, {}),
                               filter, std::nullopt);
            picker.show();
        }));
        rows = picker.Puzzles().Size();
        // A player's first choice comes later than this; the picker looks up states meanwhile.
        const Clock::time_point settled = Clock::now() + std::chrono::milliseconds(500);
        while (Clock::now() < settled)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        const auto choice = [&picker](const char* name) {
            return picker.findChild<QComboBox*>(QString::fromUtf8(name));
        };
        auto* search = picker.findChild<QLineEdit*>(QStringLiteral("搜索框"));
        const std::function<void()> changes[] = {
            [&] { choice("步数筛选")->setCurrentIndex(3); },
            [&] { choice("杀法筛选")->setCurrentIndex(2); },
            [&] { choice("星级筛选")->setCurrentIndex(2); },
            [&] { choice("状态筛选")->setCurrentIndex(1); },
            [&] { choice("步数筛选")->setCurrentIndex(0); },
            [&] { choice("杀法筛选")->setCurrentIndex(0); },
            [&] { choice("星级筛选")->setCurrentIndex(0); },
            [&] { search->setText(QStringLiteral("1")); },
            [&] { search->setText(QStringLiteral("12")); },
            [&] { search->setText(QString()); },
            [&] { choice("状态筛选")->setCurrentIndex(0); },
        };
        for (const auto& change : changes) {
            filtered.push_back(watch.Time(change));
            worstFilter = std::max(worstFilter, filtered.back());
        }
        resident = std::max(resident, ResidentMegabytes());
    }
    std::printf(
        "puzzle picker of %d rows: read, filled and painted: median %.0f ms, max %.0f ms; "
        "a filter changed and painted: median %.1f ms, max %.1f ms (%zu changes); resident "
        "%.0f MB with the picker open (%d runs)\n",
        rows, Median(opened), *std::max_element(opened.begin(), opened.end()), Median(filtered),
        worstFilter, filtered.size(), resident, runs);
}

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
    // Records kept in memory alone: every third puzzle of the collection failed and every third
    // solved, so that every row is looked up and many are marked.
    tarvelle::SolvedPuzzles solved{fs::path()};
    tarvelle::AttemptRecord attempts{fs::path()};
    const std::vector<tarvelle::PuzzleRow> collection =
        tarvelle::ReadPuzzleFile(binary.parent_path() / "fens.txt");
    for (std::size_t k = 0; k < collection.size(); k += 3) {
        attempts.Add(collection[k].fen, tarvelle::AttemptResult::kFailed, {});
        if (k + 1 < collection.size()) solved.Add(collection[k + 1].fen);
    }
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
    MeasureTrainingPicker(file, runs, pictures, marks);
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
