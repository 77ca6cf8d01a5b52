#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace quorvel::platform {

namespace {

QMessageBox::Icon iconForStyle(int style)
{
    switch (style & 0x70) {
    case 16:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case 64:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

void QtDialogs::messageBox(const QString& text, const QString& title, int style)
{
    QMessageBox box(iconForStyle(style), title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setObjectName(QStringLiteral("quorvelMessageBox"));
    // Texts use CR LF line breaks; a CR of its own would show as a box glyph.
    box.setText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    box.exec();
}

QString QtDialogs::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool accepted = false;
    const QString entry = QInputDialog::getText(QApplication::activeWindow(), title, prompt,
                                                QLineEdit::Normal, defaultText, &accepted);
    return accepted ? entry : QString();
}

} // namespace quorvel::platform
