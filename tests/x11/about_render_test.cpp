// The About box on a real X server at the toolkit's default font: every text
// whole and apart, the icon and the etched rule drawn.
#include "support/MainWindowFixture.h"
#include "ui/about/frmAbout.h"
#include "ui/common/Twips.h"

#include <QLabel>
#include <QPushButton>
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
    QTest::qWait(100); // lets the window manager settle the box
    const auto& rule = ui::frmAbout::Line1;
    const int ruleTop = ui::twipsToPixels(rule.front().from.y(), box) - rule.front().widthPixels;
    const int ruleBottom = ui::twipsToPixels(rule.back().from.y(), box) + rule.back().widthPixels;
    const auto controls = box->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_EQ(controls.size(), 10);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        const QRect area = controls[i]->geometry();
        SCOPED_TRACE(controls[i]->objectName().toStdString());
        EXPECT_TRUE(box->rect().contains(area));
        EXPECT_TRUE(area.bottom() < ruleTop || area.top() > ruleBottom) << "crosses the rule";
        for (qsizetype j = i + 1; j < controls.size(); ++j)
            EXPECT_FALSE(area.intersects(controls[j]->geometry())) << "overlaps child " << j;
        if (const auto* button = qobject_cast<const QPushButton*>(controls[i])) {
            EXPECT_LE(button->sizeHint().width(), button->width() + 8);
        }
        const auto* label = qobject_cast<const QLabel*>(controls[i]);
        if (!label || label == control<QLabel>(box, "Image1"))
            continue;
        const int flags = int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect needed =
            label->fontMetrics().boundingRect(label->contentsRect(), flags, label->text());
        EXPECT_TRUE(label->contentsRect().contains(needed)) << label->text().toStdString();
    }
    QImage icon = control<QLabel>(box, "Image1")->grab().toImage(), plain = icon;
    plain.fill(icon.pixel(0, 0));
    EXPECT_NE(icon, plain) << "the icon is not drawn";
    const QImage shown = box->grab().toImage();
    const QColor etched[] = {Qt::white, QColor(128, 128, 128)}; // light above dark
    for (size_t i = 0; i < rule.size(); ++i)
        EXPECT_EQ(shown.pixelColor(box->width() / 2, ui::twipsToPixels(rule[i].from.y(), box)),
                  etched[i]);
}

} // namespace
} // namespace quorvel::test
