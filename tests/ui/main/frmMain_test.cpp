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
#include <tuple>
#include <utility>

namespace quorvel::test {
namespace {

using MainWindow = MainWindowFixture;

// What a screen reader announces for a control.
QString spoken(QWidget* control)
{
    const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(QAccessible::Name) : QString();
}
using Options = MainWindowFixture;

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
    ui::UrlBox* const upper = txtBadURL;
    const std::tuple<ui::UrlBox*, QKeyCombination, QObject*, const char*> cases[] = {
        {upper, Qt::Key_Return, cmdTrans, SIGNAL(clicked())},
        {txtGoodURL, Qt::Key_Enter, cmdTrans, SIGNAL(clicked())},
        {upper, Qt::CTRL | Qt::Key_T, cmdTrans, SIGNAL(clicked())},
        {upper, Qt::CTRL | Qt::Key_G, cmdNavigate, SIGNAL(clicked())},
        {upper, Qt::CTRL | Qt::Key_P, cmdClip, SIGNAL(clicked())},
        {upper, Qt::CTRL | Qt::Key_B, cmdClear, SIGNAL(clicked())},
        // A text box takes Ctrl+A for itself unless the window claims it.
        {upper, Qt::CTRL | Qt::Key_A, mnuHelpAbout, SIGNAL(triggered())},
        {txtGoodURL, Qt::Key_Escape, cmdExit, SIGNAL(clicked())},
    };
    for (const auto& [box, key, target, signal] : cases) {
        SCOPED_TRACE(QKeySequence(key).toString().toStdString());
        upper->setPlainText(QStringLiteral("%41"));
        QSignalSpy pressed(target, signal);
        box->setFocus();
        QTest::keyClick(box, key.key(), key.keyboardModifiers());
        EXPECT_EQ(pressed.count(), 1);
        EXPECT_FALSE(upper->toPlainText().contains(u'\n') || upper->textCursor().hasSelection());
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
    const QString odd = QString::fromUtf16(u"x%2f\0\xD800%3a\xDC00", 10);
    // What is pasted, what is shown, the count and whether the overflow box shows.
    const std::tuple<const char*, QString, QString, QString, bool> cases[] = {
        {"empty", "", "", "0", false},
        {"outer blanks trimmed", "%20abc%20", "abc", "2", false},
        {"megabyte without escapes", plain, plain, "0", false},
        // Positions past the 16-bit range end in one overflow box.
        {"megabyte with escapes", "a%41" + plain + "%42", "", "0", true},
        {"NUL and lone surrogates", odd, QString::fromUtf16(u"x/\0\xD800:\xDC00", 6), "2", false},
    };
    const std::vector<ShownMessage> overflow = {{"6 : Overflow", "FixTheURLDyn", 16}};
    // The lower box is emptied before a method's box shows, though it held a result.
    QString lowerBoxWhileBoxShows = "unset";
    fakes.dialogs.onMessage = [&](const ShownMessage&) {
        lowerBoxWhileBoxShows = txtGoodURL->text();
    };
    for (const auto& [name, link, shown, count, overflows] : cases) {
        SCOPED_TRACE(name);
        fakes.dialogs.messages.clear();
        lblReps->setText("7");
        QGuiApplication::clipboard()->setText(link);
        txtBadURL->selectAll();
        txtBadURL->paste();
        ASSERT_EQ(txtBadURL->text(), link);
        cmdTrans->click();
        EXPECT_EQ(txtGoodURL->text(), shown);
        EXPECT_EQ(lblReps->text(), count);
        EXPECT_EQ(spoken(lblReps), "Replacements made: " + count) << "heard with its caption";
        EXPECT_EQ(fakes.dialogs.messages, overflows ? overflow : std::vector<ShownMessage>{});
    }
    EXPECT_EQ(lowerBoxWhileBoxShows, QString());
}

TEST_F(MainWindow, LayoutFollowsTheDesignAndTheWidthWithinBounds)
{
    showActive();
    const QSize start = window->size();
    auto px = [&](int twips) { return ui::twipsToPixels(twips, window); };
    // The bounds are the size at load, taken before the first showing.
    ASSERT_EQ(window->minimumSize(), start);
    const std::pair<QWidget*, QRect> controls[] = {
        // in twips, in tab order
        {txtBadURL, {90, 360, 5635, 1170}}, {txtGoodURL, {90, 2085, 5635, 1170}},
        {cmdTrans, {90, 3375, 1020, 420}},  {cmdClear, {1245, 3375, 1020, 420}},
        {cmdClip, {2415, 3375, 1020, 420}}, {cmdNavigate, {3570, 3375, 1020, 420}},
        {cmdExit, {4740, 3375, 1020, 420}}};
    txtBadURL->setFocus();
    for (const auto& [widget, r] : controls) {
        SCOPED_TRACE(widget->objectName().toStdString());
        EXPECT_EQ(widget->geometry(), ui::twipsRect(r.x(), r.y(), r.width(), r.height(), window));
        EXPECT_EQ(QApplication::focusWidget(), widget);
        QTest::keyClick(widget, Qt::Key_Tab);
    }
    // The labels fit their text, the count also when it grows.
    txtBadURL->setPlainText(QStringLiteral("%41").repeated(12345));
    for (QLabel* label : {Label1, Label2, lblReps})
        EXPECT_EQ(label->size(), label->sizeHint()) << label->text().toStdString();
    // Both boxes span the window's width less 200 twips, from 90 twips in.
    auto expectBoxesFollowTheWidth = [&] {
        const int width = px(ui::pixelsToTwips(window->width(), window) - 200);
        for (const ui::UrlBox* box : {txtBadURL, txtGoodURL})
            EXPECT_EQ(box->geometry(), QRect(px(90), box->y(), width, box->height()));
    };
    // Sizes as the window manager asks for them, past the widget's own checks:
    // pixels added to width and height, and to the width kept.
    const int attempts[][3] = {{100, 0, 100}, {-40, 0, 0},     {0, 60, 0},
                               {0, -60, 0},   {250, -30, 250}, {-1, 1, 0}};
    for (const auto& [dw, dh, keptDw] : attempts) {
        SCOPED_TRACE(testing::Message() << dw << "," << dh);
        window->windowHandle()->resize(start + QSize(dw, dh));
        QCoreApplication::processEvents();
        EXPECT_EQ(window->size(), start + QSize(keptDw, 0));
        expectBoxesFollowTheWidth();
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
    expectBoxesFollowTheWidth();
    enter(&QWidget::showNormal, Qt::WindowNoState);
    EXPECT_GE(window->width(), start.width());
    EXPECT_EQ(window->height(), start.height());
    expectBoxesFollowTheWidth();
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST_F(MainWindow, LoadSetsTitleAndCaptionButASecondCopyNeverShows)
{
    EXPECT_EQ(window->windowTitle(), "Quorvel   Ver. 2.2.1     by Veskard");
    EXPECT_EQ(mnuOptionRemTrailing->text(), "Remove trailing characters ');");
    fakes.instanceGuard.anotherRunning = true;
    QPointer<ui::frmMain> second = new ui::frmMain(fakes.services, forms);
    EXPECT_FALSE(second->Form_Load());
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(forms.loaded(), QList<QWidget*>{window.data()}) << "the first copy stays";
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
    // The terminate handler unloads the windows left behind.
    forms.load(new QWidget);
    delete window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(forms.loaded().isEmpty());
}

TEST_F(Options, EachItemStartsAsDesignedAndMovesItsMarkOnce)
{
    const std::pair<QAction*, bool> toggles[] = {
        // item, checked at load
        {mnuOptionsKeepOnTop, false},       {mnuOptionsShowDropIconForTextOnly, false},
        {mnuOptionsBringToTopOnDrag, true}, {mnuOptionsTransOnDrop, true},
        {mnuOptionsTransOnChange, true},    {mnuOptionRemTrailing, true}};
    for (const auto& [item, byDefault] : toggles) {
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
    // A platform error is reported under the inner procedure's title; the mark stays moved.
    fakes.zOrder.onCall = [](const FakeZOrder::Call&) { throw RuntimeError(5, "Bad call"); };
    mnuOptionsKeepOnTop->trigger();
    EXPECT_TRUE(mnuOptionsKeepOnTop->isChecked());
    EXPECT_EQ(fakes.dialogs.messages.back(), (ShownMessage{"5 : Bad call", "KeepOnTop", 16}));
    // The method pair shares one mark, and the next translation follows it.
    // %2A is decoded dynamically but is not among the predefined codes.
    txtBadURL->setPlainText(QStringLiteral("action=a%2Ab%2F"));
    QAction *const dyn = mnuOptionsDynTrans, *const preDef = mnuOptionsPreDef;
    // The item chosen and whether the dynamic method is checked afterwards.
    const std::pair<QAction*, bool> steps[] = {
        {dyn, false}, {dyn, true}, {preDef, false}, {preDef, true}};
    for (const auto& [item, dynamic] : steps) {
        SCOPED_TRACE(item->objectName().toStdString() + (dynamic ? " to dynamic" : " to table"));
        item->trigger();
        EXPECT_EQ(dyn->isChecked(), dynamic);
        EXPECT_EQ(preDef->isChecked(), !dynamic);
        cmdTrans->click();
        EXPECT_EQ(txtGoodURL->text(), dynamic ? "a*b/" : "a%2Ab/");
    }
}

TEST_F(Options, TrailingCharactersDialogAndTheNextTranslation)
{
    txtBadURL->setPlainText(QStringLiteral("r?action=http%3A%2F%2Fh.example%2Fpabc"));
    const QString whole = "http://h.example/pabc", cut = "http://h.example/p";
    // The answer (none: Cancel), whether "Remove trailing characters" is checked, the
    // ending stored and the next translation.
    const std::tuple<std::optional<QString>, bool, QString, QString> cases[] = {
        {"abc", true, "ABC", cut},
        {std::nullopt, true, "ABC", cut},
        {"   ", true, "ABC", cut},
        {" x ", true, " X", whole},
        {QStringLiteral("\u00e9t\u00e9');  "), true, QStringLiteral("\u00c9T\u00c9');"), whole},
        {"a&b", true, "A&B", whole},
        {"bc", false, "BC", whole},
        {std::nullopt, true, "BC", "http://h.example/pa"},
    };
    QString previous = "');";
    for (const auto& [answer, removal, stored, shown] : cases) {
        SCOPED_TRACE(answer.value_or("<cancel>").toStdString());
        mnuOptionRemTrailing->setChecked(removal);
        if (answer)
            fakes.dialogs.inputAnswers.push_back(*answer);
        mnuOptionSetRemTrailing->trigger();
        ASSERT_FALSE(fakes.dialogs.inputRequests.empty());
        EXPECT_EQ(fakes.dialogs.inputRequests.back().defaultText, std::exchange(previous, stored));
        // iconText() drops access-key marks, so an unescaped "&" would vanish here.
        EXPECT_EQ(mnuOptionRemTrailing->iconText(), "Remove trailing characters " + stored);
        EXPECT_EQ(mnuOptionRemTrailing->isChecked(), removal);
        cmdTrans->click();
        EXPECT_EQ(txtGoodURL->text(), shown);
    }
    const auto& request = fakes.dialogs.inputRequests.front();
    EXPECT_EQ(request.prompt, "Enter trailing characters you would like automatically removed");
    EXPECT_EQ(request.title, "Chose Trailing Chars to Remove");
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

} // namespace
} // namespace quorvel::test
