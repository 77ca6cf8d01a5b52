#include "support/MainWindowFixture.h"
#include "ui/about/AboutBoxDriver.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

namespace quorvel::test {
namespace {

const QColor kBlue(0, 0, 255);
const QColor kRed(255, 0, 0);

QColor colour(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}

void moveOver(QWidget* widget, QPoint at = {1, 1})
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void click(QWidget* widget, QPoint releaseAt = {1, 1})
{
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, releaseAt);
}

// A loaded box over the main window, shown without a modal loop.
class AboutBox : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        window->show();
        box = new ui::frmAbout(fakes.services, window);
        box->Form_Load();
        box->show();
    }

    ui::frmAbout* box = nullptr; // the main window's child
};

TEST_F(AboutBox, ShowsItsTextsAndIconInAFixedFrame)
{
    EXPECT_EQ(box->windowTitle(), QStringLiteral("About ") + ui::executableName());
    EXPECT_EQ(box->lblVersion->text(), QStringLiteral("Version 2.2.1"));
    EXPECT_EQ(box->lblTitle->text(), QStringLiteral("Quorvel"));
    EXPECT_TRUE(
        box->lblAuthor->text().endsWith(QStringLiteral(".\nLast updated January 06, 2006")));
    // Two sentences, two blanks after the first stop, then the address line.
    const QRegularExpression note(
        QStringLiteral("^[^.\n]+\\.  [^. ][^.\n]*\\.\n\n       Veskard at "));
    EXPECT_TRUE(note.match(box->lblShareware->text()).hasMatch())
        << box->lblShareware->text().toStdString();
    EXPECT_FALSE(box->Image1->pixmap().isNull());
    EXPECT_TRUE(box->Image1->hasScaledContents());
    EXPECT_EQ(box->minimumSize(), box->maximumSize());
    EXPECT_TRUE(box->cmdOK->isDefault());
}

TEST_F(AboutBox, LinksTurnRedUnderThePointerAndBlueOnlyOverTheBackground)
{
    for (const QLabel* link : {box->lblemail, box->lblURL}) {
        EXPECT_TRUE(link->font().underline());
        EXPECT_EQ(colour(link), kBlue);
    }
    moveOver(box->lblemail);
    EXPECT_EQ(colour(box->lblemail), kRed);
    EXPECT_EQ(colour(box->lblURL), kBlue);
    // Over other controls the red stays.
    moveOver(box->lblAuthor);
    moveOver(box->cmdOK);
    moveOver(box->lblURL);
    EXPECT_EQ(colour(box->lblemail), kRed);
    EXPECT_EQ(colour(box->lblURL), kRed);
    moveOver(box, QPoint(2, box->height() - 2));
    EXPECT_EQ(colour(box->lblemail), kBlue);
    EXPECT_EQ(colour(box->lblURL), kBlue);
}

TEST_F(AboutBox, LinksAndSystemInfoReportFailuresAndKeepTheBoxOpen)
{
    click(box->lblemail);
    click(box->lblURL);
    click(box->lblURL, QPoint(box->lblURL->width() + 5, 1)); // let go outside: no click
    EXPECT_EQ(fakes.shell.opened,
              (QStringList{QStringLiteral("mailto:veskard@veskard.example?Subject=Quorvel Program"),
                           ui::kAuthorWebSite}));
    EXPECT_TRUE(fakes.dialogs.messages.empty());

    fakes.shell.result = 31;
    click(box->lblemail);
    click(box->lblURL);
    box->cmdSysInfo->click();
    const QString failed = QStringLiteral("Could not execute function - Error code 31\r\n\r\n"
                                          "Make sure you have a working, default ");
    EXPECT_EQ(fakes.dialogs.messages,
              (std::vector<ShownMessage>{
                  {failed + "email program!", "Error", 48},
                  {failed + "browser!", "Error", 48},
                  {"System Information Is Unavailable At This Time", "Quorvel", 0}}));
    EXPECT_TRUE(box->isVisible());
}

using AboutFromMainWindow = MainWindowFixture;

TEST_F(AboutFromMainWindow, OpensModalCentredAndAfreshUntilClosed)
{
    window->show();
    const std::pair<const char*, void (*)(ui::frmAbout&)> ways[] = {
        {"Enter", [](ui::frmAbout& box) { QTest::keyClick(&box, Qt::Key_Return); }},
        {"Escape", [](ui::frmAbout& box) { QTest::keyClick(&box, Qt::Key_Escape); }},
        {"close box", [](ui::frmAbout& box) { box.close(); }},
    };
    for (const auto& [way, close] : ways) {
        SCOPED_TRACE(way);
        QPointer<ui::frmAbout> opened;
        bool closed = false;
        AboutBoxDriver driver([&](ui::frmAbout& box) {
            opened = &box;
            EXPECT_EQ(box.parentWidget(), window);
            EXPECT_TRUE(box.isModal());
            const QPoint offset = box.geometry().center() - window->geometry().center();
            EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
            EXPECT_EQ(box.focusWidget(), box.cmdOK);
            // The previous opening left its link red: this one starts blue.
            EXPECT_EQ(colour(box.lblURL), kBlue);
            moveOver(box.lblURL);
            close(box);
            closed = !box.isVisible();
        });
        window->mnuHelpAbout_Click();
        EXPECT_TRUE(driver.ran());
        EXPECT_TRUE(closed);
        EXPECT_TRUE(opened.isNull()); // unloaded, not just hidden
    }
}

} // namespace
} // namespace quorvel::test
