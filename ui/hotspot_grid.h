// Invisible click targets over the 56 x 56 cells of a board or palette panel. Each is a caption-
// less clone of a prototype label and carries the number of its cell as its tag; every clone of
// one prototype reports to the same pair of signals, which hand on the tag of the clicked clone.
#pragma once

#include <QLabel>
#include <QObject>
#include <QString>
#include <span>
#include <vector>

namespace tarvelle {

// The dynamic property that holds a hot-spot's tag as decimal text ("-1" on a prototype).
inline constexpr char kTagProperty[] = "tag";

struct HotspotPlace {
    int left = 0;
    int top = 0;
    int tag = 0;
};

// The 90 board cells in reading order from the top-left; the tag is the cell number.
std::vector<HotspotPlace> BoardHotspotPlaces();

// The 32 palette cells, rows created from the bottom of the panel upwards; the tags fill the
// lower half from the bottom up and the upper half from the top down.
std::vector<HotspotPlace> PaletteHotspotPlaces();

// A visible 56 x 56 label captioned "透-1" with the tag "-1" at `topLeft` of `panel`. It is put
// where the panel does not show it, so it only serves as the pattern of the clones.
QLabel* CreatePrototypeLabel(QWidget& panel, const QString& name, QPoint topLeft);

class HotspotGrid final : public QObject {
    Q_OBJECT

public:
    // Clones `prototype` once per place, on the prototype's panel; the grid lives as long as
    // the prototype.
    HotspotGrid(QLabel& prototype, std::span<const HotspotPlace> places);

signals:
    void leftPressed(int tag);
    void rightPressed(int tag);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace tarvelle
