#include "engine/RuntimeError.h"
#include "support/MainWindowFixture.h"

#include <QAction>
#include <QKeySequence>
#include <QLabel>

#include <optional>
#include <vector>

namespace quorvel::test {
namespace {

using Options = MainWindowFixture;
using Handler = void (ui::frmMain::*)();

const QString kPrefix = QStringLiteral("Remove trailing characters ");

struct Toggle {
    QAction* ui::frmMain::*item;
    Handler click;
    bool byDefault;
};

const Toggle kToggles[] = {
    {&ui::frmMain::mnuOptionsBringToTopOnDrag, &ui::frmMain::mnuOptionsBringToTopOnDrag_Click,
     true},
    {&ui::frmMain::mnuOptionsTransOnDrop, &ui::frmMain::mnuOptionsTransOnDrop_Click, true},
    {&ui::frmMain::mnuOptionsTransOnChange, &ui::frmMain::mnuOptionsTransOnChange_Click, true},
    {&ui::frmMain::mnuOptionRemTrailing, &ui::frmMain::mnuOptionRemTrailing_Click, true},
};

TEST_F(Options, PlainTogglesFlipTheirOwnMarkAndNothingElse)
{
    for (const Toggle& toggle : kToggles) {
        QAction* item = window.data()->*toggle.item;
        SCOPED_TRACE(item->objectName().toStdString());
        ASSERT_EQ(item->isChecked(), toggle.byDefault);
        (window.data()->*toggle.click)();
        EXPECT_EQ(item->isChecked(), !toggle.byDefault);
        // Chosen from the menu, the item is toggled once, not twice.
        item->trigger();
        EXPECT_EQ(item->isChecked(), toggle.byDefault);
    }
    EXPECT_EQ(window->mnuOptionRemTrailing->text(), kPrefix + QStringLiteral("');"));
    EXPECT_EQ(window->msTrailingChars, QStringLiteral("');"));
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    EXPECT_TRUE(fakes.zOrder.calls.empty());
    EXPECT_EQ(window->txtGoodURL->text(), QString());
}

TEST_F(Options, KeepOnTopFollowsTheNewMark)
{
    window->mnuOptionsKeepOnTop_Click();
    EXPECT_TRUE(window->mnuOptionsKeepOnTop->isChecked());
    window->mnuOptionsKeepOnTop->trigger();
    EXPECT_FALSE(window->mnuOptionsKeepOnTop->isChecked());
    ASSERT_EQ(fakes.zOrder.calls.size(), 2u);
    EXPECT_EQ(fakes.zOrder.calls[0].window, window.data());
    EXPECT_TRUE(fakes.zOrder.calls[0].topmost);
    EXPECT_FALSE(fakes.zOrder.calls[1].topmost);
}

TEST_F(Options, KeepOnTopReportsAPlatformErrorUnderItsOwnTitleAndKeepsTheMark)
{
    fakes.zOrder.onCall = [](const FakeZOrder::Call&) {
        throw RuntimeError(5, "Invalid procedure call or argument");
    };
    window->mnuOptionsKeepOnTop_Click();
    EXPECT_TRUE(window->mnuOptionsKeepOnTop->isChecked());
    const std::vector<ShownMessage> expected = {
        {QStringLiteral("5 : Invalid procedure call or argument"), QStringLiteral("KeepOnTop"),
         16}};
    EXPECT_EQ(fakes.dialogs.messages, expected);
}

TEST_F(Options, DropFilterExplainsEachNewState)
{
    window->mnuOptionsShowDropIconForTextOnly_Click();
    EXPECT_TRUE(window->mnuOptionsShowDropIconForTextOnly->isChecked());
    window->mnuOptionsShowDropIconForTextOnly->trigger();
    EXPECT_FALSE(window->mnuOptionsShowDropIconForTextOnly->isChecked());
    const QString start = QStringLiteral("When dragging a link to the top box, you will now see a "
                                         "drop icon ");
    const std::vector<ShownMessage> expected = {
        {start + QStringLiteral("only if the link is text"), QStringLiteral("Explanation"), 64},
        {start + QStringLiteral("no matter what type the link is"), QStringLiteral("Explanation"),
         64}};
    EXPECT_EQ(fakes.dialogs.messages, expected);
}

TEST_F(Options, EitherMethodItemMovesTheSingleMark)
{
    struct Step {
        Handler click;
        bool dynamicAfter;
    };
    const Step steps[] = {
        {&ui::frmMain::mnuOptionsDynTrans_Click, false},
        {&ui::frmMain::mnuOptionsDynTrans_Click, true},
        {&ui::frmMain::mnuOptionsPreDef_Click, false},
        {&ui::frmMain::mnuOptionsPreDef_Click, true},
        {&ui::frmMain::mnuOptionsPreDef_Click, false},
        {&ui::frmMain::mnuOptionsDynTrans_Click, true},
    };
    ASSERT_TRUE(window->mnuOptionsDynTrans->isChecked());
    ASSERT_FALSE(window->mnuOptionsPreDef->isChecked());
    int index = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(index++);
        (window.data()->*step.click)();
        EXPECT_EQ(window->mnuOptionsDynTrans->isChecked(), step.dynamicAfter);
        EXPECT_EQ(window->mnuOptionsPreDef->isChecked(), !step.dynamicAfter);
    }
    window->mnuOptionsPreDef->trigger();
    EXPECT_TRUE(window->mnuOptionsPreDef->isChecked());
    EXPECT_FALSE(window->mnuOptionsDynTrans->isChecked());
}

TEST_F(Options, TrailingCharactersDialog)
{
    struct Case {
        std::optional<QString> answer; // nullopt: Cancel
        QString stored;
    };
    const Case cases[] = {
        {QStringLiteral("abc"), QStringLiteral("ABC")},
        {std::nullopt, QStringLiteral("ABC")},
        {QString(), QStringLiteral("ABC")},
        {QStringLiteral("   "), QStringLiteral("ABC")},
        {QStringLiteral(" x "), QStringLiteral(" X")},
        {QStringLiteral("\u00e9t\u00e9');  "), QStringLiteral("\u00c9T\u00c9');")},
    };
    QString previous = QStringLiteral("');");
    for (const Case& step : cases) {
        SCOPED_TRACE(step.answer.value_or(QStringLiteral("<cancel>")).toStdString());
        if (step.answer)
            fakes.dialogs.inputAnswers.push_back(*step.answer);
        window->mnuOptionSetRemTrailing_Click();
        ASSERT_FALSE(fakes.dialogs.inputRequests.empty());
        const auto& request = fakes.dialogs.inputRequests.back();
        EXPECT_EQ(request.prompt,
                  QStringLiteral("Enter trailing characters you would like automatically removed"));
        EXPECT_EQ(request.title, QStringLiteral("Chose Trailing Chars to Remove"));
        EXPECT_EQ(request.defaultText, previous);
        EXPECT_EQ(window->msTrailingChars, step.stored);
        EXPECT_EQ(window->mnuOptionRemTrailing->text(), kPrefix + step.stored);
        EXPECT_TRUE(window->mnuOptionRemTrailing->isChecked());
        previous = step.stored;
    }
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

TEST_F(Options, AmpersandInTheEndingShowsLiterally)
{
    fakes.dialogs.inputAnswers.push_back(QStringLiteral("a&b"));
    window->mnuOptionSetRemTrailing_Click();
    EXPECT_EQ(window->msTrailingChars, QStringLiteral("A&B"));
    // Shown as typed and no access key made of it.
    EXPECT_EQ(window->mnuOptionRemTrailing->iconText(), kPrefix + QStringLiteral("A&B"));
    EXPECT_TRUE(QKeySequence::mnemonic(window->mnuOptionRemTrailing->text()).isEmpty());
    // The dialog offers the real ending, not the escaped caption.
    window->mnuOptionSetRemTrailing_Click();
    EXPECT_EQ(fakes.dialogs.inputRequests.back().defaultText, QStringLiteral("A&B"));
}

TEST_F(Options, DefiningWhileRemovalIsOffLeavesItOff)
{
    window->mnuOptionRemTrailing_Click();
    fakes.dialogs.inputAnswers.push_back(QStringLiteral("abc"));
    window->mnuOptionSetRemTrailing_Click();
    EXPECT_FALSE(window->mnuOptionRemTrailing->isChecked());
    EXPECT_EQ(window->mnuOptionRemTrailing->text(), kPrefix + QStringLiteral("ABC"));
}

TEST_F(Options, NewEndingIsCutFromTheNextTranslationOnlyWhileRemovalIsOn)
{
    const QString link = QStringLiteral("r?action=http%3A%2F%2Fh.example%2Fpabc");
    window->txtBadURL->setPlainText(link);
    EXPECT_EQ(window->txtGoodURL->text(), QStringLiteral("http://h.example/pabc"));

    fakes.dialogs.inputAnswers.push_back(QStringLiteral("abc"));
    window->mnuOptionSetRemTrailing_Click();
    EXPECT_EQ(window->txtGoodURL->text(), QStringLiteral("http://h.example/pabc"))
        << "defining an ending translates nothing by itself";
    window->cmdTrans_Click();
    EXPECT_EQ(window->txtGoodURL->text(), QStringLiteral("http://h.example/p"));
    EXPECT_EQ(window->lblReps->text(), QStringLiteral("4"));

    window->mnuOptionRemTrailing_Click();
    window->cmdTrans_Click();
    EXPECT_EQ(window->txtGoodURL->text(), QStringLiteral("http://h.example/pabc"));
}

TEST_F(Options, MethodChoiceTakesEffectWithTheNextTranslation)
{
    // %2A is decoded dynamically but is not among the predefined codes.
    window->txtBadURL->setPlainText(QStringLiteral("action=a%2Ab%2F"));
    EXPECT_EQ(window->txtGoodURL->text(), QStringLiteral("a*b/"));
    window->mnuOptionsPreDef_Click();
    EXPECT_EQ(window->txtGoodURL->text(), QStringLiteral("a*b/"));
    window->cmdTrans_Click();
    EXPECT_EQ(window->txtGoodURL->text(), QStringLiteral("a%2Ab/"));
}

} // namespace
} // namespace quorvel::test
