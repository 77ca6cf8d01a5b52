// Renders the About box on a real X server and checks what a person would
// see: every text whole and apart, the icon drawn, the etched rule in place.
// A screenshot is saved as about_box.png in $QUORVEL_SCREENSHOT_DIR (default:
// the working directory).
#include "fakes/FakeServices.h"
#include "ui/about/frmAbout.h"
#include "ui/common/Forms.h"
#include "ui/common/Twips.h"
#include "ui/main/frmMain.h"

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

class AboutRender : public testing::Test {
protected:
    void SetUp() override
    {
        window = new ui::frmMain(fakes.services, forms);
        ASSERT_TRUE(window->Form_Load());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        box = new ui::frmAbout(fakes.services, window);
        forms.load(box);
        box->Form_Load();
        box->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
        // Let the window manager frame both windows, when there is one.
        if (!QTest::qWaitFor([this] { return framed(window) && framed(box); }, 3000))
            std::printf("No window frames: the screenshot shows the client area only.\n");
        QTest::qWait(100);
    }

    void TearDown() override
    {
        // The windows go before the list of loaded windows they report to.
        forms.unloadAll();
        delete window.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static bool framed(const QWidget* widget)
    {
        return widget->frameGeometry() != widget->geometry();
    }

    QList<QWidget*> controls() const
    {
        return box->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    }

    FakeServices fakes;
    ui::Forms forms;
    QPointer<ui::frmMain> window;
    QPointer<ui::frmAbout> box;
};

TEST_F(AboutRender, NoTextIsClippedAtTheDefaultFont)
{
    const QList<QLabel*> labels = box->findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 8);
    for (const QLabel* label : labels) {
        if (label == box->Image1)
            continue;
        SCOPED_TRACE(label->objectName().toStdString() + ": " + label->text().toStdString());
        ASSERT_FALSE(label->text().isEmpty());
        const QRect area = label->contentsRect();
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed = label->fontMetrics().boundingRect(area, flags, label->text());
        EXPECT_LE(needed.width(), area.width());
        EXPECT_LE(needed.height(), area.height());
        if (label->wordWrap())
            EXPECT_LE(label->heightForWidth(label->width()), label->height());
        else
            EXPECT_LE(label->sizeHint().width(), label->width());
    }
    for (const QPushButton* button : box->findChildren<QPushButton*>()) {
        SCOPED_TRACE(button->objectName().toStdString());
        EXPECT_LE(button->sizeHint().width(), button->width() + 8);
        EXPECT_LE(button->fontMetrics().height(), button->height());
    }
}

TEST_F(AboutRender, ControlsNeitherOverlapNorCrossTheRuleNorLeaveTheBox)
{
    const QList<QWidget*> all = controls();
    ASSERT_EQ(all.size(), 10);
    int ruleTop = box->height();
    int ruleBottom = 0;
    for (const ui::frmAbout::RuleLine& line : ui::frmAbout::Line1) {
        const int y = ui::twipsToPixels(line.from.y(), box);
        ruleTop = std::min(ruleTop, y - line.widthPixels);
        ruleBottom = std::max(ruleBottom, y + line.widthPixels);
    }
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QRect a = all[i]->geometry();
        SCOPED_TRACE(all[i]->objectName().toStdString());
        EXPECT_TRUE(box->rect().contains(a));
        EXPECT_TRUE(a.bottom() < ruleTop || a.top() > ruleBottom);
        for (qsizetype j = i + 1; j < all.size(); ++j)
            EXPECT_FALSE(a.intersects(all[j]->geometry())) << all[j]->objectName().toStdString();
    }
}

TEST_F(AboutRender, FrameIsCentredOnTheMainWindowsFrame)
{
    const QPoint offset = box->frameGeometry().center() - window->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 3) << offset.x() << "," << offset.y();
}

TEST_F(AboutRender, IconAndEtchedRuleAreDrawnAndAScreenshotIsSaved)
{
    const QImage shown = box->grab().toImage();
    const QRect icon = box->Image1->geometry();
    QSet<QRgb> colours;
    for (int y = icon.top(); y <= icon.bottom(); y += 2)
        for (int x = icon.left(); x <= icon.right(); x += 2)
            colours.insert(shown.pixel(x, y));
    EXPECT_GE(colours.size(), 3) << "the icon is not drawn";

    const int middle = box->width() / 2;
    const int whiteY = ui::twipsToPixels(ui::frmAbout::Line1[0].from.y(), box);
    const int greyY = ui::twipsToPixels(ui::frmAbout::Line1[1].from.y(), box);
    EXPECT_EQ(QColor(shown.pixel(middle, whiteY)), QColor(Qt::white));
    EXPECT_EQ(QColor(shown.pixel(middle, greyY)), QColor(128, 128, 128));
    EXPECT_NE(QColor(shown.pixel(middle, greyY + 3)), QColor(128, 128, 128));

    QString folder = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR");
    if (folder.isEmpty())
        folder = QDir::currentPath();
    const QString file = QDir(folder).filePath(QStringLiteral("about_box.png"));
    const QRect frame = box->frameGeometry();
    const QPixmap screenshot =
        box->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    ASSERT_FALSE(screenshot.isNull());
    EXPECT_TRUE(screenshot.save(file));
    std::printf("About box screenshot: %s\n", qPrintable(file));
}

} // namespace
} // namespace quorvel::test
