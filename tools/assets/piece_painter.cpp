#include "tools/assets/piece_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <array>

#include "tools/assets/style.h"
#include "tools/assets/text_outline.h"

namespace tarvelle::assets {
namespace {

constexpr QPointF kCentre{kPieceSize / 2.0, kPieceSize / 2.0};
constexpr int kSelectedOffset = 15;
constexpr int kKindsPerSide = 7;
constexpr QRgb kWhite = qRgb(255, 255, 255);
// What a drawn pixel that happens to come out pure white is changed to.
constexpr QRgb kNearWhite = qRgb(254, 254, 254);

// King, advisor, elephant, horse, chariot, cannon, pawn.
constexpr std::array<char16_t, kKindsPerSide> kRedCharacters{u'帥', u'仕', u'相', u'傌',
                                                             u'俥', u'炮', u'兵'};
constexpr std::array<char16_t, kKindsPerSide> kBlackCharacters{u'將', u'士', u'象', u'馬',
                                                               u'車', u'砲', u'卒'};

QPainterPath Circle(double radius) {
    QPainterPath path;
    path.addEllipse(kCentre, radius, radius);
    return path;
}

QPainterPath SelectionRing() {
    const double half = style::kSelectionWidth / 2.0;
    return Circle(style::kSelectionRadius + half) - Circle(style::kSelectionRadius - half);
}

// Which pixels the shape touches at all, as antialiasing would draw it.
QImage Footprint(const QPainterPath& shape) {
    QImage mask(kPieceSize, kPieceSize, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(shape, Qt::black);
    return mask;
}

}  // namespace

void PaintPiece(QPainter& painter, int kind) {
    const bool red = kind <= kKindsPerSide;
    const int type = (kind - 1) % kKindsPerSide;
    const QColor ink(red ? style::kRedInk : style::kBlackInk);

    painter.fillPath(Circle(style::kDiscRadius), QColor(style::kRim));
    QRadialGradient face(kCentre - QPointF(5, 6), style::kFaceRadius * 1.3);
    face.setColorAt(0, QColor(style::kFaceLight));
    face.setColorAt(1, QColor(style::kFaceShade));
    painter.fillPath(Circle(style::kFaceRadius), face);

    painter.strokePath(Circle(style::kEngravingRadius), QPen(ink, style::kEngravingWidth));

    const QString character(QChar(red ? kRedCharacters[type] : kBlackCharacters[type]));
    const QPainterPath glyph =
        CentredText(character, character, style::kCharacterPixelSize, kCentre);
    painter.fillPath(glyph, ink);
    painter.strokePath(glyph, QPen(ink, style::kCharacterOutline));
}

QImage PaintPiecePicture(int number) {
    const int kind = number % kSelectedOffset;
    const bool selected = number >= kSelectedOffset;

    // Drawn over the board's wood so that antialiased edges blend into what the colour key lets
    // show; only then is everything outside the shape keyed out.
    QImage canvas(kPieceSize, kPieceSize, QImage::Format_RGB32);
    canvas.fill(QColor(style::kWood));
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    if (kind != 0) PaintPiece(painter, kind);
    if (selected) painter.fillPath(SelectionRing(), QColor(style::kSelection));
    painter.end();

    QImage picture(kPieceSize, kPieceSize, QImage::Format_RGB32);
    picture.fill(QColor(kWhite));
    if (kind == 0 && !selected) return picture;
    const QImage footprint = Footprint(kind != 0 ? Circle(style::kDiscRadius) : SelectionRing());
    for (int y = 0; y < kPieceSize; ++y) {
        for (int x = 0; x < kPieceSize; ++x) {
            if (qAlpha(footprint.pixel(x, y)) == 0) continue;
            const QRgb colour = canvas.pixel(x, y);
            picture.setPixel(x, y, colour == kWhite ? kNearWhite : colour);
        }
    }
    return picture;
}

}  // namespace tarvelle::assets
