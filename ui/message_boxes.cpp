#include "ui/message_boxes.h"

#include <QMessageBox>

namespace tarvelle {

namespace {

void ShowOkBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
               const QString& caption) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
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
