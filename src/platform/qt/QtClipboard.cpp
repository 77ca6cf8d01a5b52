#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace quorvel::platform {

void QtClipboard::clear()
{
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
}

void QtClipboard::setText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text, QClipboard::Clipboard);
}

} // namespace quorvel::platform
