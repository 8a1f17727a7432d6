#include "ui/message_boxes.h"

#include <QMessageBox>

namespace tarvelle {

void ShowInformation(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
    box.exec();
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
