#include "ui/status_bar.h"

namespace tarvelle {

// The parts are placed by hand rather than added to the bar's layout: the layout would widen the
// window to fit parts that are meant to be cut off at its edge.
PartedStatusBar::PartedStatusBar(std::initializer_list<StatusPart> parts, int height,
                                 QWidget* parent)
    : QStatusBar(parent) {
    setSizeGripEnabled(false);
    setFixedHeight(height);
    int left = 0;
    for (const StatusPart& part : parts) {
        auto* label = new QLabel(part.text, this);
        label->setGeometry(left, 0, part.width, height);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setIndent(2);
        parts_.push_back(label);
        left += part.width;
    }
}

void PartedStatusBar::SetPartText(int index, const QString& text) {
    if (index < 0 || index >= PartCount()) return;
    parts_[static_cast<std::size_t>(index)]->setText(text);
}

QString PartedStatusBar::PartText(int index) const {
    if (index < 0 || index >= PartCount()) return {};
    return parts_[static_cast<std::size_t>(index)]->text();
}

}  // namespace tarvelle
