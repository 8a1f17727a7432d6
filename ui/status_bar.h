// A status bar split into parts of fixed widths, each showing one text. Parts that reach past the
// bar's right edge are cut off there.
#pragma once

#include <QLabel>
#include <QStatusBar>
#include <QString>
#include <initializer_list>
#include <vector>

namespace tarvelle {

struct StatusPart {
    int width = 0;
    QString text;
};

class PartedStatusBar final : public QStatusBar {
    Q_OBJECT

public:
    PartedStatusBar(std::initializer_list<StatusPart> parts, int height, QWidget* parent = nullptr);

    int PartCount() const { return static_cast<int>(parts_.size()); }
    // Out-of-range indexes write nothing and read the empty text.
    void SetPartText(int index, const QString& text);
    QString PartText(int index) const;

private:
    std::vector<QLabel*> parts_;
};

}  // namespace tarvelle
