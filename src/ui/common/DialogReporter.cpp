#include "ui/common/DialogReporter.h"

#include "ui/common/TextConversion.h"

namespace quorvel::ui {

void DialogReporter::message(const std::u16string& text, const std::u16string& title,
                             MessageStyle style)
{
    if (beforeMessage_)
        beforeMessage_();
    dialogs_.messageBox(toQString(text), toQString(title), style);
}

} // namespace quorvel::ui
