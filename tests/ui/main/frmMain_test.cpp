#include "support/MainWindowFixture.h"
#include "ui/common/Twips.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>

namespace quorvel::test {
namespace {

using MainWindow = MainWindowFixture;

TEST_F(MainWindow, TypingTranslatesEveryChangeAndTrimsTheResult)
{
    typeIntoUpperBox(QStringLiteral("x%3a%2f%2fy%2ez"));
    EXPECT_EQ(window->txtGoodURL->text(), "x://y.z");
    EXPECT_EQ(window->lblReps->text(), "4");
    window->txtBadURL->setPlainText(QStringLiteral("%20abc%20"));
    EXPECT_EQ(window->txtGoodURL->text(), "abc");
    EXPECT_EQ(window->lblReps->text(), "2");
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST_F(MainWindow, ClearResetsTheCountOnlyWithAutoTranslate)
{
    showActive();
    for (const bool autoTranslate : {true, false}) {
        SCOPED_TRACE(autoTranslate ? "auto" : "manual");
        window->mnuOptionsTransOnChange->setChecked(true);
        window->txtBadURL->setPlainText(QStringLiteral("a%41%42"));
        window->mnuOptionsTransOnChange->setChecked(autoTranslate);
        window->cmdNavigate->setFocus();
        window->cmdClear->click();
        EXPECT_EQ(window->txtBadURL->text(), QString());
        EXPECT_EQ(window->txtGoodURL->text(), QString());
        EXPECT_EQ(window->lblReps->text(), autoTranslate ? "0" : "2");
        EXPECT_EQ(QApplication::focusWidget(), window->txtBadURL);
    }
}

TEST_F(MainWindow, KeysFromTheTextBoxesPressTheirButtons)
{
    showActive();
    forms.load(new QWidget);
    // The About box is modal; only whether its item fires matters here.
    QObject::disconnect(window->mnuHelpAbout, nullptr, window, nullptr);
    ui::UrlBox* const upper = window->txtBadURL;
    ui::UrlBox* const lower = window->txtGoodURL;
    struct Case {
        ui::UrlBox* box;
        QKeyCombination key;
        QObject* target;
        const char* signal;
    };
    const Case cases[] = {
        {upper, Qt::Key_Return, window->cmdTrans, SIGNAL(clicked())},
        {lower, Qt::Key_Enter, window->cmdTrans, SIGNAL(clicked())},
        {upper, Qt::CTRL | Qt::Key_T, window->cmdTrans, SIGNAL(clicked())},
        {upper, Qt::CTRL | Qt::Key_G, window->cmdNavigate, SIGNAL(clicked())},
        {upper, Qt::CTRL | Qt::Key_P, window->cmdClip, SIGNAL(clicked())},
        {upper, Qt::CTRL | Qt::Key_B, window->cmdClear, SIGNAL(clicked())},
        // A text box takes Ctrl+A for itself unless the window claims it.
        {upper, Qt::CTRL | Qt::Key_A, window->mnuHelpAbout, SIGNAL(triggered())},
        {lower, Qt::Key_Escape, window->cmdExit, SIGNAL(clicked())},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
        upper->setPlainText(QStringLiteral("%41"));
        QSignalSpy pressed(c.target, c.signal);
        c.box->setFocus();
        QTest::keyClick(c.box, c.key.key(), c.key.keyboardModifiers());
        EXPECT_EQ(pressed.count(), 1);
        EXPECT_FALSE(upper->toPlainText().contains(u'\n') || upper->textCursor().hasSelection());
    }
    // Escape, the last key, unloads every window.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(forms.loaded().isEmpty());
    EXPECT_TRUE(window.isNull());
}

TEST_F(MainWindow, TerminateUnloadsWindowsLeftBehind)
{
    forms.load(new QWidget);
    delete window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(forms.loaded().isEmpty());
}

TEST_F(MainWindow, BadInputNeitherCrashesNorHangs)
{
    showActive();
    window->mnuOptionsTransOnChange->setChecked(false);
    const QString plain(1 << 20, u'c');
    const QString odd = QString::fromUtf16(u"x%2f\0\xD800%3a\xDC00", 10);
    struct Case {
        const char* name;
        QString link, shown, count;
        bool overflow;
    };
    const Case cases[] = {
        {"empty", "", "", "0", false},
        {"megabyte without escapes", plain, plain, "0", false},
        // Positions past the 16-bit range end in one overflow box.
        {"megabyte with escapes", "a%41" + plain + "%42", "", "0", true},
        {"NUL and lone surrogates", odd, QString::fromUtf16(u"x/\0\xD800:\xDC00", 6), "2", false},
    };
    QString lowerBoxDuringMessage = "unset";
    fakes.dialogs.onMessage = [&](const ShownMessage&) {
        lowerBoxDuringMessage = window->txtGoodURL->text();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fakes.dialogs.messages.clear();
        window->lblReps->setText("7");
        QGuiApplication::clipboard()->setText(c.link);
        window->txtBadURL->selectAll();
        window->txtBadURL->paste();
        ASSERT_EQ(window->txtBadURL->text(), c.link);
        window->cmdTrans->click();
        EXPECT_EQ(window->txtGoodURL->text(), c.shown);
        EXPECT_EQ(window->lblReps->text(), c.count);
        const std::vector<ShownMessage> overflow = {{"6 : Overflow", "FixTheURLDyn", 16}};
        EXPECT_EQ(fakes.dialogs.messages, c.overflow ? overflow : std::vector<ShownMessage>{});
    }
    // The megabyte shown before was gone by the time the box showed.
    EXPECT_EQ(lowerBoxDuringMessage, QString());
}

TEST_F(MainWindow, LayoutFollowsTheDesignInTabOrder)
{
    showActive();
    struct Control {
        QWidget* widget;
        int left, top, width, height; // twips
    };
    const Control controls[] = {
        {window->txtBadURL, 90, 360, 5635, 1170}, {window->txtGoodURL, 90, 2085, 5635, 1170},
        {window->cmdTrans, 90, 3375, 1020, 420},  {window->cmdClear, 1245, 3375, 1020, 420},
        {window->cmdClip, 2415, 3375, 1020, 420}, {window->cmdNavigate, 3570, 3375, 1020, 420},
        {window->cmdExit, 4740, 3375, 1020, 420}};
    window->txtBadURL->setFocus();
    for (const Control& c : controls) {
        SCOPED_TRACE(c.widget->objectName().toStdString());
        EXPECT_EQ(c.widget->geometry(), ui::twipsRect(c.left, c.top, c.width, c.height, window));
        EXPECT_EQ(QApplication::focusWidget(), c.widget);
        QTest::keyClick(c.widget, Qt::Key_Tab);
    }
    // Labels fit their text; the count caption keeps its right edge and widens only for its text.
    window->txtBadURL->setPlainText(QStringLiteral("%41").repeated(12345));
    EXPECT_EQ(window->lblReps->text(), "12345");
    for (QLabel* label : {window->Label1, window->Label2, window->lblReps})
        EXPECT_EQ(label->size(), label->sizeHint()) << label->objectName().toStdString();
    const QRect design = ui::twipsRect(3450, 60, 1500, 255, window);
    EXPECT_EQ(window->Label3->geometry().topRight(), design.topRight());
    EXPECT_EQ(window->Label3->size(),
              QSize(std::max(design.width(), window->Label3->sizeHint().width()), design.height()));
}

TEST_F(MainWindow, TitleCaptionAndBoundsAreSetAtLoad)
{
    EXPECT_EQ(window->windowTitle(), "Quorvel   Ver. 2.2.1     by Veskard");
    EXPECT_EQ(window->mnuOptionRemTrailing->text(), "Remove trailing characters ');");
    // Taken before the first showing: the design size and the menu bar.
    EXPECT_EQ(window->mlMinWidth, ui::pixelsToTwips(window->width(), window));
    EXPECT_GT(window->mlMinHeight, ui::pixelsToTwips(ui::twipsToPixels(3870), window));
}

TEST_F(MainWindow, SecondCopyNeverOpensItsWindow)
{
    fakes.instanceGuard.anotherRunning = true;
    QPointer<ui::frmMain> second = new ui::frmMain(fakes.services, forms);
    EXPECT_FALSE(second->Form_Load());
    EXPECT_FALSE(second->isVisible());
    EXPECT_EQ(second->windowTitle(), "Quorvel");
    EXPECT_EQ(forms.loaded(), QList<QWidget*>{window.data()}) << "the first copy stays";
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
}

} // namespace
} // namespace quorvel::test
