#include "support/MainWindowFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace quorvel::test {
namespace {

using MainWindowBadInput = MainWindowFixture;

TEST_F(MainWindowBadInput, MegabytePasteEndsInOneOverflowBox)
{
    showActive();
    QString link = QStringLiteral("a%41");
    link += QString(1 << 20, u'b');
    link += QStringLiteral("%42");
    QGuiApplication::clipboard()->setText(link);
    window->txtBadURL->setFocus();
    window->txtBadURL->paste();
    EXPECT_EQ(window->txtBadURL->text().size(), link.size());
    ASSERT_EQ(fakes.dialogs.messages.size(), 1u);
    EXPECT_EQ(fakes.dialogs.messages[0],
              (ShownMessage{QStringLiteral("6 : Overflow"), QStringLiteral("FixTheURLDyn"), 16}));
    EXPECT_EQ(window->txtGoodURL->text(), QString());
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("0"));
}

TEST_F(MainWindowBadInput, MegabyteWithoutEscapesIsShownWhole)
{
    showActive();
    const QString link = QString(1 << 20, u'c');
    window->txtBadURL->setPlainText(link);
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    EXPECT_EQ(window->txtGoodURL->text(), link);
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("0"));
}

TEST_F(MainWindowBadInput, NulAndLoneSurrogatesPassThrough)
{
    const QChar lead(char16_t(0xD800));
    const QChar trail(char16_t(0xDC00));
    QString link = QStringLiteral("x%41");
    link += QChar(u'\0');
    link += lead;
    link += QStringLiteral("%2f");
    link += trail;
    QString expected = QStringLiteral("xA");
    expected += QChar(u'\0');
    expected += lead;
    expected += u'/';
    expected += trail;
    for (const bool predefined : {false, true}) {
        window->mnuOptionsPreDef->setChecked(predefined);
        window->mnuOptionsDynTrans->setChecked(!predefined);
        window->txtBadURL->setPlainText(QString());
        window->txtBadURL->setPlainText(link);
        EXPECT_EQ(window->txtBadURL->text(), link);
        // The table has no code for letters, so %41 stays there.
        EXPECT_EQ(window->txtGoodURL->text(),
                  predefined
                      ? QString(expected).replace(QStringLiteral("xA"), QStringLiteral("x%41"))
                      : expected);
    }
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST_F(MainWindowBadInput, EmptyBoxTranslatesToNothing)
{
    window->lblReps->setText(QStringLiteral("7"));
    window->cmdTrans->click();
    EXPECT_EQ(window->txtGoodURL->text(), QString());
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("0"));
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

} // namespace
} // namespace quorvel::test
