#include "ui/message_boxes.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QMessageBox>

namespace tarvelle {

namespace {

// Qt names the standard buttons in the user's language, or in English; every text of the program
// is Chinese. A button's name drops the key that answers with it, so the key is given back.
void NameButton(QMessageBox& box, QMessageBox::StandardButton which, const QString& name,
                QKeySequence key = {}) {
    QAbstractButton* button = box.button(which);
    button->setText(name);
    if (!key.isEmpty()) button->setShortcut(key);
}

void ShowOkBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
               const QString& caption) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    NameButton(box, QMessageBox::Ok, QStringLiteral("确定"));
    box.exec();
}

}  // namespace

void ShowInformation(QWidget* parent, const QString& text, const QString& caption) {
    ShowOkBox(parent, QMessageBox::Information, text, caption);
}

void ShowPlainMessage(QWidget* parent, const QString& text, const QString& caption) {
    ShowOkBox(parent, QMessageBox::NoIcon, text, caption);
}

QuestionAnswer AskYesNo(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    NameButton(box, QMessageBox::Yes, QStringLiteral("是"), QKeySequence(Qt::Key_Y));
    NameButton(box, QMessageBox::No, QStringLiteral("否"), QKeySequence(Qt::Key_N));
    switch (box.exec()) {
        case QMessageBox::Yes:
            return QuestionAnswer::kYes;
        case QMessageBox::No:
            return QuestionAnswer::kNo;
        default:
            return QuestionAnswer::kDismissed;
    }
}

}  // namespace tarvelle
