// Qt's own texts, such as an edit box's context menu or a scroll bar's, in Chinese like the rest of
// the program, whatever the user's locale.
#pragma once

#include <QCoreApplication>

namespace tarvelle {

// Installs Qt's Chinese translation (Debian's qt6-translations-l10n) into `application`. False
// when it is not installed; Qt's texts then stay in English.
bool LoadQtChineseTexts(QCoreApplication& application);

}  // namespace tarvelle
