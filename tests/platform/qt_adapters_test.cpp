#include "platform/qt/QtClipboard.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtInstanceGuard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace quorvel::test {
namespace {

// Runs an action against the modal box once it is open.
void whenModalOpens(std::function<void(QWidget*)> action)
{
    QTimer::singleShot(0, [action = std::move(action)] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        action(modal);
    });
}

TEST(QtDialogs, MessageBoxShowsTextTitleAndIconOfItsStyle)
{
    struct Case {
        int style;
        QMessageBox::Icon icon;
    };
    for (const Case c : {Case{0, QMessageBox::NoIcon}, Case{16, QMessageBox::Critical},
                         Case{48, QMessageBox::Warning}, Case{64, QMessageBox::Information}}) {
        QString seenText, seenTitle;
        QMessageBox::Icon seenIcon = QMessageBox::Question;
        int buttons = 0;
        whenModalOpens([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            seenText = box->text();
            seenTitle = box->windowTitle();
            seenIcon = box->icon();
            buttons = static_cast<int>(box->buttons().size());
            box->button(QMessageBox::Ok)->click();
        });
        platform::QtDialogs().messageBox(QStringLiteral("first\r\nsecond"), QStringLiteral("Title"),
                                         c.style);
        EXPECT_EQ(seenText, QStringLiteral("first\nsecond")) << c.style;
        EXPECT_EQ(seenTitle, QStringLiteral("Title"));
        EXPECT_EQ(seenIcon, c.icon) << c.style;
        EXPECT_EQ(buttons, 1);
    }
}

TEST(QtDialogs, InputBoxReturnsEntryOrEmptyOnCancel)
{
    for (const bool accept : {true, false}) {
        QString defaultSeen;
        whenModalOpens([&](QWidget* modal) {
            auto* edit = modal->findChild<QLineEdit*>();
            ASSERT_NE(edit, nullptr);
            defaultSeen = edit->text();
            edit->setText(QStringLiteral("abc "));
            QMetaObject::invokeMethod(modal, accept ? "accept" : "reject");
        });
        const QString answer = platform::QtDialogs().inputBox(
            QStringLiteral("Prompt"), QStringLiteral("Title"), QStringLiteral("');"));
        EXPECT_EQ(defaultSeen, QStringLiteral("');"));
        EXPECT_EQ(answer, accept ? QStringLiteral("abc ") : QString());
    }
}

TEST(QtClipboard, ClearRemovesEveryFormatAndTextArrivesAsPlainText)
{
    auto* data = new QMimeData;
    data->setHtml(QStringLiteral("<b>old</b>"));
    data->setText(QStringLiteral("old"));
    QGuiApplication::clipboard()->setMimeData(data);
    platform::QtClipboard clipboard;
    clipboard.clear();
    const QMimeData* cleared = QGuiApplication::clipboard()->mimeData();
    EXPECT_TRUE(cleared == nullptr || cleared->formats().isEmpty());
    clipboard.setText(QStringLiteral("  http://x.example/ä  "));
    const QMimeData* now = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(now, nullptr);
    EXPECT_EQ(now->text(), QStringLiteral("  http://x.example/ä  "));
    EXPECT_FALSE(now->hasHtml());
}

TEST(QtInstanceGuard, OnlyTheFirstCopyRunsAndItsNameDiesWithIt)
{
    const QString name = QStringLiteral("quorvel-test-%1").arg(QDateTime::currentMSecsSinceEpoch());
    auto first = std::make_unique<platform::QtInstanceGuard>(name);
    EXPECT_FALSE(first->anotherInstanceRunning());
    EXPECT_FALSE(first->anotherInstanceRunning()) << "asking again must not refuse the first copy";
    platform::QtInstanceGuard second(name);
    EXPECT_TRUE(second.anotherInstanceRunning());
    first.reset();
    platform::QtInstanceGuard third(name);
    EXPECT_FALSE(third.anotherInstanceRunning());
}

} // namespace
} // namespace quorvel::test
