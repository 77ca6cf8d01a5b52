#include "support/MainWindowFixture.h"
#include "ui/actions/HelpTexts.h"

#include <QAction>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>

#include <utility>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;
using Answer = std::pair<bool, Qt::DropAction>; // accepted, and the action answered

const QString kLink = u"https://r.example/go?action=http%3A%2F%2Fh.example%2F');"_s;

// Real drag events sent to the box as the platform sends them.
class DropTarget : public MainWindowFixture {
protected:
    // A whole drag ending in a drop: the answers to the entry and to the drop.
    std::pair<Answer, Answer> drag(const QMimeData& data)
    {
        QWidget* box = txtBadURL->viewport();
        const auto send = [box](QDropEvent&& event) {
            QCoreApplication::sendEvent(box, &event);
            return Answer(event.isAccepted(), event.dropAction());
        };
        const QPoint at = box->rect().center();
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        const Answer entry = send(QDragEnterEvent(at, offered, &data, Qt::LeftButton, {}));
        send(QDragMoveEvent(at, offered, &data, Qt::LeftButton, {}));
        return {entry, send(QDropEvent(at, offered, &data, Qt::LeftButton, {}))};
    }
};

TEST_F(DropTarget, TextReplacesTheBoxAndFollowsTheOptions)
{
    struct Drop {
        const char* name;
        bool onChange, onDrop, bringToTop, keepOnTop; // the options
        QString dropped;
        int translations;
        std::vector<bool> topmost; // the z-order calls that follow
    };
    const Drop rows[] = {
        {"defaults", true, true, true, false, kLink, 2, {true, false}},
        {"translated on drop only", false, true, true, false, kLink, 1, {true, false}},
        {"kept on top: not lifted", true, true, true, true, kLink, 2, {}},
        {"all off, lines kept", false, false, false, false, u"a%2Fb\nsecond line\n"_s, 0, {}},
    };
    // Text goes through the filter too.
    mnuOptionsShowDropIconForTextOnly->setChecked(true);
    QSignalSpy translations(cmdTrans, &QPushButton::clicked);
    std::vector<bool> calls;
    fakes.zOrder.onCall = [&](const FakeZOrder::Call& call) {
        EXPECT_EQ(call.window, window.data());
        calls.push_back(call.topmost);
    };
    for (const auto& [name, onChange, onDrop, bringToTop, keepOnTop, dropped, translated, topmost] :
         rows) {
        SCOPED_TRACE(name);
        mnuOptionsTransOnChange->setChecked(onChange);
        mnuOptionsTransOnDrop->setChecked(onDrop);
        mnuOptionsBringToTopOnDrag->setChecked(bringToTop);
        mnuOptionsKeepOnTop->setChecked(keepOnTop);
        txtBadURL->setPlainText(u"old"_s);
        txtGoodURL->setPlainText(u"-"_s);
        translations.clear();
        calls.clear();
        QMimeData data;
        data.setText(dropped);
        // A copy: a move would let the source delete the link.
        EXPECT_EQ(drag(data).second, Answer(true, Qt::CopyAction));
        EXPECT_EQ(txtBadURL->text(), dropped);
        EXPECT_EQ(translations.count(), translated);
        // Translated after the drop, or not at all (the rows that translate drop the link).
        EXPECT_EQ(txtGoodURL->text(), translated ? u"http://h.example/"_s : u"-"_s);
        EXPECT_EQ(calls, topmost);
    }
}

// While the filter is on, the entry is refused and the drop never warns.
TEST_F(DropTarget, ObjectsWithoutTextAreNamedOrFiltered)
{
    struct Offer {
        QStringList formats;
        QString name; // of the first format offered, in the program's order
    };
    const Offer rows[] = {
        {{u"image/bmp"_s, u"image/png"_s}, u"bitmap"_s},
        {{u"image/bmp"_s}, u"DIB"_s},
        {{u"application/x-unknown"_s}, u"Unknown"_s},
    };
    txtBadURL->setPlainText(u"kept"_s);
    for (const bool filter : {false, true}) {
        mnuOptionsShowDropIconForTextOnly->setChecked(filter);
        for (const auto& [formats, name] : rows) {
            SCOPED_TRACE(testing::Message() << filter << name.toStdString());
            QMimeData data;
            for (const QString& format : formats)
                data.setData(format, "x");
            const auto [entry, drop] = drag(data);
            EXPECT_EQ(entry, Answer(!filter, filter ? Qt::IgnoreAction : Qt::CopyAction));
            // Nothing taken, so the source must not delete anything; a drag refused at
            // its entry never delivers the drop at all.
            EXPECT_EQ(drop, Answer(false, filter ? drop.second : Qt::IgnoreAction));
            const ShownMessage warning{
                u"Object being dropped is of type "_s + name + u", not Text "_s, u"Error"_s, 48};
            EXPECT_EQ(std::exchange(fakes.dialogs.messages, {}),
                      filter ? std::vector<ShownMessage>{} : std::vector{warning});
        }
    }
    EXPECT_EQ(txtBadURL->text(), u"kept"_s);
}

using Outward = MainWindowFixture;
using HelpMenu = MainWindowFixture;

// Go to URL needs five characters between blanks and a shell result above 32; Copy places
// any text but an empty one, untrimmed, in a cleared clipboard.
TEST_F(Outward, GoToUrlAndCopyEdgeCases)
{
    // The empty box comes last, so that Copy's notice follows every warning.
    const QStringList tooShort = {"abcd", "  abcd   ", "     ", " a b ", ""};
    // Tabs and line breaks are no blanks: they count towards the five.
    const QStringList enough = {"abcde", "  abcde  ", "\tabc\t", " ab\ncd "};
    fakes.shell.result = 33;
    for (const QString& text : enough + tooShort) {
        txtGoodURL->setPlainText(text);
        cmdNavigate->click();
        cmdClip->click();
        const QStringList copied{u"clear"_s, u"setText:"_s + text};
        EXPECT_EQ(std::exchange(fakes.clipboard.calls, {}),
                  text.isEmpty() ? QStringList{} : copied);
    }
    std::vector<ShownMessage> shown;
    for (const QString& text : tooShort)
        shown.push_back({text + u"\r\nis not a valid URL"_s, u"Warning"_s, 48});
    shown.push_back({u"Nothing to place in clipboard"_s, u"Nothing to do"_s, 64});
    fakes.shell.result = 32;
    txtGoodURL->setPlainText(enough.front());
    mnuFileNavigate->trigger();
    shown.push_back({u"Could not execute function - Error code 32\r\n\r\nMake sure the URL is "
                     "valid and you have a working, default browser!"_s,
                     u"Error"_s, 48});
    EXPECT_EQ(fakes.dialogs.messages, shown);
    EXPECT_EQ(fakes.shell.opened, enough + QStringList{enough.front()});
}

TEST_F(HelpMenu, TextsAreExactAndTheSiteOpens)
{
    const QString directions =
        u"Some URLs end up looking like the following...\r\n    "_s + ui::kExampleRedirectLink +
        u"\r\n\r\nThis program turns it into\r\n    "_s + ui::kExampleTarget +
        u"\r\nby translating all the escape codes.\r\n\r\nAuto Translate on Drop: Automatically "
        "perform translation when a URL from the browser address box or a link from a web page "
        "is dropped in the top box.  You can drag a URL from the Internet Explorer Address "
        "box.\r\n\r\nAuto Translate on Change: Automatically perform translation every time a "
        "change is made in the top box.\r\n\r\nBring to Top on Drop: Bring form to top when "
        "link dropped in top box.\r\n\r\nTranslation with Predefined Characters (original "
        "method) translates a set of recognized codes.  The Dynamic option (new) tries to "
        "convert every two character codes after a percent sign.\r\n\r\nSee the text file or my "
        "web site for additional information.\r\n\r\n"_s;
    const QString history =
        u"2006Jan06  Ver 2.2.1\r\n  Update URL from old site to new.\r\n\r\n2004Dec05  Ver 2.2.0"
        "\r\n  Added options to choose and remove trailing characters and to allow dropping of non "
        "text objects.\r\n\r\n2003Mar03  Ver 2.0.0\r\n  Added Dynamic escape code translation "
        "option.\r\n\r\n2003Feb11  Ver 1.1.0\r\n  Added Bring To Top On Drag option.\r\n\r\n"
        "2003Feb04  Ver 1.0.0\r\n  Initial release"_s;
    mnuHelpDirs->trigger();
    mnuHelpHistory->trigger();
    mnuHelpVisit->trigger();
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{{directions, u"Quick Directions"_s, 64},
                                         {history, u"Program History"_s, 64}}));
    EXPECT_EQ(fakes.shell.opened, QStringList{ui::kAuthorWebSite});
}

TEST_F(HelpMenu, TheExampleTranslatesIntoItsTarget)
{
    // The example escapes with lower-case letters only, and translates into its target.
    EXPECT_TRUE(ui::kExampleRedirectLink.contains(QRegularExpression(u"%[0-9]?[a-f]"_s)));
    EXPECT_FALSE(ui::kExampleRedirectLink.contains(QRegularExpression(u"%[0-9a-f]?[A-F]"_s)));
    txtBadURL->setPlainText(ui::kExampleRedirectLink);
    EXPECT_EQ(txtGoodURL->text(), ui::kExampleTarget);
}

} // namespace
} // namespace quorvel::test
