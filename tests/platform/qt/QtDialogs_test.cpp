#include "platform/qt/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

// The real box, read and closed from a timer once its modal loop runs.
TEST(QtDialogs, MessageBoxShowsTextTitleAndIcon)
{
    const std::pair<MessageStyle, QMessageBox::Icon> cases[] = {
        {MessageStyle::Plain, QMessageBox::NoIcon},
        {MessageStyle::Critical, QMessageBox::Critical},
        {MessageStyle::Exclamation, QMessageBox::Warning},
        {MessageStyle::Information, QMessageBox::Information}};
    for (const auto& [style, icon] : cases) {
        SCOPED_TRACE(static_cast<int>(style));
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = true;
            EXPECT_EQ(box->text(), u"first\nsecond"_s); // a lone CR would show as a glyph
            EXPECT_EQ(box->windowTitle(), u"Title"_s);
            EXPECT_EQ(box->icon(), icon);
            EXPECT_EQ(box->buttons().size(), 1);
            box->button(QMessageBox::Ok)->click();
        });
        platform::QtDialogs().messageBox(u"first\r\nsecond"_s, u"Title"_s, style);
        EXPECT_TRUE(seen);
    }
}

// A window manager shortens a title wider than its title bar: the box leaves room for
// the whole title in bold beside the bar's icon and three buttons, about a line each.
TEST(QtDialogs, MessageBoxIsWideEnoughForItsTitle)
{
    struct Row {
        const char* name;
        QString text;
        QString title;
    };
    const Row rows[] = {
        {.name = "overflow", .text = u"6 : Overflow"_s, .title = u"FixTheURLDyn"_s},
        {.name = "longest title", .text = u"5 : Bad call"_s, .title = u"txtBadURL_OLEDragDrop"_s},
    };
    for (const Row& row : rows) {
        int width = 0, needed = 1;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            QFont bold = box->font();
            bold.setBold(true);
            const QFontMetrics metrics(bold);
            needed = metrics.horizontalAdvance(row.title) + 4 * metrics.height();
            width = box->width();
            box->button(QMessageBox::Ok)->click();
        });
        platform::QtDialogs().messageBox(row.text, row.title, MessageStyle::Critical);
        EXPECT_GE(width, needed) << row.name;
    }
}

} // namespace
} // namespace quorvel::test
