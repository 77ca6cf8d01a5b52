#include "ui/common/ErrorHandler.h"

#include "engine/Reporter.h"

namespace quorvel::ui {

QString toQString(const std::u16string& text)
{
    return QString::fromStdU16String(text);
}

std::u16string toU16(const QString& text)
{
    return text.toStdU16String();
}

void reportRuntimeError(platform::Dialogs& dialogs, const RuntimeError& error, const QString& title)
{
    dialogs.messageBox(toQString(errorMessageText(error)), title, kStyleCritical);
}

} // namespace quorvel::ui
