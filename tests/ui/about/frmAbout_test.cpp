#include "support/MainWindowFixture.h"
#include "ui/about/frmAbout.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTimer>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

const QColor kBlue(Qt::blue), kRed(Qt::red);
const auto colour = [](const QLabel* link) { return link->palette().color(QPalette::WindowText); };
const ShownMessage kNotice{u"System Information Is Unavailable At This Time"_s, u"Quorvel"_s, 0};

// The box loaded over the main window and shown without a modal loop.
class AboutBox : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        window->show();
        box->Form_Load();
        box->show();
    }

    ui::frmAbout* const box = new ui::frmAbout(fakes.services, window);
    QLabel* const lblemail = control<QLabel>(box, "lblemail");
    QLabel* const lblURL = control<QLabel>(box, "lblURL");
};

// The links are underlined; red under the pointer; over other controls the colours stay,
// over the background both turn blue.
TEST_F(AboutBox, TextsAndLinkColoursFollowingThePointer)
{
    EXPECT_EQ(control<QLabel>(box, "lblVersion")->text(), u"Version 2.2.1"_s);
    // Two sentences, two blanks after the first stop, then the address line.
    const QRegularExpression note(u"^[^.\n]+\\.  [^. ][^.\n]*\\.\n\n       Veskard at "_s);
    EXPECT_TRUE(note.match(control<QLabel>(box, "lblShareware")->text()).hasMatch());
    EXPECT_TRUE(lblemail->font().underline() && lblURL->font().underline());
    struct Move {
        QWidget* over;
        QColor email, url;
    };
    const Move rows[] = {
        {control<QPushButton>(box, "cmdOK"), kBlue, kBlue},    {lblemail, kRed, kBlue},
        {control<QLabel>(box, "lblAuthor"), kRed, kBlue},      {lblURL, kRed, kRed},
        {control<QPushButton>(box, "cmdSysInfo"), kRed, kRed}, {box, kBlue, kBlue}};
    for (const auto& [over, email, url] : rows) {
        SCOPED_TRACE(over->objectName().toStdString());
        QTest::mouseMove(over, over == box ? QPoint(2, box->height() - 2) : QPoint(1, 1));
        EXPECT_EQ(colour(lblemail), email);
        EXPECT_EQ(colour(lblURL), url);
    }
}

TEST_F(AboutBox, LinksOpenOrReportTheShellsFailureTheBoxStaysOpen)
{
    for (const int result : {42, 31}) {
        fakes.shell.result = result;
        QTest::mouseClick(lblemail, Qt::LeftButton);
        QTest::mouseClick(lblURL, Qt::LeftButton);
    }
    // Let go outside the link: no click.
    QTest::mousePress(lblURL, Qt::LeftButton, {}, QPoint(1, 1));
    QTest::mouseRelease(lblURL, Qt::LeftButton, {}, QPoint(lblURL->width() + 5, 1));
    control<QPushButton>(box, "cmdSysInfo")->click();
    const QStringList links{u"mailto:veskard@veskard.example?Subject=Quorvel Program"_s,
                            ui::kAuthorWebSite};
    EXPECT_EQ(fakes.shell.opened, links + links);
    const QString failed = u"Could not execute function - Error code 31\r\n\r\n"
                           "Make sure you have a working, default "_s;
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{{failed + "email program!", "Error", 48},
                                         {failed + "browser!", "Error", 48},
                                         kNotice}));
    EXPECT_TRUE(box->isVisible());
}

using AboutMenu = MainWindowFixture;

// Keep on top is lifted while the box is open, and restored after it only
// while the option is still checked.
TEST_F(AboutMenu, OpensTheBoxModalCentredAfreshAndSuspendsKeepOnTop)
{
    window->show();
    struct Closing {
        const char* name;
        Qt::Key key = {};       // none: the close box
        bool keepOnTop = false; // at the opening
        bool uncheckWhileOpen = false;
        std::vector<bool> after = {}; // z-order calls once the box is gone
    };
    const Closing rows[] = {
        {.name = "Enter", .key = Qt::Key_Return},
        {.name = "Escape", .key = Qt::Key_Escape, .keepOnTop = true, .after = {false, true}},
        {.name = "close box", .keepOnTop = true, .uncheckWhileOpen = true, .after = {false}}};
    std::vector<bool> topmost;
    fakes.zOrder.onCall = [&](const FakeZOrder::Call& call) {
        EXPECT_EQ(call.window, window.data());
        topmost.push_back(call.topmost);
    };
    for (const auto& [way, key, keepOnTop, uncheckWhileOpen, after] : rows) {
        SCOPED_TRACE(way);
        mnuOptionsKeepOnTop->setChecked(keepOnTop);
        topmost.clear();
        QPointer<ui::frmAbout> opened;
        bool closed = false;
        QObject scope; // ends the check below with the case, should no box open
        QTimer::singleShot(0, &scope, [&] {
            opened = qobject_cast<ui::frmAbout*>(QApplication::activeModalWidget());
            ASSERT_FALSE(opened.isNull());
            EXPECT_EQ(opened->parentWidget(), window);
            const QPoint offset = opened->geometry().center() - window->geometry().center();
            EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
            EXPECT_EQ(opened->focusWidget(), control<QPushButton>(opened, "cmdOK"));
            EXPECT_EQ(topmost, std::vector<bool>(keepOnTop, false));
            if (uncheckWhileOpen)
                mnuOptionsKeepOnTop->setChecked(false);
            key ? QTest::keyClick(opened, key) : (void)opened->close();
            closed = !opened || !opened->isVisible();
            if (opened)
                opened->close(); // a box left open would hang the test
        });
        mnuHelpAbout->trigger();
        EXPECT_TRUE(closed);
        EXPECT_TRUE(opened.isNull()); // unloaded, not just hidden
        EXPECT_EQ(topmost, after);
    }
}

} // namespace
} // namespace quorvel::test
