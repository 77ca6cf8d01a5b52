#include "engine/RuntimeError.h"
#include "support/MainWindowFixture.h"

#include <QAction>
#include <QPushButton>

#include <optional>
#include <tuple>

namespace quorvel::test {
namespace {

using Options = MainWindowFixture;
using M = ui::frmMain;

const QString kPrefix = QStringLiteral("Remove trailing characters ");

TEST_F(Options, TogglesStartAsDesignedAndFlipOnce)
{
    const std::tuple<QAction*, void (M::*)(), bool> toggles[] = {
        {window->mnuOptionsKeepOnTop, &M::mnuOptionsKeepOnTop_Click, false},
        {window->mnuOptionsBringToTopOnDrag, &M::mnuOptionsBringToTopOnDrag_Click, true},
        {window->mnuOptionsTransOnDrop, &M::mnuOptionsTransOnDrop_Click, true},
        {window->mnuOptionsTransOnChange, &M::mnuOptionsTransOnChange_Click, true},
        {window->mnuOptionsShowDropIconForTextOnly, &M::mnuOptionsShowDropIconForTextOnly_Click,
         false},
        {window->mnuOptionRemTrailing, &M::mnuOptionRemTrailing_Click, true},
    };
    for (const auto& [item, click, byDefault] : toggles) {
        SCOPED_TRACE(item->objectName().toStdString());
        EXPECT_EQ(item->isChecked(), byDefault);
        (window.data()->*click)();
        EXPECT_EQ(item->isChecked(), !byDefault);
        // Chosen from the menu, the item is toggled once, not twice.
        item->trigger();
        EXPECT_EQ(item->isChecked(), byDefault);
    }
    const QString start = "When dragging a link to the top box, you will now see a drop icon ";
    const std::vector<ShownMessage> explanations = {
        {start + "only if the link is text", "Explanation", 64},
        {start + "no matter what type the link is", "Explanation", 64}};
    EXPECT_EQ(fakes.dialogs.messages, explanations);
    ASSERT_EQ(fakes.zOrder.calls.size(), 2u);
    EXPECT_EQ(fakes.zOrder.calls[0].window, window.data());
    EXPECT_TRUE(fakes.zOrder.calls[0].topmost);
    EXPECT_FALSE(fakes.zOrder.calls[1].topmost);
    // A platform error is reported under the inner procedure's title; the mark stays moved.
    fakes.zOrder.onCall = [](const FakeZOrder::Call&) { throw RuntimeError(5, "Bad call"); };
    window->mnuOptionsKeepOnTop->trigger();
    EXPECT_TRUE(window->mnuOptionsKeepOnTop->isChecked());
    EXPECT_EQ(fakes.dialogs.messages.back(), (ShownMessage{"5 : Bad call", "KeepOnTop", 16}));
}

TEST_F(Options, EitherMethodItemMovesTheMarkForTheNextTranslation)
{
    // %2A is decoded dynamically but is not among the predefined codes.
    window->txtBadURL->setPlainText(QStringLiteral("action=a%2Ab%2F"));
    QAction* const dyn = window->mnuOptionsDynTrans;
    QAction* const preDef = window->mnuOptionsPreDef;
    // The item chosen and whether the dynamic method is checked afterwards.
    const std::pair<QAction*, bool> steps[] = {
        {dyn, false}, {dyn, true}, {preDef, false}, {preDef, true}};
    for (const auto& [item, dynamic] : steps) {
        SCOPED_TRACE(item->objectName().toStdString() + (dynamic ? " to dynamic" : " to table"));
        const QString shown = window->txtGoodURL->text();
        item->trigger();
        EXPECT_EQ(dyn->isChecked(), dynamic);
        EXPECT_EQ(preDef->isChecked(), !dynamic);
        EXPECT_EQ(window->txtGoodURL->text(), shown);
        window->cmdTrans->click();
        EXPECT_EQ(window->txtGoodURL->text(), dynamic ? "a*b/" : "a%2Ab/");
    }
}

TEST_F(Options, TrailingCharactersDialogAndTheNextTranslation)
{
    window->txtBadURL->setPlainText(QStringLiteral("r?action=http%3A%2F%2Fh.example%2Fpabc"));
    const QString whole = "http://h.example/pabc", cut = "http://h.example/p";
    struct Case {
        std::optional<QString> answer; // none: Cancel
        bool removal;                  // "Remove trailing characters" checked
        QString stored, shown;
    };
    const Case cases[] = {
        {"abc", true, "ABC", cut},
        {std::nullopt, true, "ABC", cut},
        {"", true, "ABC", cut},
        {"   ", true, "ABC", cut},
        {" x ", true, " X", whole},
        {QStringLiteral("\u00e9t\u00e9');  "), true, QStringLiteral("\u00c9T\u00c9');"), whole},
        {"a&b", true, "A&B", whole},
        {"bc", false, "BC", whole},
        {std::nullopt, true, "BC", "http://h.example/pa"},
    };
    QString previous = "');";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer.value_or("<cancel>").toStdString());
        window->mnuOptionRemTrailing->setChecked(c.removal);
        if (c.answer)
            fakes.dialogs.inputAnswers.push_back(*c.answer);
        const QString before = window->txtGoodURL->text();
        window->mnuOptionSetRemTrailing->trigger();
        ASSERT_FALSE(fakes.dialogs.inputRequests.empty());
        const auto& request = fakes.dialogs.inputRequests.back();
        EXPECT_EQ(request.prompt, "Enter trailing characters you would like automatically removed");
        EXPECT_EQ(request.title, "Chose Trailing Chars to Remove");
        EXPECT_EQ(request.defaultText, previous);
        EXPECT_EQ(window->msTrailingChars, c.stored);
        // iconText() drops access-key marks, so an unescaped "&" would vanish here.
        EXPECT_EQ(window->mnuOptionRemTrailing->iconText(), kPrefix + c.stored);
        EXPECT_EQ(window->mnuOptionRemTrailing->isChecked(), c.removal);
        EXPECT_EQ(window->txtGoodURL->text(), before) << "the dialog translates nothing itself";
        window->cmdTrans->click();
        EXPECT_EQ(window->txtGoodURL->text(), c.shown);
        previous = c.stored;
    }
    EXPECT_TRUE(fakes.dialogs.messages.empty());
}

} // namespace
} // namespace quorvel::test
