#include "platform/qt/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

// A lone CR would show as a glyph. A window manager shortens a title wider than its
// title bar: the box leaves room for the whole title in bold beside the bar's icon and
// three buttons, about a line each.
TEST(QtDialogs, MessageBoxShowsTextTitleAndIconAndFitsTheTitle)
{
    struct Row {
        MessageStyle style;
        QMessageBox::Icon icon;
        QString text, title, shown;
    };
    // clang-format off
    const Row rows[] = {
        {MessageStyle::Plain, QMessageBox::NoIcon, u"first\r\nsecond"_s, u"Title"_s, u"first\nsecond"_s},
        {MessageStyle::Critical, QMessageBox::Critical, u"6 : Overflow"_s, u"FixTheURLDyn"_s, u"6 : Overflow"_s},
        {MessageStyle::Exclamation, QMessageBox::Warning, u"5 : Bad call"_s, u"txtBadURL_OLEDragDrop"_s, u"5 : Bad call"_s},
        {MessageStyle::Information, QMessageBox::Information, u"a\r\nb"_s, u"T"_s, u"a\nb"_s}};
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.title.toStdString());
        int width = 0, needed = 1;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->text(), row.shown);
            EXPECT_EQ(box->windowTitle(), row.title);
            EXPECT_EQ(box->icon(), row.icon);
            EXPECT_EQ(box->buttons().size(), 1);
            QFont bold = box->font();
            bold.setBold(true);
            const QFontMetrics metrics(bold);
            needed = metrics.horizontalAdvance(row.title) + 4 * metrics.height();
            width = box->width();
            box->button(QMessageBox::Ok)->click();
        });
        platform::QtDialogs().messageBox(row.text, row.title, row.style);
        EXPECT_GE(width, needed);
    }
}

} // namespace
} // namespace quorvel::test
