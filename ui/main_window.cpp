#include "ui/main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <algorithm>
#include <vector>

#include "assets/opening_puzzle.h"
#include "ui/edit_box.h"
#include "ui/hotspot_grid.h"
#include "ui/message_boxes.h"
#include "ui/window_frame.h"

namespace tarvelle {
namespace {

constexpr int kClientWidth = 520;
constexpr int kBoardHeight = 576;
constexpr int kThinkingBoxHeight = 64;
constexpr int kFenBoxHeight = 24;
constexpr int kStatusBarHeight = 20;
constexpr QSize kOuterSize(527, 734);
const QString kProgramName = QStringLiteral("Tarvelle");

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// Leaves keys of the window's menu to the menu where an edit box would take them for itself, as
// it takes Ctrl+Z for its undo and H for a letter. The boxes hold the focus when the window opens,
// and clicks on the board do not take it from them.
class MenuKeyFilter final : public QObject {
public:
    MenuKeyFilter(std::vector<QKeySequence> keys, QObject* parent)
        : QObject(parent), keys_(std::move(keys)) {}

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride) return false;
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        if (std::find(keys_.begin(), keys_.end(), pressed) == keys_.end()) return false;
        event->ignore();
        return true;
    }

private:
    std::vector<QKeySequence> keys_;
};

}  // namespace

MainWindow::MainWindow(const PictureFiles& pictures, QWidget* parent)
    : QMainWindow(parent), pictures_(pictures) {
    setWindowTitle(kProgramName);

    auto* client = new QWidget(this);
    client->setFixedSize(kClientWidth, kBoardHeight + kThinkingBoxHeight + kFenBoxHeight);
    setCentralWidget(client);

    board_ = new tarvelle::BoardPanel(pictures, QSize(kClientWidth, kBoardHeight), BoardPicture(),
                                      client);
    board_->setObjectName(QStringLiteral("画板1"));
    board_->move(0, 0);
    QLabel* prototype = CreatePrototypeLabel(*board_, QStringLiteral("原型框"), QPoint(568, 144));
    auto* hotspots = new HotspotGrid(*prototype, BoardHotspotPlaces());
    connect(hotspots, &HotspotGrid::leftPressed, this, &MainWindow::cellClicked);

    thinkingBox_ = CreateEditBox(*client, QStringLiteral("框_思考过程"),
                                 QRect(0, kBoardHeight, kClientWidth, kThinkingBoxHeight), {});
    fenBox_ =
        CreateEditBox(*client, QStringLiteral("框_fens"),
                      QRect(0, kBoardHeight + kThinkingBoxHeight, kClientWidth, kFenBoxHeight),
                      QString::fromUtf8(kOpeningPuzzleFen));

    // Empty until the engine link shows its state: no placeholder words in a Chinese window.
    statusBar_ = new PartedStatusBar({{100, {}}, {500, {}}}, kStatusBarHeight, this);
    statusBar_->setObjectName(QStringLiteral("状态条1"));
    setStatusBar(statusBar_);

    CreateMenu();
    SetFixedFrame(
        *this,
        QSize(kClientWidth, menuBar()->sizeHint().height() + client->height() + kStatusBarHeight),
        kOuterSize);
}

void MainWindow::CreateMenu() {
    QMenu* game = menuBar()->addMenu(QStringLiteral("棋局"));
    connect(game->addAction(QStringLiteral("自定棋局")), &QAction::triggered, this,
            &MainWindow::OpenPositionEditor);
    connect(game->addAction(QStringLiteral("反转棋盘")), &QAction::triggered, this,
            &MainWindow::flipRequested);
    connect(game->addAction(QStringLiteral("悔棋")), &QAction::triggered, this,
            &MainWindow::takeBackRequested);
    connect(game->addAction(QStringLiteral("引擎设置…")), &QAction::triggered, this,
            &MainWindow::OpenEngineSettings);
    connect(game->addAction(QStringLiteral("关于")), &QAction::triggered, this,
            &MainWindow::ShowAbout);
    CreatePuzzleMenu();
}

void MainWindow::CreatePuzzleMenu() {
    QMenu* puzzles = menuBar()->addMenu(QStringLiteral("题库"));
    const auto addItem = [this, puzzles](const char* text, QKeySequence keys, auto signal) {
        QAction* item = puzzles->addAction(QString::fromUtf8(text));
        item->setShortcut(keys);
        connect(item, &QAction::triggered, this, signal);
        return item;
    };
    addItem("选题…", QKeySequence(Qt::CTRL | Qt::Key_O), &MainWindow::OpenPuzzlePicker);
    addItem("上一题", QKeySequence(Qt::Key_PageUp), &MainWindow::previousPuzzleRequested);
    addItem("下一题", QKeySequence(Qt::Key_PageDown), &MainWindow::nextPuzzleRequested);
    repeatPuzzleItem_ =
        addItem("重做本题", QKeySequence(Qt::CTRL | Qt::Key_R), &MainWindow::repeatPuzzleRequested);
    retryMoveItem_ =
        addItem("重走此步", QKeySequence(Qt::CTRL | Qt::Key_Z), &MainWindow::retryMoveRequested);
    hintItem_ = addItem("提示", QKeySequence(Qt::Key_H), &MainWindow::hintRequested);
    solutionItem_ =
        addItem("解法", QKeySequence(Qt::CTRL | Qt::Key_L), &MainWindow::solutionRequested);
    puzzles->addSeparator();
    reviewItem_ = addItem("复习", QKeySequence(Qt::Key_N), &MainWindow::reviewRequested);
    addItem("练习统计…", QKeySequence(), &MainWindow::OpenStatistics);
    connect(puzzles, &QMenu::aboutToShow, this, &MainWindow::puzzleMenuAboutToShow);
    for (QPlainTextEdit* box : {thinkingBox_, fenBox_}) {
        box->installEventFilter(new MenuKeyFilter(
            {retryMoveItem_->shortcut(), hintItem_->shortcut(), reviewItem_->shortcut()}, box));
    }
    ShowPuzzle(std::nullopt, false);
    ShowReviewCount(0);
}

std::string MainWindow::FenText() const {
    return fenBox_->toPlainText().toStdString();
}

void MainWindow::ShowFenText(const std::string& text) {
    fenBox_->setPlainText(Text(text));
}

void MainWindow::ShowStatusText(int part, const std::string& text) {
    statusBar_->SetPartText(part, Text(text));
}

void MainWindow::ShowThinkingText(const std::string& text) {
    thinkingBox_->setPlainText(Text(text));
}

void MainWindow::ShowMessage(const std::string& text, const std::string& caption) {
    ShowPlainMessage(this, Text(text), Text(caption));
}

QuestionAnswer MainWindow::AskQuestion(const std::string& text, const std::string& caption) {
    return AskYesNo(this, Text(text), Text(caption));
}

void MainWindow::ShowPuzzle(const std::optional<std::string>& title, bool solutionStored) {
    setWindowTitle(title ? kProgramName + QStringLiteral(" — ") + Text(*title) : kProgramName);
    repeatPuzzleItem_->setEnabled(title.has_value());
    retryMoveItem_->setEnabled(title.has_value());
    hintItem_->setEnabled(title.has_value());
    solutionItem_->setEnabled(title.has_value() && solutionStored);
}

void MainWindow::ShowReviewCount(int due) {
    reviewItem_->setText(QStringLiteral("复习 (%1)").arg(due));
    reviewItem_->setEnabled(due > 0);
}

void MainWindow::OpenPositionEditor() {
    PositionEditorWindow editor(pictures_, this);
    emit editorOpened(&editor);
    editor.exec();
}

void MainWindow::OpenPuzzlePicker() {
    TrainingPickerWindow picker(pictures_, this);
    emit puzzlePickerOpened(&picker);
    picker.exec();
}

void MainWindow::OpenEngineSettings() {
    EngineSettingsDialog dialog(this);
    emit engineSettingsOpened(&dialog);
    dialog.exec();
}

void MainWindow::OpenStatistics() {
    TrainingStatisticsWindow window(this);
    emit statisticsOpened(&window);
    window.exec();
}

void MainWindow::ShowAbout() {
    ShowInformation(this,
                    QStringLiteral("Tarvelle — 中国象棋残局练习，与 UCCI 或 UCI 引擎对弈。\n"
                                   "作者：the Tarvelle developers"),
                    QStringLiteral("关于本软件"));
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !activatedBefore_) {
        activatedBefore_ = true;
        emit firstActivated();
    }
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

// Reached only when the focused control has no use for the key.
void MainWindow::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

}  // namespace tarvelle
