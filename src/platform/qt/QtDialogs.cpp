#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

namespace quorvel::platform {

namespace {

QMessageBox::Icon iconForStyle(MessageStyle style)
{
    switch (style) {
    case MessageStyle::Plain:
        return QMessageBox::NoIcon;
    case MessageStyle::Critical:
        return QMessageBox::Critical;
    case MessageStyle::Exclamation:
        return QMessageBox::Warning;
    case MessageStyle::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void QtDialogs::messageBox(const QString& text, const QString& title, MessageStyle style)
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
