// make_assets ASSETS_DIR: draws the board picture, the 30 piece pictures and the program's icon
// and writes them as ASSETS_DIR/board.bmp, ASSETS_DIR/pieces/imgPiecesLarge(N).gif and, laid out
// as in the hicolor icon theme, ASSETS_DIR/icons/hicolor/*/apps/tarvelle.{svg,png}.
#include <QDir>
#include <QFontInfo>
#include <QGuiApplication>
#include <cstdio>

#include "tools/assets/asset_files.h"
#include "tools/assets/board_painter.h"
#include "tools/assets/colour_quantiser.h"
#include "tools/assets/icon_painter.h"
#include "tools/assets/piece_painter.h"
#include "tools/assets/style.h"
#include "tools/assets/text_outline.h"

namespace {

using namespace tarvelle::assets;

bool Fail(const QString& message) {
    std::fprintf(stderr, "make_assets: %s\n", qPrintable(message));
    return false;
}

// A substituted font would quietly change every character, so a missing one stops the run.
bool FontInstalled() {
    const QString wanted = QString::fromLatin1(style::kFontFamily);
    const QString found = QFontInfo(PictureFont(32)).family();
    if (found == wanted) return true;
    return Fail(QStringLiteral("font \"%1\" not found (got \"%2\"); install fonts-wqy-zenhei")
                    .arg(wanted, found));
}

bool WriteIcons(const QDir& theme) {
    const QString scalable = QStringLiteral("scalable/apps");
    if (!theme.mkpath(scalable) ||
        !WriteIconSvg(theme.filePath(scalable + QStringLiteral("/tarvelle.svg")))) {
        return Fail("cannot write the scalable icon in " + theme.path());
    }
    for (const int size : kIconSizes) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString path = theme.filePath(folder + QStringLiteral("/tarvelle.png"));
        if (!theme.mkpath(folder) || !PaintIcon(size).save(path, "PNG"))
            return Fail("cannot write " + path);
    }
    return true;
}

bool WriteAll(const QDir& assets) {
    const QString boardPath = assets.filePath(QStringLiteral("board.bmp"));
    if (!WriteBmp(Quantise(PaintBoard()), boardPath)) return Fail("cannot write " + boardPath);

    if (!assets.mkpath(QStringLiteral("pieces"))) return Fail("cannot create the pieces folder");
    const QDir pieces(assets.filePath(QStringLiteral("pieces")));
    for (int number = 0; number < kPiecePictureCount; ++number) {
        const QString path = pieces.filePath(QStringLiteral("imgPiecesLarge(%1).gif").arg(number));
        if (!WriteGif(Quantise(PaintPiecePicture(number)), path))
            return Fail("cannot write " + path);
    }
    return WriteIcons(QDir(assets.filePath(QStringLiteral("icons/hicolor"))));
}

}  // namespace

int main(int argc, char** argv) {
    // The pictures are drawn off screen; no display is needed or wanted.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_assets ASSETS_DIR\n");
        return 2;
    }
    const QDir assets(QString::fromLocal8Bit(argv[1]));
    if (!assets.exists()) {
        Fail(QStringLiteral("no folder %1").arg(assets.path()));
        return 1;
    }
    return FontInstalled() && WriteAll(assets) ? 0 : 1;
}
