#include "support/MainWindowFixture.h"
#include "ui/common/Twips.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <vector>

namespace quorvel::test {
namespace {

using MainWindow = MainWindowFixture;

void choosePredefined(ui::frmMain& window)
{
    window.mnuOptionsPreDef->setChecked(true);
    window.mnuOptionsDynTrans->setChecked(false);
}

TEST_F(MainWindow, TypingTranslatesEveryChange)
{
    typeIntoUpperBox(QStringLiteral("x%3a%2f%2fy%2ez"));
    EXPECT_EQ(window->txtGoodURL->text(), QStringLiteral("x://y.z"));
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("4"));
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST_F(MainWindow, PredefinedMethodGivesTheSameResult)
{
    choosePredefined(*window);
    typeIntoUpperBox(QStringLiteral("x%3a%2f%2fy%2ez"));
    EXPECT_EQ(window->txtGoodURL->text(), QStringLiteral("x://y.z"));
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("4"));
}

TEST_F(MainWindow, ResultIsShownWithoutOuterBlanks)
{
    struct Case {
        bool predefined;
        bool removeTrailing;
    };
    for (const Case c :
         {Case{false, true}, Case{false, false}, Case{true, true}, Case{true, false}}) {
        SCOPED_TRACE(testing::Message()
                     << "predefined " << c.predefined << " removal " << c.removeTrailing);
        window->mnuOptionsPreDef->setChecked(c.predefined);
        window->mnuOptionsDynTrans->setChecked(!c.predefined);
        window->mnuOptionRemTrailing->setChecked(c.removeTrailing);
        window->txtBadURL->setPlainText(QStringLiteral("%20abc%20"));
        EXPECT_EQ(window->txtGoodURL->text(), QStringLiteral("abc"));
        EXPECT_EQ(window->lblReps->text(), QStringLiteral("2"));
    }
}

TEST_F(MainWindow, NoMethodCheckedShowsEmptyResult)
{
    window->txtBadURL->setPlainText(QStringLiteral("a%41"));
    window->mnuOptionsDynTrans->setChecked(false);
    window->cmdTrans->click();
    EXPECT_EQ(window->txtGoodURL->text(), QString());
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("0"));
}

TEST_F(MainWindow, MethodErrorLeavesLowerBoxEmptyWhileItsBoxShows)
{
    window->txtBadURL->setPlainText(QStringLiteral("%41"));
    ASSERT_EQ(window->txtGoodURL->text(), QStringLiteral("A"));
    QString lowerBoxDuringMessage = QStringLiteral("unset");
    fakes.dialogs.onMessage = [&](const ShownMessage&) {
        lowerBoxDuringMessage = window->txtGoodURL->text();
    };
    // The marker at 32761 pushes its end beyond the 16-bit range.
    window->txtBadURL->setPlainText(QString(32760, u'x') + QStringLiteral("action=%41"));
    ASSERT_EQ(fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(fakes.dialogs.messages[0],
              (ShownMessage{QStringLiteral("6 : Overflow"), QStringLiteral("FixTheURLDyn"), 16}));
    EXPECT_EQ(lowerBoxDuringMessage, QString());
    EXPECT_EQ(window->txtGoodURL->text(), QString());
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("0"));
}

TEST_F(MainWindow, LongCountIsShownInFull)
{
    QString link;
    for (int i = 0; i < 12345; ++i)
        link += QStringLiteral("%41");
    window->txtBadURL->setPlainText(link);
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("12345"));
    EXPECT_GE(window->lblReps->width(),
              window->lblReps->fontMetrics().horizontalAdvance(QStringLiteral("12345")));
}

TEST_F(MainWindow, ClearWithAutoTranslateResetsTheCount)
{
    showActive();
    typeIntoUpperBox(QStringLiteral("a%41%42"));
    ASSERT_EQ(window->lblReps->text(), QStringLiteral("2"));
    window->cmdNavigate->setFocus();
    window->cmdClear->click();
    EXPECT_EQ(window->txtBadURL->text(), QString());
    EXPECT_EQ(window->txtGoodURL->text(), QString());
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("0"));
    EXPECT_EQ(QApplication::focusWidget(), window->txtBadURL);
}

TEST_F(MainWindow, ClearWithoutAutoTranslateKeepsTheCount)
{
    typeIntoUpperBox(QStringLiteral("a%41%42"));
    window->mnuOptionsTransOnChange->setChecked(false);
    window->cmdClear->click();
    EXPECT_EQ(window->txtBadURL->text(), QString());
    EXPECT_EQ(window->txtGoodURL->text(), QString());
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("2"));
}

TEST_F(MainWindow, TypingWithoutAutoTranslateWaitsForCtrlT)
{
    window->mnuOptionsTransOnChange->setChecked(false);
    typeIntoUpperBox(QStringLiteral("%41"));
    EXPECT_EQ(window->txtGoodURL->text(), QString());
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("0"));
    showActive();
    window->txtBadURL->setFocus();
    QTest::keyClick(window->txtBadURL, Qt::Key_T, Qt::ControlModifier);
    EXPECT_EQ(window->txtGoodURL->text(), QStringLiteral("A"));
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("1"));
}

TEST_F(MainWindow, EnterInEitherBoxPressesTranslateWithoutNewLine)
{
    window->mnuOptionsTransOnChange->setChecked(false);
    window->txtBadURL->setPlainText(QStringLiteral("%41"));
    QSignalSpy translate(window->cmdTrans, &QPushButton::clicked);
    for (ui::UrlBox* box : {window->txtBadURL, window->txtGoodURL}) {
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            box->setFocus();
            QTest::keyClick(box, key);
        }
    }
    EXPECT_EQ(translate.count(), 4);
    EXPECT_EQ(window->txtBadURL->text(), QStringLiteral("%41"));
    EXPECT_EQ(window->txtGoodURL->text(), QStringLiteral("A"));
}

TEST_F(MainWindow, ShortcutsReachTheButtonsEvenFromATextBox)
{
    showActive();
    struct Case {
        QKeyCombination key;
        QPushButton* button;
    };
    const std::vector<Case> cases = {
        {Qt::CTRL | Qt::Key_T, window->cmdTrans},
        {Qt::CTRL | Qt::Key_G, window->cmdNavigate},
        {Qt::CTRL | Qt::Key_B, window->cmdClear},
        {Qt::CTRL | Qt::Key_P, window->cmdClip},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
        QSignalSpy pressed(c.button, &QPushButton::clicked);
        window->txtBadURL->setFocus();
        QTest::keyClick(window->txtBadURL, c.key.key(), c.key.keyboardModifiers());
        EXPECT_EQ(pressed.count(), 1);
    }
}

TEST_F(MainWindow, CtrlAAndF1ReachTheHelpMenuFromATextBox)
{
    showActive();
    // The handlers open modal boxes; only whether the items fire matters here.
    for (QAction* item : {window->mnuHelpAbout, window->mnuHelpDirs})
        QObject::disconnect(item, nullptr, window, nullptr);
    QSignalSpy about(window->mnuHelpAbout, &QAction::triggered);
    QSignalSpy directions(window->mnuHelpDirs, &QAction::triggered);
    window->txtBadURL->setPlainText(QStringLiteral("abc"));
    window->txtBadURL->setFocus();
    QTest::keyClick(window->txtBadURL, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(window->txtBadURL, Qt::Key_F1);
    EXPECT_EQ(about.count(), 1);
    EXPECT_EQ(directions.count(), 1);
    EXPECT_FALSE(window->txtBadURL->textCursor().hasSelection());
}

TEST_F(MainWindow, EscapeUnloadsEveryWindow)
{
    showActive();
    auto* other = new QWidget;
    forms.load(other);
    other->show();
    window->txtGoodURL->setFocus();
    QTest::keyClick(window->txtGoodURL, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(forms.loaded().isEmpty());
    EXPECT_TRUE(window.isNull());
}

TEST_F(MainWindow, FileExitPressesExit)
{
    QSignalSpy exitPressed(window->cmdExit, &QPushButton::clicked);
    QSignalSpy gone(&forms, &ui::Forms::allUnloaded);
    window->mnuFileExit->trigger();
    EXPECT_EQ(exitPressed.count(), 1);
    EXPECT_EQ(gone.count(), 1);
}

TEST_F(MainWindow, TerminateUnloadsWindowsLeftBehind)
{
    auto* other = new QWidget;
    forms.load(other);
    other->show();
    delete window.data();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(forms.loaded().isEmpty());
}

TEST(MainWindowLoad, TitleAndEndingAreSetAtLoad)
{
    FakeServices fakes;
    ui::Forms forms;
    ui::AppInfo twoDigitMinor;
    twoDigitMinor.minor = 10;
    for (const auto& [info, title] :
         {std::pair{ui::AppInfo{}, QStringLiteral("Quorvel   Ver. 2.2.1     by Veskard")},
          std::pair{twoDigitMinor, QStringLiteral("Quorvel   Ver. 2.10.1     by Veskard")}}) {
        ui::frmMain window(fakes.services, forms, info);
        EXPECT_EQ(window.windowTitle(), QStringLiteral("Quorvel"));
        ASSERT_TRUE(window.Form_Load());
        EXPECT_EQ(window.windowTitle(), title);
        EXPECT_EQ(window.mnuOptionRemTrailing->text(),
                  QStringLiteral("Remove trailing characters ');"));
        EXPECT_EQ(window.msTrailingChars, QStringLiteral("');"));
        EXPECT_EQ(window.maCode[8], u"%2F");
        EXPECT_EQ(window.maChar[8], u"/");
        // Taken before the first showing: the design size and the menu bar.
        EXPECT_EQ(window.mlMinWidth, ui::pixelsToTwips(window.width(), &window));
        EXPECT_GT(window.mlMinHeight, ui::pixelsToTwips(ui::twipsToPixels(3870), &window));
    }
}

TEST(MainWindowLoad, SecondCopyNeverOpensItsWindow)
{
    FakeServices fakes;
    fakes.instanceGuard.anotherRunning = true;
    ui::Forms forms;
    QPointer<ui::frmMain> window = new ui::frmMain(fakes.services, forms);
    EXPECT_FALSE(window->Form_Load());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Quorvel"));
    EXPECT_TRUE(forms.loaded().isEmpty());
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

} // namespace
} // namespace quorvel::test
