#include "ui/training_picker_window.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "ui/puzzle_list_view.h"
#include "ui/window_frame.h"

namespace tarvelle {
namespace {

constexpr QSize kClientSize(846, 448);
constexpr QSize kOuterSize(849, 475);
constexpr int kListTop = 40;
constexpr QRect kListPlace(8, kListTop, 510, 400);
constexpr QPoint kPreviewPlace(526, kListTop);

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QComboBox* CreateChoice(QDialog& window, const char* label, const char* name, int left, int width) {
    auto* caption = new QLabel(QString::fromUtf8(label), &window);
    caption->setGeometry(left, 8, 30, 24);
    auto* choice = new QComboBox(&window);
    choice->setObjectName(QString::fromUtf8(name));
    choice->setGeometry(left + 32, 8, width, 24);
    caption->setBuddy(choice);
    return choice;
}

// The item whose data is `value`, or the first ("全部") when none is.
void SelectData(QComboBox& choice, const QVariant& value) {
    const int found = choice.findData(value);
    choice.setCurrentIndex(found < 0 ? 0 : found);
}

bool IsListKey(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_PageUp ||
           key == Qt::Key_PageDown;
}

}  // namespace

TrainingPickerWindow::TrainingPickerWindow(const PictureFiles& pictures, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("选题"));
    setModal(true);
    CreateFilters();
    CreateList();
    CreateSide(pictures);
    // Arrows move the selection at once, and typing reaches the search box through the list.
    list_->setFocus();
    SetFixedFrame(*this, kClientSize, kOuterSize);
}

void TrainingPickerWindow::CreateFilters() {
    length_ = CreateChoice(*this, "步数", "步数筛选", 8, 72);
    theme_ = CreateChoice(*this, "杀法", "杀法筛选", 120, 112);
    stars_ = CreateChoice(*this, "星级", "星级筛选", 272, 88);
    state_ = CreateChoice(*this, "状态", "状态筛选", 400, 76);
    auto* caption = new QLabel(QStringLiteral("搜索"), this);
    caption->setGeometry(516, 8, 30, 24);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("搜索框"));
    search_->setPlaceholderText(QStringLiteral("题号或名称"));
    search_->setGeometry(548, 8, 136, 24);
    search_->installEventFilter(this);
    caption->setBuddy(search_);
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("题数"));
    count_->setGeometry(688, 8, 150, 24);
    count_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    for (QComboBox* choice : {length_, theme_, stars_, state_}) {
        connect(choice, &QComboBox::currentIndexChanged, this, [this] {
            if (!showingChoices_) ApplyChoices();
        });
    }
    connect(search_, &QLineEdit::textChanged, this, [this] {
        if (!showingChoices_) ApplyChoices();
    });
}

void TrainingPickerWindow::CreateList() {
    list_ = NewPuzzleListView(this, QStringLiteral("选题列表"), kListPlace);
    list_->installEventFilter(this);
    connect(list_, &QTreeView::doubleClicked, this, [this] { ChooseSelected(); });
}

void TrainingPickerWindow::CreateSide(const PictureFiles& pictures) {
    preview_ = new BoardPreview(pictures, this);
    preview_->setObjectName(QStringLiteral("棋盘预览"));
    preview_->move(kPreviewPlace);
    const int left = kPreviewPlace.x();
    const int width = preview_->width();
    const int below = kPreviewPlace.y() + preview_->height();
    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("题名"));
    title_->setGeometry(left, below + 8, width, 24);
    load_ = new QPushButton(QStringLiteral("载入"), this);
    load_->setObjectName(QStringLiteral("载入"));
    load_->setGeometry(left + width - 168, kListPlace.bottom() - 23, 80, 24);
    // Enter anywhere in the picker loads the selected puzzle.
    load_->setDefault(true);
    connect(load_, &QPushButton::clicked, this, [this] { ChooseSelected(); });
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    close->setObjectName(QStringLiteral("关闭"));
    close->setAutoDefault(false);
    close->setGeometry(left + width - 80, kListPlace.bottom() - 23, 80, 24);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

void TrainingPickerWindow::ShowPuzzles(PuzzleCatalogue puzzles, PuzzleFilter& filter,
                                       std::optional<int> current) {
    filter_ = &filter;
    delete model_;
    model_ = new FilteredPuzzleModel(std::move(puzzles), this);
    model_->Apply(filter);
    ShowModel(*list_, model_);
    // The selection, not the current row: a click moves the current row before it selects.
    connect(list_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { ShowSelected(); });
    ShowChoices();
    Select(current && model_->ShownRow(*current) >= 0 ? *current : model_->FileRow(0));
    ShowSelected();
    // A state costs a position lookup, too many for one filter change on a long file: they are
    // looked up while the picker waits for the player, so that the state filter finds them known.
    statesLookedUp_ = 0;
    QTimer::singleShot(0, this, &TrainingPickerWindow::LookUpStates);
}

void TrainingPickerWindow::LookUpStates() {
    // About five milliseconds' work, so that no key waits longer for it.
    constexpr int kSlice = 4000;
    const int end = std::min(statesLookedUp_ + kSlice, Puzzles().Size());
    for (; statesLookedUp_ < end; ++statesLookedUp_)
        Puzzles().Mark(statesLookedUp_);
    if (statesLookedUp_ < Puzzles().Size())
        QTimer::singleShot(0, this, &TrainingPickerWindow::LookUpStates);
}

void TrainingPickerWindow::ShowChoices() {
    showingChoices_ = true;
    const PuzzleFilter& filter = *filter_;
    length_->clear();
    length_->addItem(QStringLiteral("全部"));
    std::vector<int> lengths = Puzzles().Lengths();
    // A choice kept from another file stays visible, so that it can be seen and undone.
    if (filter.length && std::find(lengths.begin(), lengths.end(), *filter.length) == lengths.end())
        lengths.insert(std::upper_bound(lengths.begin(), lengths.end(), *filter.length),
                       *filter.length);
    for (const int length : lengths)
        length_->addItem(QStringLiteral("%1步").arg(length), length);
    SelectData(*length_, filter.length ? QVariant(*filter.length) : QVariant());

    theme_->clear();
    theme_->addItem(QStringLiteral("全部"));
    for (const std::string& theme : Puzzles().Themes())
        theme_->addItem(Text(theme), Text(theme));
    if (!filter.theme.empty() && theme_->findData(Text(filter.theme)) < 0)
        theme_->addItem(Text(filter.theme), Text(filter.theme));
    SelectData(*theme_, filter.theme.empty() ? QVariant() : QVariant(Text(filter.theme)));

    stars_->clear();
    stars_->addItem(QStringLiteral("全部"));
    for (int stars = 1; stars <= 5; ++stars)
        stars_->addItem(QString(stars, QChar(u'★')), stars);
    SelectData(*stars_, filter.stars ? QVariant(*filter.stars) : QVariant());

    state_->clear();
    state_->addItem(QStringLiteral("全部"), static_cast<int>(PuzzleState::kAny));
    state_->addItem(QStringLiteral("未解"), static_cast<int>(PuzzleState::kUnsolved));
    state_->addItem(QStringLiteral("做错"), static_cast<int>(PuzzleState::kFailed));
    state_->addItem(QStringLiteral("待复习"), static_cast<int>(PuzzleState::kDue));
    SelectData(*state_, static_cast<int>(filter.state));

    search_->setText(Text(filter.search));
    showingChoices_ = false;
    ShowCount();
}

void TrainingPickerWindow::ShowCount() {
    count_->setText(
        QStringLiteral("显示 %1 题，共 %2 题").arg(model_->rowCount()).arg(Puzzles().Size()));
}

void TrainingPickerWindow::ApplyChoices() {
    if (model_ == nullptr) return;
    PuzzleFilter& filter = *filter_;
    const QVariant length = length_->currentData();
    filter.length = length.isValid() ? std::optional<int>(length.toInt()) : std::nullopt;
    filter.theme = theme_->currentData().toString().toStdString();
    const QVariant stars = stars_->currentData();
    filter.stars = stars.isValid() ? std::optional<int>(stars.toInt()) : std::nullopt;
    filter.state = static_cast<PuzzleState>(state_->currentData().toInt());
    filter.search = search_->text().toStdString();

    const int selected = SelectedRow();
    model_->Apply(filter);
    ShowCount();
    Select(model_->ShownRow(selected) >= 0 ? selected : model_->FileRow(0));
    ShowSelected();
}

void TrainingPickerWindow::Select(int fileRow) {
    const int shown = model_->ShownRow(fileRow);
    if (shown < 0) return;
    const QModelIndex index = model_->index(shown, 0);
    list_->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    list_->scrollTo(index);
}

int TrainingPickerWindow::SelectedRow() const {
    if (model_ == nullptr) return -1;
    const QModelIndexList selected = list_->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : model_->FileRow(selected.first().row());
}

void TrainingPickerWindow::ShowSelected() {
    const int selected = SelectedRow();
    if (selected == previewed_) return;
    previewed_ = selected;
    load_->setEnabled(selected >= 0);
    if (selected < 0) {
        preview_->ShowNothing();
        title_->clear();
        return;
    }
    const PuzzleRow row = Puzzles().Row(selected);
    preview_->ShowPosition(row.fen);
    title_->setText(Text(row.puzzleNumber + " " + row.name));
}

void TrainingPickerWindow::ChooseSelected() {
    const int selected = SelectedRow();
    if (selected >= 0) emit puzzleChosen(selected);
}

bool TrainingPickerWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == search_ && IsListKey(key->key())) {
        QCoreApplication::sendEvent(list_, key);
        return true;
    }
    const bool typed = !key->text().isEmpty() && key->text().front().isPrint() &&
                       !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (watched == list_ && typed) {
        search_->setFocus();
        search_->insert(key->text());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tarvelle
