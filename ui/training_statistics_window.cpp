#include "ui/training_statistics_window.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <chrono>

#include "ui/window_frame.h"

namespace tarvelle {
namespace {

constexpr QSize kChartsSize(920, 640);
constexpr QSize kNothingSize(320, 64);
// What the window frame adds, as on the program's other windows.
constexpr QSize kFrameSize(3, 27);
const QColor kTriedColour(144, 164, 174);
const QColor kSolvedColour(46, 125, 50);
const QColor kCleanColour(21, 101, 192);

QBarSet* Bars(const QString& name, const QColor& colour) {
    auto* bars = new QBarSet(name);
    bars->setColor(colour);
    bars->setBorderColor(colour);
    return bars;
}

// A bar chart of `sets` over `categories`, its value axis from 0 to `top` (at least 1).
QChartView* BarChart(const QString& title, const QStringList& categories,
                     const QList<QBarSet*>& sets, qreal top, const QString& valueFormat,
                     QWidget* parent) {
    auto* chart = new QChart();
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* series = new QBarSeries(chart);
    series->append(sets);
    chart->addSeries(series);
    auto* categoryAxis = new QBarCategoryAxis(chart);
    categoryAxis->append(categories);
    chart->addAxis(categoryAxis, Qt::AlignBottom);
    series->attachAxis(categoryAxis);
    auto* valueAxis = new QValueAxis(chart);
    valueAxis->setRange(0, std::max<qreal>(top, 1));
    valueAxis->setLabelFormat(valueFormat);
    chart->addAxis(valueAxis, Qt::AlignLeft);
    series->attachAxis(valueAxis);
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

QChartView* DailyChart(const TrainingStatistics& statistics, QWidget* parent) {
    QStringList days;
    QBarSet* tried = Bars(QStringLiteral("做过"), kTriedColour);
    QBarSet* solved = Bars(QStringLiteral("解出"), kSolvedColour);
    int most = 0;
    for (const DayActivity& day : statistics.days) {
        days << QString::number(static_cast<unsigned>(std::chrono::year_month_day(day.day).day()));
        *tried << day.tried;
        *solved << day.solved;
        most = std::max(most, day.tried);
    }
    const QString title =
        QStringLiteral("近%1天每日题数（%2 至 %3）")
            .arg(kStatisticsDays)
            .arg(QString::fromStdString(MonthDayText(statistics.days.front().day)),
                 QString::fromStdString(MonthDayText(statistics.days.back().day)));
    QChartView* view = BarChart(title, days, {tried, solved}, most, QStringLiteral("%d"), parent);
    // Ticks on whole puzzles: one a puzzle while the counts are small.
    auto* axis = qobject_cast<QValueAxis*>(view->chart()->axes(Qt::Vertical).front());
    if (most <= 5) {
        axis->setTickCount(std::max(most, 1) + 1);
    } else {
        axis->applyNiceNumbers();
    }
    return view;
}

// Solved and clean shares in percent, one pair of bars per group.
template <typename Group>
QChartView* RateChart(const QString& title,
                      const std::vector<std::pair<Group, SuccessCount>>& groups,
                      const auto& groupName, QWidget* parent) {
    QStringList names;
    QBarSet* solved = Bars(QStringLiteral("解出"), kSolvedColour);
    QBarSet* clean = Bars(QStringLiteral("无误"), kCleanColour);
    for (const auto& [group, count] : groups) {
        names << groupName(group);
        *solved << 100.0 * count.solved / count.attempts;
        *clean << 100.0 * count.clean / count.attempts;
    }
    return BarChart(title, names, {solved, clean}, 100, QStringLiteral("%d%%"), parent);
}

QLabel* Line(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromUtf8(name));
    return label;
}

QString SummaryText(const TrainingStatistics& statistics) {
    QString text = QStringLiteral("连续解题：%1 天　　共做 %2 次　　复习：")
                       .arg(statistics.streak)
                       .arg(statistics.attemptCount);
    for (int box = 0; box < kReviewBoxes; ++box) {
        text += QStringLiteral("　第%1箱 %2")
                    .arg(box + 1)
                    .arg(statistics.reviewBoxes[static_cast<std::size_t>(box)]);
    }
    return text;
}

}  // namespace

TrainingStatisticsWindow::TrainingStatisticsWindow(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("练习统计"));
    setModal(true);
}

void TrainingStatisticsWindow::ShowStatistics(const TrainingStatistics& statistics) {
    auto* layout = new QVBoxLayout(this);
    if (statistics.attemptCount == 0) {
        layout->addWidget(Line(QStringLiteral("还没有练习记录。"), "标签_统计", this), 0,
                          Qt::AlignCenter);
        SetFixedFrame(*this, kNothingSize, kNothingSize + kFrameSize);
        return;
    }
    SetFixedFrame(*this, kChartsSize, kChartsSize + kFrameSize);
    layout->addWidget(Line(SummaryText(statistics), "标签_统计", this));
    layout->addWidget(DailyChart(statistics, this), 1);
    auto* rates = new QHBoxLayout();
    layout->addLayout(rates, 1);
    if (statistics.byLength.empty()) {
        rates->addWidget(
            Line(QStringLiteral("做过的题都没有存解法，不知步数。"), "标签_步数", this));
    } else {
        rates->addWidget(RateChart(
            QStringLiteral("按步数的成功率"), statistics.byLength,
            [](int length) { return QStringLiteral("%1步").arg(length); }, this));
    }
    if (statistics.byTheme.empty()) {
        rates->addWidget(Line(QStringLiteral("做过的题没有标注杀法。"), "标签_杀法", this), 0,
                         Qt::AlignCenter);
    } else {
        rates->addWidget(RateChart(
            QStringLiteral("按杀法的成功率"), statistics.byTheme,
            [](const std::string& theme) { return QString::fromStdString(theme); }, this));
    }
}

}  // namespace tarvelle
