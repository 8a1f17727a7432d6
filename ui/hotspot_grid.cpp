#include "ui/hotspot_grid.h"

#include <QMouseEvent>
#include <array>

#include "board/cell_geometry.h"

namespace tarvelle {
namespace {

constexpr std::array kPaletteColumnLefts = {8, 64, 120, 176};
constexpr std::array kPaletteRowTops = {400, 344, 288, 232, 176, 120, 64, 8};
constexpr std::array kPaletteTags = {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                     11, 12, 13, 14, 15, 28, 29, 30, 31, 24, 25,
                                     26, 27, 20, 21, 22, 23, 16, 17, 18, 19};
static_assert(kPaletteTags.size() == kPaletteColumnLefts.size() * kPaletteRowTops.size());

}  // namespace

std::vector<HotspotPlace> BoardHotspotPlaces() {
    std::vector<HotspotPlace> places;
    for (int cell = 0; cell < kBoardCells; ++cell)
        places.push_back({CellLeft(cell), CellTop(cell), cell});
    return places;
}

std::vector<HotspotPlace> PaletteHotspotPlaces() {
    std::vector<HotspotPlace> places;
    std::size_t entry = 0;
    for (const int top : kPaletteRowTops) {
        for (const int left : kPaletteColumnLefts)
            places.push_back({left, top, kPaletteTags[entry++]});
    }
    return places;
}

QLabel* CreatePrototypeLabel(QWidget& panel, const QString& name, QPoint topLeft) {
    auto* prototype = new QLabel(QStringLiteral("透-1"), &panel);
    prototype->setObjectName(name);
    prototype->setProperty(kTagProperty, QStringLiteral("-1"));
    prototype->setGeometry(QRect(topLeft, QSize(kCellSize, kCellSize)));
    prototype->show();
    return prototype;
}

HotspotGrid::HotspotGrid(QLabel& prototype, std::span<const HotspotPlace> places)
    : QObject(&prototype) {
    QWidget* panel = prototype.parentWidget();
    for (const HotspotPlace& place : places) {
        auto* hotspot = new QLabel(panel);
        hotspot->setFont(prototype.font());
        hotspot->setAlignment(prototype.alignment());
        hotspot->setProperty(kTagProperty, QString::number(place.tag));
        hotspot->setGeometry(QRect(QPoint(place.left, place.top), prototype.size()));
        hotspot->installEventFilter(this);
        hotspot->show();
    }
}

// A quick second click arrives as a double click; it is a press on the cell all the same.
bool HotspotGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    const int tag = watched->property(kTagProperty).toString().toInt();
    switch (static_cast<QMouseEvent*>(event)->button()) {
        case Qt::LeftButton:
            emit leftPressed(tag);
            return true;
        case Qt::RightButton:
            emit rightPressed(tag);
            return true;
        default:
            return false;
    }
}

}  // namespace tarvelle
