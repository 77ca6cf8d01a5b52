// Go to URL and Copy: the two ways the translated URL leaves the program.
#include "engine/ErrorHandler.h"
#include "engine/Text.h"
#include "ui/actions/OpenWithShell.h"
#include "ui/common/TextConversion.h"
#include "ui/main/UrlBox.h"
#include "ui/main/frmMain.h"

namespace quorvel::ui {

namespace {

constexpr std::size_t kShortestUrl = 5;

} // namespace

void frmMain::cmdNavigate_Click()
{
    withErrorHandler(reporter_, u"cmdNavigate_Click", [this] {
        // Only U+0020 counts as a blank; tabs and line breaks are text.
        if (trimBlanks(toU16(txtGoodURL->text())).size() < kShortestUrl) {
            services_.dialogs.messageBox(txtGoodURL->text() +
                                             QStringLiteral("\r\nis not a valid URL"),
                                         QStringLiteral("Warning"), MessageStyle::Exclamation);
            return;
        }
        OpenWithShell(services_, txtGoodURL->text(), kUrlAdvice);
    });
}

void frmMain::cmdClip_Click()
{
    withErrorHandler(reporter_, u"cmdClip_Click", [this] {
        if (txtGoodURL->text().isEmpty()) {
            services_.dialogs.messageBox(QStringLiteral("Nothing to place in clipboard"),
                                         QStringLiteral("Nothing to do"),
                                         MessageStyle::Information);
            return;
        }
        services_.clipboard.clear();
        services_.clipboard.setText(txtGoodURL->text());
    });
}

} // namespace quorvel::ui
