// The About box on a real X server at the toolkit's default font: every text
// whole and apart, the icon and the etched rule drawn. A screenshot is saved
// as about_box.png in $QUORVEL_SCREENSHOT_DIR (default: the working directory).
#include "support/MainWindowFixture.h"
#include "ui/about/frmAbout.h"
#include "ui/common/Twips.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace quorvel::test {
namespace {

using AboutRender = MainWindowFixture;

TEST_F(AboutRender, TextsWholeAndApartIconAndRuleDrawn)
{
    window->show();
    auto* box = new ui::frmAbout(fakes.services, window);
    box->Form_Load();
    box->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(box));
    // Let the window manager frame the box; without one there is no frame.
    (void)QTest::qWaitFor([&] { return box->frameGeometry() != box->geometry(); }, 3000);
    QTest::qWait(100);

    const auto& rule = ui::frmAbout::Line1;
    const int ruleTop = ui::twipsToPixels(rule.front().from.y(), box) - rule.front().widthPixels;
    const int ruleBottom = ui::twipsToPixels(rule.back().from.y(), box) + rule.back().widthPixels;
    const QList<QWidget*> controls =
        box->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(controls.size(), 10);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QRect area = controls[i]->geometry();
        SCOPED_TRACE(controls[i]->objectName().toStdString());
        EXPECT_TRUE(box->rect().contains(area));
        EXPECT_TRUE(area.bottom() < ruleTop || area.top() > ruleBottom) << "crosses the rule";
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(area.intersects(controls[j]->geometry()))
                << controls[j]->objectName().toStdString();
        if (const auto* button = qobject_cast<const QPushButton*>(controls[i])) {
            EXPECT_LE(button->sizeHint().width(), button->width() + 8);
        }
        const auto* label = qobject_cast<const QLabel*>(controls[i]);
        if (!label || label == box->Image1)
            continue;
        ASSERT_FALSE(label->text().isEmpty());
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed =
            label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text());
        EXPECT_TRUE(label->contentsRect().contains(needed)) << label->text().toStdString();
    }

    const QImage icon = box->Image1->grab().toImage();
    QImage plain = icon;
    plain.fill(icon.pixel(0, 0));
    EXPECT_NE(icon, plain) << "the icon is not drawn";
    const QImage shown = box->grab().toImage();
    const auto colourOn = [&](const ui::frmAbout::RuleLine& line) {
        return QColor(shown.pixel(box->width() / 2, ui::twipsToPixels(line.from.y(), box)));
    };
    EXPECT_EQ(colourOn(rule.front()), QColor(Qt::white));
    EXPECT_EQ(colourOn(rule.back()), QColor(128, 128, 128));

    const QString folder = qEnvironmentVariable("QUORVEL_SCREENSHOT_DIR", QDir::currentPath());
    const QRect frame = box->frameGeometry();
    const QPixmap screenshot =
        box->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    EXPECT_TRUE(screenshot.save(QDir(folder).filePath(QStringLiteral("about_box.png"))));
}

} // namespace
} // namespace quorvel::test
