#include "engine/RuntimeError.h"
#include "support/MainWindowFixture.h"
#include "ui/common/Twips.h"

#include <QAccessible>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QSignalSpy>
#include <QWindow>

#include <optional>
#include <utility>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;
using MainWindow = MainWindowFixture;

// A menu's items as a screen reader reads them, a line each; "-" marks a disabled one.
std::string spokenItems(QMenu* menu)
{
    QStringList items;
    const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(menu);
    for (int i = 0; face && i < face->childCount(); ++i) {
        const QAccessibleInterface* item = face->child(i);
        items.append((item->state().disabled ? u"-"_s : QString()) + item->text(QAccessible::Name));
    }
    return items.join(u'\n').toStdString();
}

TEST_F(MainWindow, TypingTranslatesClearResetsTheCountOnlyWithAutoTranslate)
{
    showActive();
    for (const bool autoTranslate : {true, false}) {
        SCOPED_TRACE(autoTranslate ? "auto" : "manual");
        mnuOptionsTransOnChange->setChecked(true);
        txtBadURL->setFocus();
        QTest::keyClicks(txtBadURL, QStringLiteral("x%3a%2f%2fy%2ez"));
        EXPECT_EQ(txtGoodURL->text(), "x://y.z");
        EXPECT_EQ(lblReps->text(), "4");
        mnuOptionsTransOnChange->setChecked(autoTranslate);
        cmdNavigate->setFocus();
        cmdClear->click();
        EXPECT_EQ(txtBadURL->text(), QString());
        EXPECT_EQ(txtGoodURL->text(), QString());
        EXPECT_EQ(lblReps->text(), autoTranslate ? "0" : "4");
        EXPECT_EQ(QApplication::focusWidget(), txtBadURL);
    }
}

TEST_F(MainWindow, KeysFromTheTextBoxesPressTheirButtons)
{
    showActive();
    forms.load(new QWidget);
    // The About box is modal; only whether its item fires matters here.
    QObject::disconnect(mnuHelpAbout, nullptr, window, nullptr);
    struct Key {
        const char* name;
        ui::UrlBox* box;
        QKeyCombination key;
        QObject* target;
        const char* signal = SIGNAL(clicked());
    };
    // clang-format off
    const Key rows[] = {
        {.name = "Return", .box = txtBadURL, .key = Qt::Key_Return, .target = cmdTrans},
        {.name = "Enter below", .box = txtGoodURL, .key = Qt::Key_Enter, .target = cmdTrans},
        {.name = "Ctrl+T", .box = txtBadURL, .key = Qt::CTRL | Qt::Key_T, .target = cmdTrans},
        {.name = "Ctrl+G", .box = txtBadURL, .key = Qt::CTRL | Qt::Key_G, .target = cmdNavigate},
        {.name = "Ctrl+P", .box = txtBadURL, .key = Qt::CTRL | Qt::Key_P, .target = cmdClip},
        {.name = "Ctrl+B", .box = txtBadURL, .key = Qt::CTRL | Qt::Key_B, .target = cmdClear},
        // A text box takes Ctrl+A for itself unless the window claims it.
        {.name = "Ctrl+A", .box = txtBadURL, .key = Qt::CTRL | Qt::Key_A, .target = mnuHelpAbout,
         .signal = SIGNAL(triggered())},
        {.name = "Escape below", .box = txtGoodURL, .key = Qt::Key_Escape, .target = cmdExit},
    };
    // clang-format on
    for (const Key& row : rows) {
        SCOPED_TRACE(row.name);
        txtBadURL->setPlainText(QStringLiteral("%41"));
        QSignalSpy pressed(row.target, row.signal);
        row.box->setFocus();
        QTest::keyClick(row.box, row.key.key(), row.key.keyboardModifiers());
        EXPECT_EQ(pressed.count(), 1);
        EXPECT_FALSE(txtBadURL->toPlainText().contains(u'\n') ||
                     txtBadURL->textCursor().hasSelection());
    }
    // Escape, the last key, unloads every window.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(forms.loaded().isEmpty());
    EXPECT_TRUE(window.isNull());
}

TEST_F(MainWindow, PastedTextIsTranslatedWholeWithoutCrashOrHang)
{
    showActive();
    mnuOptionsTransOnChange->setChecked(false);
    const QString plain(1 << 20, u'c');
    struct Paste {
        const char* name;
        QString link;
        QString shown;
        QString count;
        bool overflows = false; // one overflow box
    };
    // clang-format off
    const Paste rows[] = {
        {.name = "empty", .link = "", .shown = "", .count = "0"},
        {.name = "outer blanks trimmed", .link = "%20abc%20", .shown = "abc", .count = "2"},
        {.name = "megabyte without escapes", .link = plain, .shown = plain, .count = "0"},
        // Positions past the 16-bit range end in one overflow box.
        {.name = "megabyte with escapes", .link = "a%41" + plain + "%42", .shown = "", .count = "0",
         .overflows = true},
        {.name = "NUL and lone surrogates", .link = QString::fromUtf16(u"x%2f\0\xD800%3a\xDC00", 10),
         .shown = QString::fromUtf16(u"x/\0\xD800:\xDC00", 6), .count = "2"},
    };
    // clang-format on
    const std::vector<ShownMessage> overflow = {{"6 : Overflow", "FixTheURLDyn", 16}};
    // The lower box is emptied before a method's box shows, though it held a result.
    QString lowerBoxWhileBoxShows = "unset";
    fakes.dialogs.onMessage = [&](const ShownMessage&) {
        lowerBoxWhileBoxShows = txtGoodURL->text();
    };
    for (const Paste& row : rows) {
        SCOPED_TRACE(row.name);
        fakes.dialogs.messages.clear();
        lblReps->setText("7");
        QGuiApplication::clipboard()->setText(row.link);
        txtBadURL->selectAll();
        txtBadURL->paste();
        ASSERT_EQ(txtBadURL->text(), row.link);
        cmdTrans->click();
        EXPECT_EQ(txtGoodURL->text(), row.shown);
        EXPECT_EQ(lblReps->text(), row.count);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(lblReps)->text(QAccessible::Name),
                  "Replacements made: " + row.count)
            << "heard with its caption";
        EXPECT_EQ(fakes.dialogs.messages, row.overflows ? overflow : std::vector<ShownMessage>{});
    }
    EXPECT_EQ(lowerBoxWhileBoxShows, QString());
}

TEST_F(MainWindow, ControlsSitAsDesignedInTabOrderLabelsFitTheirTextAlsoAsTheCountGrows)
{
    showActive();
    struct Placed {
        QWidget* control;
        QRect twips;
    };
    const Placed rows[] = {
        {txtBadURL, {90, 360, 5635, 1170}}, {txtGoodURL, {90, 2085, 5635, 1170}},
        {cmdTrans, {90, 3375, 1020, 420}},  {cmdClear, {1245, 3375, 1020, 420}},
        {cmdClip, {2415, 3375, 1020, 420}}, {cmdNavigate, {3570, 3375, 1020, 420}},
        {cmdExit, {4740, 3375, 1020, 420}}};
    txtBadURL->setFocus();
    for (const auto& [control, r] : rows) {
        SCOPED_TRACE(control->objectName().toStdString());
        EXPECT_EQ(control->geometry(), ui::twipsRect(r.x(), r.y(), r.width(), r.height(), window));
        EXPECT_EQ(QApplication::focusWidget(), control);
        QTest::keyClick(control, Qt::Key_Tab);
    }
    txtBadURL->setPlainText(QStringLiteral("%41").repeated(12345));
    for (QLabel* label : {named<QLabel>("Label1"), named<QLabel>("Label2"), lblReps})
        EXPECT_EQ(label->size(), label->sizeHint()) << label->text().toStdString();
}

void expectBoxesFollowTheWidth(const QWidget* window, std::initializer_list<ui::UrlBox*> boxes)
{
    const auto px = [&](int twips) { return ui::twipsToPixels(twips, window); };
    const int width = px(ui::pixelsToTwips(window->width(), window) - 200);
    for (const ui::UrlBox* box : boxes)
        EXPECT_EQ(box->geometry(), QRect(px(90), box->y(), width, box->height()));
}

TEST_F(MainWindow, WidthFollowsTheWindowHeightStaysAtLoadSizeUnlessMaximized)
{
    showActive();
    const QSize start = window->size();
    ASSERT_EQ(window->minimumSize(), start);
    // Sizes as the window manager asks for them, past the widget's own checks.
    struct Attempt {
        const char* name;
        QSize added;
        int keptWidth; // of the pixels added
    };
    // clang-format off
    const Attempt rows[] = {{"wider", {100, 0}, 100}, {"narrower", {-40, 0}, 0}, {"taller", {0, 60}, 0},
                            {"lower", {0, -60}, 0}, {"wider and lower", {250, -30}, 250},
                            {"a pixel narrower and taller", {-1, 1}, 0}};
    // clang-format on
    for (const Attempt& row : rows) {
        SCOPED_TRACE(row.name);
        window->windowHandle()->resize(start + row.added);
        QCoreApplication::processEvents();
        EXPECT_EQ(window->size(), start + QSize(row.keptWidth, 0));
        expectBoxesFollowTheWidth(window, {txtBadURL, txtGoodURL});
    }
    auto enter = [&](void (QWidget::*show)(), Qt::WindowState state) {
        (window->*show)();
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->windowState() == state; }));
        QCoreApplication::processEvents();
    };
    const int boxWidth = txtBadURL->width();
    enter(&QWidget::showMinimized, Qt::WindowMinimized);
    window->resize(start + QSize(300, 0));
    ASSERT_EQ(window->width(), start.width() + 300);
    EXPECT_EQ(txtBadURL->width(), boxWidth) << "a minimized window is left alone";
    enter(&QWidget::showMaximized, Qt::WindowMaximized);
    EXPECT_NE(window->height(), start.height());
    EXPECT_EQ(window->minimumSize(), QSize(0, 0));
    EXPECT_EQ(window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    expectBoxesFollowTheWidth(window, {txtBadURL, txtGoodURL});
    enter(&QWidget::showNormal, Qt::WindowNoState);
    EXPECT_GE(window->width(), start.width());
    EXPECT_EQ(window->height(), start.height());
    expectBoxesFollowTheWidth(window, {txtBadURL, txtGoodURL});
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST_F(MainWindow, ASecondCopyUnloadsItselfTheFirstUnloadsTheRest)
{
    fakes.instanceGuard.anotherRunning = true;
    QPointer<ui::frmMain> second = new ui::frmMain(fakes.services, forms);
    EXPECT_FALSE(second->Form_Load());
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(forms.loaded(), QList<QWidget*>{window.data()}) << "the first copy stays";
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    forms.load(new QWidget);
    delete window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
    EXPECT_TRUE(forms.loaded().isEmpty());
}

TEST_F(MainWindow, ToggleItemsStartAsDesignedAndMoveTheirMarkOnce)
{
    struct Toggle {
        QAction* item;
        bool checkedAtLoad;
    };
    const Toggle rows[] = {
        {mnuOptionsKeepOnTop, false},       {mnuOptionsShowDropIconForTextOnly, false},
        {mnuOptionsBringToTopOnDrag, true}, {mnuOptionsTransOnDrop, true},
        {mnuOptionsTransOnChange, true},    {mnuOptionRemTrailing, true}};
    for (const auto& [item, byDefault] : rows) {
        SCOPED_TRACE(item->objectName().toStdString());
        EXPECT_EQ(item->isChecked(), byDefault);
        // A checkable item flips by itself: the handler must not flip it back.
        for (const bool checked : {!byDefault, byDefault}) {
            item->trigger();
            EXPECT_EQ(item->isChecked(), checked);
        }
    }
    const QString start = "When dragging a link to the top box, you will now see a drop icon ";
    const std::vector<ShownMessage> explanations = {
        {start + "only if the link is text", "Explanation", 64},
        {start + "no matter what type the link is", "Explanation", 64}};
    EXPECT_EQ(fakes.dialogs.messages, explanations);
    ASSERT_EQ(fakes.zOrder.calls.size(), 2u);
    EXPECT_EQ(fakes.zOrder.calls[0].window, window.data());
    EXPECT_TRUE(fakes.zOrder.calls[0].topmost && !fakes.zOrder.calls[1].topmost) << "on, then off";
}

TEST_F(MainWindow, KeepOnTopReportsAPlatformErrorUnderItsOwnTitle)
{
    fakes.zOrder.onCall = [](const FakeZOrder::Call&) { throw RuntimeError(5, "Bad call"); };
    mnuOptionsKeepOnTop->trigger();
    EXPECT_TRUE(mnuOptionsKeepOnTop->isChecked());
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{{"5 : Bad call", "KeepOnTop", 16}}));
}

TEST_F(MainWindow, TheMethodPairSharesOneMarkAndTheNextTranslationFollowsIt)
{
    // %2A is decoded dynamically but is not among the predefined codes.
    txtBadURL->setPlainText(QStringLiteral("action=a%2Ab%2F"));
    struct Step {
        QAction* item;
        bool dynamicAfter;
    };
    const Step rows[] = {{mnuOptionsDynTrans, false},
                         {mnuOptionsDynTrans, true},
                         {mnuOptionsPreDef, false},
                         {mnuOptionsPreDef, true}};
    for (const auto& [item, dynamic] : rows) {
        SCOPED_TRACE(item->objectName().toStdString() + (dynamic ? " to dynamic" : " to table"));
        item->trigger();
        EXPECT_EQ(mnuOptionsDynTrans->isChecked(), dynamic);
        EXPECT_EQ(mnuOptionsPreDef->isChecked(), !dynamic);
        cmdTrans->click();
        EXPECT_EQ(txtGoodURL->text(), dynamic ? "a*b/" : "a%2Ab/");
    }
}

TEST_F(MainWindow, TrailingCharactersDialogAndTheNextTranslation)
{
    txtBadURL->setPlainText(QStringLiteral("r?action=http%3A%2F%2Fh.example%2Fpabc"));
    const QString whole = "http://h.example/pabc", cut = "http://h.example/p";
    struct Entry {
        const char* name;
        QString stored;
        QString shown;                      // by the next translation
        std::optional<QString> answer = {}; // none: Cancel
        bool removal = true;                // "Remove trailing characters" checked
    };
    // clang-format off
    const Entry rows[] = {
        {.name = "lower case", .stored = "ABC", .shown = cut, .answer = "abc"},
        {.name = "cancel", .stored = "ABC", .shown = cut, .answer = std::nullopt},
        {.name = "blank entry", .stored = "ABC", .shown = cut, .answer = "   "},
        {.name = "trailing blanks", .stored = " X", .shown = whole, .answer = " x "},
        {.name = "accented letters", .stored = QStringLiteral("\u00c9T\u00c9');"), .shown = whole,
         .answer = QStringLiteral("\u00e9t\u00e9');  ")},
        {.name = "ampersand", .stored = "A&B", .shown = whole, .answer = "a&b"},
        {.name = "removal off", .stored = "BC", .shown = whole, .answer = "bc", .removal = false},
        {.name = "removal on again", .stored = "BC", .shown = "http://h.example/pa"},
    };
    // clang-format on
    QString previous = "');";
    for (const Entry& row : rows) {
        SCOPED_TRACE(row.name);
        mnuOptionRemTrailing->setChecked(row.removal);
        if (row.answer)
            fakes.dialogs.inputAnswers.push_back(*row.answer);
        mnuOptionSetRemTrailing->trigger();
        ASSERT_FALSE(fakes.dialogs.inputRequests.empty());
        EXPECT_EQ(fakes.dialogs.inputRequests.back().defaultText,
                  std::exchange(previous, row.stored));
        // iconText() drops access-key marks, so an unescaped "&" would vanish here.
        EXPECT_EQ(mnuOptionRemTrailing->iconText(), "Remove trailing characters " + row.stored);
        EXPECT_EQ(mnuOptionRemTrailing->isChecked(), row.removal);
        cmdTrans->click();
        EXPECT_EQ(txtGoodURL->text(), row.shown);
    }
    const auto& request = fakes.dialogs.inputRequests.front();
    EXPECT_EQ(request.prompt, "Enter trailing characters you would like automatically removed");
    EXPECT_EQ(request.title, "Chose Trailing Chars to Remove");
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

using Answer = std::pair<bool, Qt::DropAction>; // accepted, and the action answered

const QString kLink = u"https://r.example/go?action=http%3A%2F%2Fh.example%2F');"_s;

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

TEST_F(DropTarget, ObjectsWithoutTextAreNamedOrFiltered)
{
    txtBadURL->setPlainText(u"kept"_s);
    QMimeData data;
    data.setData(u"image/bmp"_s, "x");
    data.setData(u"image/png"_s, "x");
    for (const bool filter : {false, true}) {
        SCOPED_TRACE(filter ? "filter on" : "filter off");
        mnuOptionsShowDropIconForTextOnly->setChecked(filter);
        const auto [entry, drop] = drag(data);
        EXPECT_EQ(entry, Answer(!filter, filter ? Qt::IgnoreAction : Qt::CopyAction));
        // Nothing taken, so the source must not delete anything; a drag refused at
        // its entry never delivers the drop at all.
        EXPECT_EQ(drop, Answer(false, filter ? drop.second : Qt::IgnoreAction));
        const ShownMessage warning{u"Object being dropped is of type bitmap, not Text "_s,
                                   u"Error"_s, 48};
        EXPECT_EQ(std::exchange(fakes.dialogs.messages, {}),
                  filter ? std::vector<ShownMessage>{} : std::vector{warning});
    }
    EXPECT_EQ(txtBadURL->text(), u"kept"_s);
}

// Go to URL needs five characters between blanks and a shell result above 32; Copy places
// any text but an empty one, untrimmed, in a cleared clipboard.
TEST_F(MainWindow, GoToUrlAndCopyEdgeCases)
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

// The lower box's context menu is Qt's own, led by the layers and the inner link when the
// upper box holds a wrapped link that the translation does not already show.
TEST_F(MainWindow, LowerBoxMenuOffersTheUnwrappedLink)
{
    const std::string commands = "Copy Unwrapped Link\nOpen Unwrapped Link\n-\n";
    struct Case {
        const char* name;
        QString link;
        std::string leading; // the lines before Qt's own items
        QString target;      // copied and opened
    };
    // clang-format off
    const Case rows[] = {
        {"nothing wrapped", u"https://h.example/p"_s, "", {}},
        {"the translation is the target", kLink, "", {}},
        {"found by generic detection", u"https://t.example/c?id=7&to=https%3A%2F%2Fwww.example.com%2Fa"_s, "-Link in query parameter to led to www.example.com\n" + commands, u"https://www.example.com/a"_s},
        {"lookalike host", u"https://eur01.safelinks.protection.outlook.com/?url=https%3A%2F%2Fxn--xample-2of.com%2F&data=x"_s, "-Microsoft Safe Links led to xn--xample-2of.com\n-lookalike host: \u0435xample.com is xn--xample-2of.com\n" + commands, u"https://xn--xample-2of.com/"_s},
        {"refused inside", u"https://eur01.safelinks.protection.outlook.com/?url=https%3A%2F%2Fwww.google.com%2Furl%3Fq%3Djavascript%253Aalert(1)&data=x"_s, "-Microsoft Safe Links led to www.google.com\n-refused: a javascript: target is never followed; Google search and Gmail led to it\n" + commands, u"https://www.google.com/url?q=javascript%3Aalert(1)"_s},
        {"Safe Links around Proofpoint", u"https://eur01.safelinks.protection.outlook.com/?url=https%3A%2F%2Furldefense.proofpoint.com%2Fv2%2Furl%3Fu%3Dhttps-3A__www.example.com_a-3Fb-3D1%26d%3DDwMFaQ%26e%3D&data=05%7C01%7Cme%40example.org&reserved=0"_s, "-Microsoft Safe Links led to urldefense.proofpoint.com\n-Proofpoint v2 led to www.example.com\n" + commands, u"https://www.example.com/a?b=1"_s},
    };
    // clang-format on
    // The mouse's menu reaches the box through its viewport, the keyboard's directly.
    const std::pair<QWidget*, QContextMenuEvent::Reason> ways[] = {
        {txtGoodURL->viewport(), QContextMenuEvent::Mouse},
        {txtGoodURL, QContextMenuEvent::Keyboard}};
    for (const auto& [name, link, leading, target] : rows) {
        txtBadURL->setPlainText(link);
        for (const auto& [receiver, reason] : ways) {
            SCOPED_TRACE(testing::Message() << name << ", reason " << reason);
            QContextMenuEvent event(reason, QPoint(5, 5), receiver->mapToGlobal(QPoint(5, 5)));
            QCoreApplication::sendEvent(receiver, &event);
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            std::unique_ptr<QMenu> standard(txtGoodURL->createStandardContextMenu());
            EXPECT_EQ(spokenItems(menu), leading + spokenItems(standard.get()));
            for (const char* command : {"mnuUnwrapCopy", "mnuUnwrapOpen"}) {
                if (auto* item = menu->findChild<QAction*>(QLatin1String(command)))
                    item->trigger();
            }
            menu->close();
            const QStringList copied{u"clear"_s, u"setText:"_s + target};
            EXPECT_EQ(std::exchange(fakes.clipboard.calls, {}),
                      target.isEmpty() ? QStringList{} : copied);
            EXPECT_EQ(std::exchange(fakes.shell.opened, {}),
                      target.isEmpty() ? QStringList{} : QStringList{target});
        }
    }
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

// The texts as the boxes show them; the example they give translates as they say.
TEST_F(MainWindow, HelpTextsAreExactAndTheSiteOpens)
{
    const QString directions =
        u"Some URLs end up looking like the following...\r\n    http://links.example.net/go?id="
        "4711&action=http%3a%2f%2fwww.example.org%2fnews%2fstory.html%3fid%3d42%26page%3d2\r\n\r\n"
        "This program turns it into\r\n    http://www.example.org/news/story.html?id=42&page=2"
        "\r\nby translating all the escape codes.\r\n\r\nAuto Translate on Drop: Automatically "
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
    EXPECT_EQ(fakes.shell.opened, QStringList{u"http://www.veskard.example"_s});
    for (const auto method : {mnuOptionsDynTrans, mnuOptionsPreDef}) {
        method->trigger();
        txtBadURL->setPlainText(directions.section(u"\r\n"_s, 1, 1).trimmed());
        EXPECT_EQ(txtGoodURL->text(), directions.section(u"\r\n"_s, 4, 4).trimmed());
    }
}

} // namespace
} // namespace quorvel::test
