#pragma once

#include "platform/Services.h"

#include <QString>

namespace quorvel::ui {

// Advice lines of the shell error box, one per kind of target.
inline const QString kUrlAdvice =
    QStringLiteral("Make sure the URL is valid and you have a working, default browser!");
inline const QString kBrowserAdvice =
    QStringLiteral("Make sure you have a working, default browser!");
inline const QString kEmailAdvice =
    QStringLiteral("Make sure you have a working, default email program!");

// Opens target with the user's default handler. When the shell refuses
// (result 32 or below) the fixed error box with adviceLine is shown and
// false is returned.
bool OpenWithShell(platform::Services& services, const QString& target, const QString& adviceLine);

} // namespace quorvel::ui
