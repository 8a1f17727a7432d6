#include "tools/assets/text_outline.h"

#include "tools/assets/style.h"

namespace tarvelle::assets {

QFont PictureFont(int pixelSize) {
    QFont font(QString::fromLatin1(style::kFontFamily));
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QPainterPath CentredText(const QString& text, const QString& heightReference, int pixelSize,
                         QPointF centre) {
    const QFont font = PictureFont(pixelSize);
    QPainterPath path;
    path.addText(0, 0, font, text);
    QPainterPath reference;
    reference.addText(0, 0, font, heightReference);
    const double dx = centre.x() - path.boundingRect().center().x();
    const double dy = centre.y() - reference.boundingRect().center().y();
    return path.translated(dx, dy);
}

}  // namespace tarvelle::assets
