#include "ui/engine_settings_dialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <algorithm>
#include <climits>
#include <cmath>

#include "engine/search_commands.h"
#include "game/side_choice.h"

namespace tarvelle {

namespace {

// The combo boxes' entries, in the order of the choices' values.
const char* const kProtocolNames[] = {"自动", "UCCI", "UCI"};
const char* const kRankNames[] = {"自动", "0–9", "1–10"};

QComboBox* CreateChoice(QWidget* parent, const char* const* names, int count) {
    auto* choice = new QComboBox(parent);
    for (int i = 0; i < count; ++i)
        choice->addItem(QString::fromUtf8(names[i]));
    return choice;
}

QSpinBox* CreateCount(QWidget* parent, int maximum) {
    auto* count = new QSpinBox(parent);
    count->setRange(0, maximum);
    count->setSpecialValueText(QStringLiteral("引擎默认"));
    return count;
}

}  // namespace

EngineSettingsDialog::EngineSettingsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("引擎设置"));
    setWindowTitle(QStringLiteral("引擎设置"));
    auto* form = new QFormLayout(this);
    form->setSizeConstraint(QLayout::SetFixedSize);

    path_ = new QLineEdit(this);
    path_->setObjectName(QStringLiteral("引擎文件"));
    path_->setPlaceholderText(QStringLiteral("程序目录中的 EEYE.dll"));
    path_->setMinimumWidth(320);
    auto* browse = new QPushButton(QStringLiteral("浏览…"), this);
    connect(browse, &QPushButton::clicked, this, &EngineSettingsDialog::ChooseEngineFile);
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_);
    pathRow->addWidget(browse);
    form->addRow(QStringLiteral("引擎文件："), pathRow);

    protocol_ = CreateChoice(this, kProtocolNames, 3);
    protocol_->setObjectName(QStringLiteral("协议"));
    form->addRow(QStringLiteral("协议："), protocol_);
    ranks_ = CreateChoice(this, kRankNames, 3);
    ranks_->setObjectName(QStringLiteral("行号"));
    form->addRow(QStringLiteral("UCI 行号："), ranks_);

    threads_ = CreateCount(this, 1024);
    threads_->setObjectName(QStringLiteral("线程数"));
    form->addRow(QStringLiteral("线程数："), threads_);
    hash_ = CreateCount(this, 1 << 20);
    hash_->setObjectName(QStringLiteral("哈希表"));
    hash_->setSuffix(QStringLiteral(" MB"));
    form->addRow(QStringLiteral("哈希表："), hash_);

    byNodes_ = new QRadioButton(QStringLiteral("每步局面数"), this);
    byNodes_->setObjectName(QStringLiteral("每步局面数"));
    nodes_ = new QSpinBox(this);
    nodes_->setObjectName(QStringLiteral("局面数"));
    nodes_->setRange(1, INT_MAX);
    nodes_->setGroupSeparatorShown(true);
    form->addRow(byNodes_, nodes_);
    bySeconds_ = new QRadioButton(QStringLiteral("每步秒数"), this);
    bySeconds_->setObjectName(QStringLiteral("每步秒数"));
    seconds_ = new QDoubleSpinBox(this);
    seconds_->setObjectName(QStringLiteral("秒数"));
    seconds_->setRange(0.1, 3600);
    seconds_->setDecimals(1);
    seconds_->setSingleStep(0.5);
    form->addRow(bySeconds_, seconds_);
    // Each limit's box is used only while its button is chosen.
    connect(byNodes_, &QRadioButton::toggled, nodes_, &QSpinBox::setEnabled);
    connect(bySeconds_, &QRadioButton::toggled, seconds_, &QDoubleSpinBox::setEnabled);

    ponder_ = new QCheckBox(QStringLiteral("后台思考（轮到用户走棋时引擎也思考）"), this);
    ponder_->setObjectName(QStringLiteral("后台思考"));
    form->addRow(ponder_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);

    ShowSettings({});
}

void EngineSettingsDialog::ShowSettings(const EngineSettings& settings) {
    path_->setText(QString::fromStdString(settings.path));
    protocol_->setCurrentIndex(static_cast<int>(settings.protocol));
    ranks_->setCurrentIndex(static_cast<int>(settings.ranks));
    threads_->setValue(settings.threads);
    hash_->setValue(settings.hashMegabytes);
    const SearchLimit limit = settings.limit.value_or(
        SearchLimit{.kind = SearchLimit::Kind::Nodes, .amount = NodeBudget(kAnsweredSearchLevel)});
    const bool byTime = limit.kind == SearchLimit::Kind::Milliseconds;
    byNodes_->setChecked(!byTime);
    bySeconds_->setChecked(byTime);
    nodes_->setEnabled(!byTime);
    seconds_->setEnabled(byTime);
    if (byTime) {
        seconds_->setValue(static_cast<double>(limit.amount) / 1000.0);
    } else {
        nodes_->setValue(static_cast<int>(std::min<std::int64_t>(limit.amount, INT_MAX)));
    }
    ponder_->setChecked(settings.ponder);
}

EngineSettings EngineSettingsDialog::Settings() const {
    EngineSettings settings;
    settings.path = path_->text().trimmed().toStdString();
    settings.protocol = static_cast<ProtocolChoice>(protocol_->currentIndex());
    settings.ranks = static_cast<RankChoice>(ranks_->currentIndex());
    settings.threads = threads_->value();
    settings.hashMegabytes = hash_->value();
    settings.limit = bySeconds_->isChecked()
                         ? SearchLimit{.kind = SearchLimit::Kind::Milliseconds,
                                       .amount = std::llround(seconds_->value() * 1000)}
                         : SearchLimit{.kind = SearchLimit::Kind::Nodes, .amount = nodes_->value()};
    settings.ponder = ponder_->isChecked();
    return settings;
}

void EngineSettingsDialog::ChooseEngineFile() {
    const QString chosen =
        QFileDialog::getOpenFileName(this, QStringLiteral("选择引擎文件"), path_->text());
    if (!chosen.isEmpty()) path_->setText(chosen);
}

}  // namespace tarvelle
