// The statistics window (练习统计): the puzzles tried and solved on each of the last days, the
// success rate by length and by mating pattern, the streak of days with a solve and the review
// boxes, drawn with Qt Charts from figures worked out in game/.
#pragma once

#include <QDialog>

#include "game/training_statistics.h"

namespace tarvelle {

class TrainingStatisticsWindow final : public QDialog {
    Q_OBJECT

public:
    explicit TrainingStatisticsWindow(QWidget* parent = nullptr);

    // Fills the window, once: the charts, or one line saying there is nothing yet when no attempt
    // was ever made.
    void ShowStatistics(const TrainingStatistics& statistics);
};

}  // namespace tarvelle
