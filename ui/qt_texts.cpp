#include "ui/qt_texts.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace tarvelle {

bool LoadQtChineseTexts(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace tarvelle
