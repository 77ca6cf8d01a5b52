#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtInstanceGuard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

// The real box, read and closed from a timer once its modal loop runs.
TEST(QtDialogs, MessageBoxShowsTextTitleAndIcon)
{
    const std::pair<int, QMessageBox::Icon> cases[] = {{0, QMessageBox::NoIcon},
                                                       {16, QMessageBox::Critical},
                                                       {48, QMessageBox::Warning},
                                                       {64, QMessageBox::Information}};
    for (const auto& [style, icon] : cases) {
        SCOPED_TRACE(style);
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

TEST(QtClipboard, ClearsEveryFormatThenSetsPlainText)
{
    auto* data = new QMimeData;
    data->setHtml(u"<b>old</b>"_s);
    QGuiApplication::clipboard()->setMimeData(data);
    platform::QtClipboard clipboard;
    clipboard.clear();
    const QMimeData* cleared = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(cleared == nullptr || cleared->formats().isEmpty());
    clipboard.setText(u"  http://x.example/\u00e4  "_s);
    const QMimeData* now = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->text(), u"  http://x.example/\u00e4  "_s);
    EXPECT_FALSE(now->hasHtml());
}

TEST(QtInstanceGuard, OnlyTheFirstCopyRuns)
{
    const QString name = u"quorvel-test-%1"_s.arg(QCoreApplication::applicationPid());
    {
        platform::QtInstanceGuard first(name);
        EXPECT_FALSE(first.anotherInstanceRunning());
        EXPECT_FALSE(first.anotherInstanceRunning()) << "asking again must not refuse the first";
        EXPECT_TRUE(platform::QtInstanceGuard(name).anotherInstanceRunning());
    }
    EXPECT_FALSE(platform::QtInstanceGuard(name).anotherInstanceRunning());
}

} // namespace
} // namespace quorvel::test
