#include "tools/assets/board_painter.h"

#include <QPainter>
#include <QRect>
#include <array>
#include <cmath>
#include <cstdint>

#include "tools/assets/style.h"
#include "tools/assets/text_outline.h"

namespace tarvelle::assets {
namespace {

// Pixel columns of files a..i and pixel rows of ranks 9..0, as the program's cells expect them.
constexpr std::array<int, 9> kFileX{33, 90, 147, 204, 261, 318, 375, 432, 489};
constexpr std::array<int, 10> kRankY{32, 89, 146, 203, 261, 318, 375, 432, 489, 546};
constexpr int kLastFile = 8;
constexpr int kLastRank = 9;
// The river lies between these two ranks (counted from the top).
constexpr int kRiverTop = 4;
constexpr int kRiverBottom = 5;

constexpr int kFrameWidth = 4;
// The frame's outer edge, and the left/top gap of three pixels to the doubled border lines.
constexpr QRect kFrameOuter{25, 24, 473, 531};

// The pixels a line drawn at `position` takes up: the edge and river lines are doubled away from
// the board's inside, so the listed position stays on the line.
struct Band {
    int start;
    int width;
};
Band FileBand(int file) {
    if (file == 0) return {kFileX[0] - 1, 2};
    if (file == kLastFile) return {kFileX[kLastFile], 2};
    return {kFileX[file], 1};
}
Band RankBand(int rank) {
    if (rank == 0 || rank == kRiverTop) return {kRankY[rank] - 1, 2};
    if (rank == kLastRank || rank == kRiverBottom) return {kRankY[rank], 2};
    return {kRankY[rank], 1};
}
int BandEnd(Band band) {
    return band.start + band.width - 1;
}

// A small deterministic jitter that keeps the grain's shades from forming bands.
double Jitter(int x, int y) {
    std::uint32_t h =
        static_cast<std::uint32_t>(x) * 73856093u ^ static_cast<std::uint32_t>(y) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return static_cast<double>(h & 0xFF) / 255.0 - 0.5;
}

// Long wavy grain running down the board, with a broad swell of light and shade.
QRgb WoodAt(int x, int y) {
    const double fx = x;
    const double fy = y;
    const double drift = fx + 9.0 * std::sin(fy / 53.0) + 4.0 * std::sin(fy / 17.0 + 1.3);
    const double grain =
        0.55 * std::sin(drift / 4.1) + 0.25 * std::sin(drift / 1.7 + 0.5 * std::sin(fy / 9.0));
    const double swell = 0.35 * std::sin(fx / 97.0 + 0.7) * std::sin(fy / 131.0 + 0.2);
    const double shade = style::kGrainDepth * (grain + swell) + 0.8 * Jitter(x, y);
    const auto channel = [shade](int base, double share) {
        return static_cast<int>(std::lround(std::clamp(base + shade * share, 0.0, 255.0)));
    };
    return qRgb(channel(qRed(style::kWood), 1.0), channel(qGreen(style::kWood), 0.85),
                channel(qBlue(style::kWood), 0.65));
}

void PaintWood(QImage& board) {
    for (int y = 0; y < board.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(board.scanLine(y));
        for (int x = 0; x < board.width(); ++x)
            line[x] = WoodAt(x, y);
    }
}

void PaintFrame(QPainter& painter) {
    const QColor ink(style::kInk);
    const QRect& o = kFrameOuter;
    painter.fillRect(QRect(o.left(), o.top(), kFrameWidth, o.height()), ink);
    painter.fillRect(QRect(o.right() - kFrameWidth + 1, o.top(), kFrameWidth, o.height()), ink);
    painter.fillRect(QRect(o.left(), o.top(), o.width(), kFrameWidth), ink);
    painter.fillRect(QRect(o.left(), o.bottom() - kFrameWidth + 1, o.width(), kFrameWidth), ink);
}

// Inner files stop at the river; the two edge files run through it.
void PaintGrid(QPainter& painter) {
    const QColor ink(style::kInk);
    const int top = RankBand(0).start;
    const int bottom = BandEnd(RankBand(kLastRank));
    const int left = FileBand(0).start;
    const int right = BandEnd(FileBand(kLastFile));
    for (int rank = 0; rank <= kLastRank; ++rank) {
        const Band band = RankBand(rank);
        painter.fillRect(QRect(left, band.start, right - left + 1, band.width), ink);
    }
    for (int file = 0; file <= kLastFile; ++file) {
        const Band band = FileBand(file);
        if (file == 0 || file == kLastFile) {
            painter.fillRect(QRect(band.start, top, band.width, bottom - top + 1), ink);
            continue;
        }
        const int riverTop = BandEnd(RankBand(kRiverTop));
        const int riverBottom = RankBand(kRiverBottom).start;
        painter.fillRect(QRect(band.start, top, band.width, riverTop - top + 1), ink);
        painter.fillRect(QRect(band.start, riverBottom, band.width, bottom - riverBottom + 1), ink);
    }
}

QPointF PointCentre(int file, int rank) {
    return {kFileX[file] + 0.5, kRankY[rank] + 0.5};
}

void PaintPalaces(QPainter& painter) {
    painter.setPen(QPen(QColor(style::kInk), style::kDiagonalWidth, Qt::SolidLine, Qt::FlatCap));
    for (const int topRank : {0, kLastRank - 2}) {
        painter.drawLine(PointCentre(3, topRank), PointCentre(5, topRank + 2));
        painter.drawLine(PointCentre(5, topRank), PointCentre(3, topRank + 2));
    }
}

// Pixels from a line at `position` towards `direction` (+1 or -1), after the gap, `length` long.
std::pair<int, int> MarkSpan(int position, int direction, int length) {
    const int first =
        direction > 0 ? position + 1 + style::kMarkGap : position - style::kMarkGap - length;
    return {first, length};
}

// Four corner marks around a point; at the board's edge only the two inside it.
void PaintPointMark(QPainter& painter, int file, int rank) {
    const QColor ink(style::kInk);
    const int x = kFileX[file];
    const int y = kRankY[rank];
    for (const int dx : {-1, 1}) {
        if ((file == 0 && dx < 0) || (file == kLastFile && dx > 0)) continue;
        for (const int dy : {-1, 1}) {
            const auto [armX, armWidth] = MarkSpan(x, dx, style::kMarkArm);
            const auto [stemX, stemWidth] = MarkSpan(x, dx, style::kMarkThickness);
            const auto [armY, armHeight] = MarkSpan(y, dy, style::kMarkArm);
            const auto [stemY, stemHeight] = MarkSpan(y, dy, style::kMarkThickness);
            painter.fillRect(QRect(armX, stemY, armWidth, stemHeight), ink);
            painter.fillRect(QRect(stemX, armY, stemWidth, armHeight), ink);
        }
    }
}

// Cannons start on files b and h of the third rank from each side, pawns on every other file of
// the fourth.
void PaintPointMarks(QPainter& painter) {
    for (const int rank : {2, kLastRank - 2}) {
        for (const int file : {1, 7})
            PaintPointMark(painter, file, rank);
    }
    for (const int rank : {3, kLastRank - 3}) {
        for (int file = 0; file <= kLastFile; file += 2)
            PaintPointMark(painter, file, rank);
    }
}

void PaintLabels(QPainter& painter) {
    const double aboveY = kFrameOuter.top() / 2.0;
    const double belowY = (kFrameOuter.bottom() + 1 + kBoardHeight - 1) / 2.0;
    const double leftX = kFrameOuter.left() / 2.0;
    const double rightX = (kFrameOuter.right() + 1 + kBoardWidth - 1) / 2.0;
    QPainterPath labels;
    for (int file = 0; file <= kLastFile; ++file) {
        const QString letter(QChar(u'a' + file));
        const double x = kFileX[file] + 0.5;
        labels.addPath(
            CentredText(letter, QStringLiteral("x"), style::kLabelPixelSize, {x, aboveY}));
        labels.addPath(
            CentredText(letter, QStringLiteral("x"), style::kLabelPixelSize, {x, belowY}));
    }
    for (int rank = 0; rank <= kLastRank; ++rank) {
        const QString digit = QString::number(kLastRank - rank);
        const double y = kRankY[rank] + 0.5;
        labels.addPath(CentredText(digit, QStringLiteral("0"), style::kLabelPixelSize, {leftX, y}));
        labels.addPath(
            CentredText(digit, QStringLiteral("0"), style::kLabelPixelSize, {rightX, y}));
    }
    painter.fillPath(labels, QColor(style::kInk));
}

}  // namespace

QImage PaintBoard() {
    QImage board(kBoardWidth, kBoardHeight, QImage::Format_RGB32);
    PaintWood(board);
    QPainter painter(&board);
    PaintFrame(painter);
    PaintGrid(painter);
    PaintPointMarks(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    PaintPalaces(painter);
    PaintLabels(painter);
    painter.end();
    return board;
}

}  // namespace tarvelle::assets
