#include "ui/edit_box.h"

#include <QPalette>

namespace tarvelle {

QPlainTextEdit* CreateEditBox(QWidget& parent, const QString& name, const QRect& geometry,
                              const QString& text) {
    auto* box = new QPlainTextEdit(text, &parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A one-line box is only 24 pixels high: a thin frame and margin leave room for a text line.
    box->setFrameShape(QFrame::Box);
    box->setLineWidth(1);
    box->document()->setDocumentMargin(2);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, Qt::black);
    box->setPalette(colours);
    return box;
}

}  // namespace tarvelle
