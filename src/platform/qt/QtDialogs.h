#pragma once

#include "platform/Dialogs.h"

namespace quorvel::platform {

// QMessageBox and QInputDialog, modal over the active window.
class QtDialogs : public Dialogs {
public:
    void messageBox(const QString& text, const QString& title, MessageStyle style) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
};

} // namespace quorvel::platform
