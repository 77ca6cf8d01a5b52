#include "support/MainWindowFixture.h"
#include "ui/about/frmAbout.h"
#include "ui/start/frmStart.h"

#include <QMenu>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;
using Captions = MainWindowFixture;

// What a window shows, in the order it was made: its title, then each menu, menu item and
// button with its caption (the access key after "&"), shortcut and tool tip.
std::string shownCaptions(const QWidget* window)
{
    QStringList rows{window->objectName() + u": "_s + window->windowTitle()};
    for (const QObject* child : window->findChildren<QObject*>()) {
        if (child->objectName().isEmpty())
            continue; // the toolkit's own parts
        QString row = child->objectName() + u": "_s;
        if (const auto* menu = qobject_cast<const QMenu*>(child))
            row += menu->title();
        else if (const auto* item = qobject_cast<const QAction*>(child);
                 item && !item->isSeparator())
            row += item->text() + u" "_s + item->shortcut().toString();
        else if (const auto* button = qobject_cast<const QPushButton*>(child))
            row += button->text() + u" "_s + button->toolTip();
        else
            continue;
        rows.append(row.trimmed());
    }
    return rows.join(u'\n').toStdString();
}

TEST_F(Captions, OfEveryMenuAndButtonAsShown)
{
    // clang-format off
    const char* const expected[] = {
        "frmMain: Quorvel   Ver. 2.2.1     by Veskard",
        "cmdTrans: &Translate Translate escape codes",
        "cmdClear: &Clear Clear URL boxes",
        "cmdClip: Co&py Copy Translated URL to Clipboard",
        "cmdNavigate: &Goto URL Goto URL in bottom box",
        "cmdExit: E&xit Exit program",
        "mnuFile: &File",
        "mnuFileTranslate: &Translate Ctrl+T",
        "mnuFileNavigate: &Goto URL Ctrl+G",
        "mnuFileClear: &Blank (Clear) Fields Ctrl+B",
        "mnuFileClipboard: Co&py Translated URL to clipboard Ctrl+P",
        "mnuFileExit: E&xit",
        "mnuOptions: &Options",
        "mnuOptionsKeepOnTop: Keep on top",
        "mnuOptionsBringToTopOnDrag: Bring to top on drop",
        "mnuOptionsTransOnDrop: Auto translate on drop",
        "mnuOptionsTransOnChange: Auto translate on change",
        "mnuOptionsShowDropIconForTextOnly: Only allow drag and drop for text links",
        "mnuOptionRemTrailing: Remove trailing characters ');",
        "mnuOptionSetRemTrailing: Define trailing characters to remove",
        "mnuOptionsDynTrans: Perform translation dynamically",
        "mnuOptionsPreDef: Perform translation with predefined characters",
        "mnuHelp: &Help",
        "mnuHelpHistory: &History",
        "mnuHelpAbout: &About Ctrl+A",
        "mnuHelpDirs: &Directions F1",
        "mnuHelpVisit: &Visit my Web Site",
        "frmStart: Quorvel   Ver. 2.2.1     by Veskard",
        "cmdOK: OK",
        "cmdExit: Exit",
        "frmAbout: About quorvel_ui_tests",
        "cmdOK: OK",
        "cmdSysInfo: &System Info...",
    };
    // clang-format on
    const std::string mainWindow = shownCaptions(window); // before the About box, its child
    ui::frmStart start(fakes.services, forms);
    start.Form_Load();
    ui::frmAbout about(fakes.services, window);
    about.Form_Load();
    EXPECT_EQ(mainWindow + '\n' + shownCaptions(&start) + '\n' + shownCaptions(&about),
              QStringList(std::begin(expected), std::end(expected)).join(u'\n').toStdString());
}

} // namespace
} // namespace quorvel::test
