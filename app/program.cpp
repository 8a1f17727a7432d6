#include "app/program.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "app/editor_wiring.h"
#include "app/engine_settings_file.h"
#include "game/game_start.h"
#include "game/puzzle_list.h"
#include "game/side_choice.h"
#include "game/training_statistics.h"

namespace tarvelle {

Program::Program(SharedState& state, const std::filesystem::path& programDirectory,
                 EngineSession& engineSession)
    : state_(state),
      programDirectory_(programDirectory),
      engineSession_(engineSession),
      solver_(kTrainerTableMegabytes, {.time = kTrainerQuestionTime}, [this] { events_.Wake(); }),
      pictures_(programDirectory),
      window_(pictures_),
      board_(window_.BoardPanel(), state.gamePosition, state.moveList, state.marks),
      engine_(engineSession, clock_, state.gamePosition, state.moveList, state.search, state.engine,
              window_),
      game_(state.gamePosition, state.moveList, state.marks, board_, engine_, window_),
      judge_(game_, state.gamePosition, state.moveList, engine_, window_, clock_, state.search,
             solver_),
      training_(game_, state.moveList, window_, state.sides, state.search, judge_,
                SolvedPuzzlesFile(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")),
                AttemptsFile(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"))),
      loop_(engine_, game_, window_, state.sides, state.search, events_) {
    // The window built its board hot-spots when it was created.
    state_.search.paceFactor = 1;
    CchessInit(0);
    engineSession_.SetOutputWatch(&events_);
    game_.ObserveMates(&training_);
    game_.GateUserMoves(&judge_);
    loop_.ShareTurnsWith(&judge_);
    StartGameFromFen(state_.gamePosition, state_.moveList, window_.FenText());
    ConnectWindow();
    training_.ObserveAttempts([this] { ShowReviewCount(); });
    ShowReviewCount();
}

Program::~Program() {
    events_.FollowEngineStart(nullptr);
    engine_.Quit();
    engineSession_.SetOutputWatch(nullptr);
}

void Program::ConnectWindow() {
    QObject::connect(&window_, &MainWindow::cellClicked, &window_,
                     [this](int cell) { game_.EnterSquare(board_.SquareOfCell(cell)); });
    QObject::connect(&window_, &MainWindow::flipRequested, &window_,
                     [this] { board_.FlipBoard(); });
    QObject::connect(&window_, &MainWindow::takeBackRequested, &window_,
                     [this] { game_.TakeBackMove(); });
    QObject::connect(
        &window_, &MainWindow::editorOpened, &window_, [this](PositionEditorWindow* editor) {
            new EditorWiring(*editor, state_.editor, state_.gamePosition, PuzzleFile(),
                             training_.Marks(),
                             [this](const PositionRecord& position, const std::string& startFen) {
                                 StartGameFromEditor(position, startFen);
                             });
        });
    QObject::connect(&window_, &MainWindow::engineSettingsOpened, &window_,
                     [this](EngineSettingsDialog* dialog) {
                         dialog->ShowSettings(state_.engine);
                         QObject::connect(dialog, &QDialog::accepted, dialog, [this, dialog] {
                             ApplyEngineSettings(dialog->Settings());
                         });
                     });
    QObject::connect(&window_, &MainWindow::puzzlePickerOpened, &window_,
                     [this](TrainingPickerWindow* picker) {
                         picker->ShowPuzzles(ReadPuzzles(), puzzleFilter_, training_.CurrentRow());
                         QObject::connect(picker, &TrainingPickerWindow::puzzleChosen, picker,
                                          [this, picker](int index) {
                                              picker->accept();
                                              training_.Load(index, picker->Puzzles().Row(index));
                                          });
                     });
    QObject::connect(&window_, &MainWindow::previousPuzzleRequested, &window_,
                     [this] { LoadPuzzleRow(&PuzzleTraining::PreviousRow); });
    QObject::connect(&window_, &MainWindow::nextPuzzleRequested, &window_,
                     [this] { LoadPuzzleRow(&PuzzleTraining::NextRow); });
    QObject::connect(&window_, &MainWindow::repeatPuzzleRequested, &window_,
                     [this] { training_.Repeat(); });
    QObject::connect(&window_, &MainWindow::solutionRequested, &window_,
                     [this] { training_.ShowSolution(); });
    QObject::connect(&window_, &MainWindow::retryMoveRequested, &window_,
                     [this] { judge_.RetryMove(); });
    QObject::connect(&window_, &MainWindow::hintRequested, &window_, [this] { judge_.Hint(); });
    QObject::connect(&window_, &MainWindow::reviewRequested, &window_,
                     [this] { LoadReviewPuzzle(); });
    QObject::connect(&window_, &MainWindow::puzzleMenuAboutToShow, &window_,
                     [this] { ShowReviewCount(); });
    QObject::connect(&window_, &MainWindow::statisticsOpened, &window_,
                     [this](TrainingStatisticsWindow* window) {
                         window->ShowStatistics(ComputeTrainingStatistics(
                             training_.Attempts().All(), ReadPuzzleFile(PuzzleFile()), Today()));
                     });
    QObject::connect(&window_, &MainWindow::firstActivated, &window_, [this] {
        activated_ = true;
        // Once the window is up: the engine's start must not compete with the window's.
        engine_.Start();
        events_.FollowEngineStart(&engine_);
    });
    QObject::connect(&window_, &MainWindow::closed, &window_, [this] {
        training_.Leave();
        closed_ = true;
        loop_.Stop();
    });
}

void Program::ApplyEngineSettings(const EngineSettings& settings) {
    state_.engine = settings;
    const std::filesystem::path file = UserEngineSettingsFile();
    if (!WriteEngineSettings(file, settings)) {
        window_.ShowMessage("引擎设置未能保存到 " + file.string() + "，只在本次运行中有效。",
                            "引擎设置");
    }
    engineSession_.SetCommandLine(EngineCommandLine(programDirectory_, settings.path));
    engine_.Start();
    events_.FollowEngineStart(&engine_);
}

void Program::StartGameFromEditor(const PositionRecord& position, const std::string& startFen) {
    training_.End();
    game_.StartFromPosition(position, startFen);
    AskSideQuestion(window_, state_.sides, state_.search);
}

std::filesystem::path Program::PuzzleFile() const {
    return ChoosePuzzleFile(programDirectory_, std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

PuzzleCatalogue Program::ReadPuzzles() const {
    // The catalogue asks while the picker is open, so it keeps the schedule of the moment.
    auto schedule = std::make_shared<const ReviewSchedule>(Schedule());
    return PuzzleCatalogue(ReadPuzzleText(PuzzleFile()), training_.Marks(),
                           [schedule](std::string_view fen) { return schedule->Due(fen); });
}

void Program::LoadPuzzleRow(int (PuzzleTraining::*choose)(const PuzzleCatalogue& puzzles,
                                                          const PuzzleFilter& filter) const) {
    const PuzzleCatalogue puzzles = ReadPuzzles();
    const int index = (training_.*choose)(puzzles, puzzleFilter_);
    if (index >= 0) {
        training_.Load(index, puzzles.Row(index));
    } else if (puzzles.Size() > 0) {
        window_.ShowMessage("没有符合选题筛选的题目。", "题库");
    }
}

CalendarDay Program::Today() {
    return tarvelle::Today(std::getenv("TARVELLE_TODAY"), std::time(nullptr));
}

ReviewSchedule Program::Schedule() const {
    return ReviewSchedule(training_.Attempts().All(), Today());
}

void Program::LoadReviewPuzzle() {
    const std::vector<PuzzleRow> rows = ReadPuzzleFile(PuzzleFile());
    const int index = training_.ReviewRow(Schedule().DueRows(rows));
    if (index >= 0) training_.Load(index, rows[static_cast<std::size_t>(index)]);
}

void Program::ShowReviewCount() {
    // The menu asks at every opening: with nothing due, a long puzzle file is not read for it.
    const ReviewSchedule schedule = Schedule();
    window_.ShowReviewCount(
        schedule.DueOldestFirst().empty()
            ? 0
            : static_cast<int>(schedule.DueRows(ReadPuzzleFile(PuzzleFile())).size()));
}

void Program::Show() {
    window_.show();
    // Drawn into the panel's own pixels while the window system maps the window, the board is
    // there for the window's first paint, and the window shows a full board's drawing sooner.
    board_.RedrawBoard();
}

int Program::Run() {
    Show();
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
