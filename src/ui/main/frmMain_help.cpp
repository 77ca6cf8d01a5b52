#include "engine/ErrorHandler.h"
#include "ui/about/frmAbout.h"
#include "ui/actions/HelpTexts.h"
#include "ui/actions/OpenWithShell.h"
#include "ui/common/Forms.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QPointer>

namespace quorvel::ui {

void frmMain::mnuHelpHistory_Click()
{
    services_.dialogs.messageBox(historyText(), kHistoryTitle, MessageStyle::Information);
}

void frmMain::mnuHelpDirs_Click()
{
    services_.dialogs.messageBox(directionsText(), kDirectionsTitle, MessageStyle::Information);
}

void frmMain::mnuHelpVisit_Click()
{
    withErrorHandler(reporter_, u"mnuHelpVisit_Click",
                     [this] { OpenWithShell(services_, kAuthorWebSite, kBrowserAdvice); });
}

void frmMain::mnuHelpAbout_Click()
{
    withErrorHandler(reporter_, u"mnuHelpAbout_Click", [this] {
        // The box is an ordinary window: a topmost owner could cover it.
        if (mnuOptionsKeepOnTop->isChecked())
            KeepOnTop(false);
        QPointer<frmAbout> about = new frmAbout(services_, this, appInfo_);
        forms_.load(about);
        about->Form_Load();
        about->exec();
        if (mnuOptionsKeepOnTop->isChecked())
            KeepOnTop(true);
    });
}

} // namespace quorvel::ui
