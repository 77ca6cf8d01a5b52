#include "platform/qt/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

TEST(QtClipboard, ClearsEveryFormatThenSetsPlainText)
{
    auto* old = new QMimeData;
    old->setHtml(u"<b>old</b>"_s);
    QGuiApplication::clipboard()->setMimeData(old);
    platform::QtClipboard clipboard;
    clipboard.clear();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(data == nullptr || data->formats().isEmpty());
    clipboard.setText(u"  http://x.example/\u00e4  "_s);
    data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->formats(), QStringList{u"text/plain"_s});
    EXPECT_EQ(data->text(), u"  http://x.example/\u00e4  "_s);
}

} // namespace
} // namespace quorvel::test
