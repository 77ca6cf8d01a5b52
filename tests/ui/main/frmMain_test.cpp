#include "engine/RuntimeError.h"
#include "support/MainWindowFixture.h"
#include "ui/common/Twips.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <optional>
#include <utility>

namespace quorvel::test {
namespace {

using MainWindow = MainWindowFixture;
using Layout = MainWindowFixture;
using Loading = MainWindowFixture;
using Options = MainWindowFixture;

// What a screen reader announces for a control.
QString spoken(QWidget* control)
{
    const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(QAccessible::Name) : QString();
}

TEST_F(MainWindow, TypingTranslatesClearResetsTheCountOnlyWithAutoTranslate)
{
    showActive();
    for (const bool autoTranslate : {true, false}) {
        SCOPED_TRACE(autoTranslate ? "auto" : "manual");
        mnuOptionsTransOnChange->setChecked(true);
        typeIntoUpperBox(QStringLiteral("x%3a%2f%2fy%2ez"));
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
    const Key rows[] = {
        {.name = "Return", .box = txtBadURL, .key = Qt::Key_Return, .target = cmdTrans},
        {.name = "Enter below", .box = txtGoodURL, .key = Qt::Key_Enter, .target = cmdTrans},
        {.name = "Ctrl+T", .box = txtBadURL, .key = Qt::CTRL | Qt::Key_T, .target = cmdTrans},
        {.name = "Ctrl+G", .box = txtBadURL, .key = Qt::CTRL | Qt::Key_G, .target = cmdNavigate},
        {.name = "Ctrl+P", .box = txtBadURL, .key = Qt::CTRL | Qt::Key_P, .target = cmdClip},
        {.name = "Ctrl+B", .box = txtBadURL, .key = Qt::CTRL | Qt::Key_B, .target = cmdClear},
        // A text box takes Ctrl+A for itself unless the window claims it.
        {.name = "Ctrl+A",
         .box = txtBadURL,
         .key = Qt::CTRL | Qt::Key_A,
         .target = mnuHelpAbout,
         .signal = SIGNAL(triggered())},
        {.name = "Escape below", .box = txtGoodURL, .key = Qt::Key_Escape, .target = cmdExit},
    };
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
    const Paste rows[] = {
        {.name = "empty", .link = "", .shown = "", .count = "0"},
        {.name = "outer blanks trimmed", .link = "%20abc%20", .shown = "abc", .count = "2"},
        {.name = "megabyte without escapes", .link = plain, .shown = plain, .count = "0"},
        // Positions past the 16-bit range end in one overflow box.
        {.name = "megabyte with escapes",
         .link = "a%41" + plain + "%42",
         .shown = "",
         .count = "0",
         .overflows = true},
        {.name = "NUL and lone surrogates",
         .link = QString::fromUtf16(u"x%2f\0\xD800%3a\xDC00", 10),
         .shown = QString::fromUtf16(u"x/\0\xD800:\xDC00", 6),
         .count = "2"},
    };
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
        EXPECT_EQ(spoken(lblReps), "Replacements made: " + row.count) << "heard with its caption";
        EXPECT_EQ(fakes.dialogs.messages, row.overflows ? overflow : std::vector<ShownMessage>{});
    }
    EXPECT_EQ(lowerBoxWhileBoxShows, QString());
}

TEST_F(Layout, ControlsSitAsDesignedInTabOrder)
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
}

TEST_F(Layout, LabelsFitTheirTextAlsoWhenTheCountGrows)
{
    showActive();
    txtBadURL->setPlainText(QStringLiteral("%41").repeated(12345));
    for (QLabel* label : {Label1, Label2, lblReps})
        EXPECT_EQ(label->size(), label->sizeHint()) << label->text().toStdString();
}

// Both boxes span the window's width less 200 twips, from 90 twips in.
void expectBoxesFollowTheWidth(const QWidget* window, std::initializer_list<ui::UrlBox*> boxes)
{
    const auto px = [&](int twips) { return ui::twipsToPixels(twips, window); };
    const int width = px(ui::pixelsToTwips(window->width(), window) - 200);
    for (const ui::UrlBox* box : boxes)
        EXPECT_EQ(box->geometry(), QRect(px(90), box->y(), width, box->height()));
}

TEST_F(Layout, WidthFollowsTheWindowHeightStaysAtLoadSize)
{
    showActive();
    const QSize start = window->size();
    // The bounds are the size at load, taken before the first showing.
    ASSERT_EQ(window->minimumSize(), start);
    // Sizes as the window manager asks for them, past the widget's own checks.
    struct Attempt {
        const char* name;
        QSize added;
        int keptWidth; // of the pixels added
    };
    const Attempt rows[] = {{"wider", {100, 0}, 100},
                            {"narrower", {-40, 0}, 0},
                            {"taller", {0, 60}, 0},
                            {"lower", {0, -60}, 0},
                            {"wider and lower", {250, -30}, 250},
                            {"a pixel narrower and taller", {-1, 1}, 0}};
    for (const Attempt& row : rows) {
        SCOPED_TRACE(row.name);
        window->windowHandle()->resize(start + row.added);
        QCoreApplication::processEvents();
        EXPECT_EQ(window->size(), start + QSize(row.keptWidth, 0));
        expectBoxesFollowTheWidth(window, {txtBadURL, txtGoodURL});
    }
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST_F(Layout, MinimizedIsLeftAloneMaximizedLiftsTheBounds)
{
    showActive();
    const QSize start = window->size();
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

TEST_F(Loading, SetsTheTitleAndTheEndingsCaption)
{
    EXPECT_EQ(window->windowTitle(), "Quorvel   Ver. 2.2.1     by Veskard");
    EXPECT_EQ(mnuOptionRemTrailing->text(), "Remove trailing characters ');");
}

TEST_F(Loading, ASecondCopyUnloadsItselfUnseen)
{
    fakes.instanceGuard.anotherRunning = true;
    QPointer<ui::frmMain> second = new ui::frmMain(fakes.services, forms);
    EXPECT_FALSE(second->Form_Load());
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(forms.loaded(), QList<QWidget*>{window.data()}) << "the first copy stays";
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
}

TEST_F(Loading, TerminateUnloadsTheWindowsLeftBehind)
{
    forms.load(new QWidget);
    delete window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(forms.loaded().isEmpty());
}

TEST_F(Options, ToggleItemsStartAsDesignedAndMoveTheirMarkOnce)
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

// A platform error is reported under the inner procedure's title; the mark stays moved.
TEST_F(Options, KeepOnTopReportsAPlatformErrorUnderItsOwnTitle)
{
    fakes.zOrder.onCall = [](const FakeZOrder::Call&) { throw RuntimeError(5, "Bad call"); };
    mnuOptionsKeepOnTop->trigger();
    EXPECT_TRUE(mnuOptionsKeepOnTop->isChecked());
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{{"5 : Bad call", "KeepOnTop", 16}}));
}

TEST_F(Options, TheMethodPairSharesOneMarkAndTheNextTranslationFollowsIt)
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

TEST_F(Options, TrailingCharactersDialogAndTheNextTranslation)
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
    const Entry rows[] = {
        {.name = "lower case", .stored = "ABC", .shown = cut, .answer = "abc"},
        {.name = "cancel", .stored = "ABC", .shown = cut, .answer = std::nullopt},
        {.name = "blank entry", .stored = "ABC", .shown = cut, .answer = "   "},
        {.name = "trailing blanks", .stored = " X", .shown = whole, .answer = " x "},
        {.name = "accented letters",
         .stored = QStringLiteral("\u00c9T\u00c9');"),
         .shown = whole,
         .answer = QStringLiteral("\u00e9t\u00e9');  ")},
        {.name = "ampersand", .stored = "A&B", .shown = whole, .answer = "a&b"},
        {.name = "removal off", .stored = "BC", .shown = whole, .answer = "bc", .removal = false},
        {.name = "removal on again", .stored = "BC", .shown = "http://h.example/pa"},
    };
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

} // namespace
} // namespace quorvel::test
