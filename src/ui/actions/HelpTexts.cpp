#include "ui/actions/HelpTexts.h"

#include <QStringList>

namespace quorvel::ui {

namespace {

const QString kBreak = QStringLiteral("\r\n");
const QString kTwoBreaks = kBreak + kBreak;
const QString kIndent = QStringLiteral("    ");

} // namespace

QString directionsText()
{
    return QStringLiteral("Some URLs end up looking like the following...") + kBreak + kIndent +
           kExampleRedirectLink + kTwoBreaks + QStringLiteral("This program turns it into") +
           kBreak + kIndent + kExampleTarget + kBreak +
           QStringLiteral("by translating all the escape codes.") + kTwoBreaks +
           QStringLiteral("Auto Translate on Drop: Automatically perform translation when a URL "
                          "from the browser address box or a link from a web page is dropped in "
                          "the top box.  You can drag a URL from the Internet Explorer Address "
                          "box.") +
           kTwoBreaks +
           QStringLiteral("Auto Translate on Change: Automatically perform translation every time "
                          "a change is made in the top box.") +
           kTwoBreaks +
           QStringLiteral("Bring to Top on Drop: Bring form to top when link dropped in top box.") +
           kTwoBreaks +
           QStringLiteral("Translation with Predefined Characters (original method) translates a "
                          "set of recognized codes.  The Dynamic option (new) tries to convert "
                          "every two character codes after a percent sign.") +
           kTwoBreaks +
           QStringLiteral("See the text file or my web site for additional information.") +
           kTwoBreaks;
}

QString historyText()
{
    struct Release {
        const char* heading;
        const char* description;
    };
    static constexpr Release kReleases[] = {
        {"2006Jan06  Ver 2.2.1", "  Update URL from old site to new."},
        {"2004Dec05  Ver 2.2.0", "  Added options to choose and remove trailing characters and "
                                 "to allow dropping of non text objects."},
        {"2003Mar03  Ver 2.0.0", "  Added Dynamic escape code translation option."},
        {"2003Feb11  Ver 1.1.0", "  Added Bring To Top On Drag option."},
        {"2003Feb04  Ver 1.0.0", "  Initial release"},
    };
    QStringList releases;
    for (const Release& release : kReleases)
        releases.append(QLatin1String(release.heading) + kBreak +
                        QLatin1String(release.description));
    return releases.join(kTwoBreaks);
}

} // namespace quorvel::ui
