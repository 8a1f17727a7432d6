#include "ui/position_editor_window.h"

#include <QPushButton>

#include "assets/opening_puzzle.h"
#include "ui/edit_box.h"
#include "ui/hotspot_grid.h"
#include "ui/window_frame.h"

namespace tarvelle {
namespace {

constexpr QSize kClientSize(780, 600);
constexpr QSize kOuterSize(787, 630);

}  // namespace

PositionEditorWindow::PositionEditorWindow(const PictureFiles& pictures, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("编辑局面"));
    setModal(true);
    CreateBoard(pictures);
    CreatePalette(pictures);
    CreateSideButtons();
    CreatePositionButtons();
    fenBox_ = CreateEditBox(*this, QStringLiteral("框_fens"), QRect(0, 576, 520, 24),
                            QString::fromUtf8(kOpeningPuzzleFen));
    SetFixedFrame(*this, kClientSize, kOuterSize);
}

void PositionEditorWindow::CreateBoard(const PictureFiles& pictures) {
    board_ = new tarvelle::BoardPanel(pictures, QSize(520, 576), BoardPicture(), this);
    board_->setObjectName(QStringLiteral("画板1"));
    board_->move(0, 0);
    QLabel* prototype = CreatePrototypeLabel(*board_, QStringLiteral("原型框"), QPoint(888, 16));
    auto* hotspots = new HotspotGrid(*prototype, BoardHotspotPlaces());
    connect(hotspots, &HotspotGrid::leftPressed, this, &PositionEditorWindow::boardCellPressed);
    connect(hotspots, &HotspotGrid::rightPressed, this,
            &PositionEditorWindow::boardCellRightPressed);
}

// The palette panel reaches past the window's right edge; only its left part holds cells.
void PositionEditorWindow::CreatePalette(const PictureFiles& pictures) {
    palette_ = new tarvelle::BoardPanel(pictures, QSize(344, 472), QImage(), this);
    palette_->setObjectName(QStringLiteral("画板2"));
    palette_->move(528, 0);
    QLabel* prototype =
        CreatePrototypeLabel(*palette_, QStringLiteral("原型框1"), QPoint(288, 416));
    auto* hotspots = new HotspotGrid(*prototype, PaletteHotspotPlaces());
    connect(hotspots, &HotspotGrid::leftPressed, this, &PositionEditorWindow::paletteCellPressed);
}

void PositionEditorWindow::CreateSideButtons() {
    sideToMove_ = new QButtonGroup(this);
    const auto createRadio = [this](const QString& caption, int left) {
        auto* radio = new QRadioButton(caption, this);
        radio->setObjectName(caption);
        radio->setGeometry(left, 488, 80, 24);
        sideToMove_->addButton(radio);
        return radio;
    };
    redToMove_ = createRadio(QStringLiteral("红先"), 544);
    blackToMove_ = createRadio(QStringLiteral("黑先"), 640);
    connect(redToMove_, &QRadioButton::clicked, this, &PositionEditorWindow::redToMoveClicked);
    connect(blackToMove_, &QRadioButton::clicked, this, &PositionEditorWindow::blackToMoveClicked);
}

// Enter has no meaning in the window, so no button is a default button.
void PositionEditorWindow::CreatePositionButtons() {
    const auto createButton = [this](const QString& caption, const QRect& geometry) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(caption);
        button->setGeometry(geometry);
        button->setAutoDefault(false);
        return button;
    };
    connect(createButton(QStringLiteral("全局"), QRect(528, 536, 80, 32)), &QPushButton::clicked,
            this, &PositionEditorWindow::startPositionClicked);
    connect(createButton(QStringLiteral("打开棋局库"), QRect(664, 536, 72, 32)),
            &QPushButton::clicked, this, &PositionEditorWindow::OpenPuzzlePicker);
    connect(createButton(QStringLiteral("fens设局面"), QRect(528, 568, 80, 32)),
            &QPushButton::clicked, this, &PositionEditorWindow::applyFenClicked);
    connect(createButton(QStringLiteral("回传主棋盘"), QRect(664, 568, 72, 32)),
            &QPushButton::clicked, this, &PositionEditorWindow::sendToMainBoardClicked);
}

std::string PositionEditorWindow::FenText() const {
    return fenBox_->toPlainText().toStdString();
}

void PositionEditorWindow::ShowFenText(const std::string& text) {
    fenBox_->setPlainText(QString::fromStdString(text));
}

// An exclusive group cannot uncheck its checked button, so it stops being exclusive meanwhile.
void PositionEditorWindow::ShowSideToMove(int side) {
    sideToMove_->setExclusive(false);
    redToMove_->setChecked(side == 0);
    blackToMove_->setChecked(side == 1);
    sideToMove_->setExclusive(true);
}

void PositionEditorWindow::OpenPuzzlePicker() {
    PuzzlePickerWindow picker(this);
    emit pickerOpened(&picker);
    picker.exec();
}

}  // namespace tarvelle
