// Drops from another program across the X server (XDND), driven by the mouse.
#include "XProbe.h"

#include "fakes/FakeServices.h"
#include "ui/common/Forms.h"
#include "ui/main/UrlBox.h"
#include "ui/main/frmMain.h"

#include <QDrag>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

namespace quorvel::test {
namespace {

const QString kLink = QStringLiteral("https://r.example/go?action=http%3A%2F%2Fh.example%2F');");
const char* const kKindVariable = "QUORVEL_DRAG_KIND";

QMimeData* offeredData(const QByteArray& kind)
{
    auto* data = new QMimeData;
    if (kind == "link") {
        // What a browser offers for a dragged link.
        data->setData(QStringLiteral("text/uri-list"), kLink.toUtf8() + "\r\n");
        data->setText(kLink);
    } else {
        // What a file manager offers for a dragged file.
        data->setUrls({QUrl::fromLocalFile(QStringLiteral("/tmp/report.txt"))});
        data->setText(QStringLiteral("/tmp/report.txt"));
    }
    return data;
}

// The other program: a label that starts a drag when pressed and prints the
// action the drop target answered with.
class DragSource : public QLabel {
public:
    DragSource() : QLabel(QStringLiteral("drag me")) {}

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        auto* drag = new QDrag(this);
        drag->setMimeData(offeredData(qgetenv(kKindVariable)));
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
        std::printf("action %d\n", static_cast<int>(action));
        std::fflush(stdout);
    }
};

// Runs only in the child process that the tests below start.
TEST(DragSourceProgram, DISABLED_OffersItsDataWhenPressed)
{
    DragSource source;
    source.setGeometry(30, 30, 160, 80);
    source.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&source));
    QTest::qWait(300);
    const QPoint centre = source.mapToGlobal(source.rect().center());
    std::printf("ready %d %d\n", centre.x(), centre.y());
    std::fflush(stdout);
    // Stays to hand over the data when the target asks for it; the test ends it.
    QTest::qWait(30000);
}

class DropFromAnotherProgram : public testing::Test {
protected:
    void SetUp() override
    {
        if (QGuiApplication::platformName() != QStringLiteral("xcb"))
            GTEST_SKIP() << "needs the xcb platform";
        if (!x11::waitForWindowManager(QStringLiteral("_NET_ACTIVE_WINDOW")))
            GTEST_SKIP() << "no window manager";
        window = std::make_unique<ui::frmMain>(fakes.services, forms);
        ASSERT_TRUE(window->Form_Load());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        QTest::qWait(300);
        translations = std::make_unique<QSignalSpy>(window->cmdTrans, &QPushButton::clicked);
    }

    void TearDown() override
    {
        if (source.state() != QProcess::NotRunning) {
            source.kill();
            source.waitForFinished();
        }
        forms.unloadAll();
        window.reset();
    }

    // Starts the other program; returns where to press to start its drag.
    QPoint startSource(const char* kind)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(kKindVariable), QString::fromLatin1(kind));
        source.setProcessEnvironment(environment);
        source.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--gtest_also_run_disabled_tests"),
                      QStringLiteral("--gtest_filter=DragSourceProgram.*")});
        const QString ready = readLineStartingWith("ready ");
        const QStringList parts = ready.split(u' ');
        return parts.size() == 3 ? QPoint(parts[1].toInt(), parts[2].toInt()) : QPoint();
    }

    QString readLineStartingWith(const QString& start)
    {
        QString line;
        const bool found = QTest::qWaitFor(
            [&] {
                while (source.canReadLine()) {
                    line = QString::fromLocal8Bit(source.readLine()).trimmed();
                    if (line.startsWith(start))
                        return true;
                }
                return source.state() == QProcess::NotRunning;
            },
            20000);
        return found && line.startsWith(start) ? line : QString();
    }

    void mouse(const QStringList& arguments)
    {
        x11::run(QStringLiteral("xdotool"), arguments);
        QTest::qWait(100); // lets the drop target answer the drag's messages
    }

    void dragWithMouse(QPoint from, QPoint to)
    {
        mouse({QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y())});
        mouse({QStringLiteral("mousedown"), QStringLiteral("1")});
        for (int step = 1; step <= 6; ++step) {
            const QPoint at = from + (to - from) * step / 6;
            mouse({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
        }
        mouse({QStringLiteral("mouseup"), QStringLiteral("1")});
    }

    QPoint upperBox() const
    {
        return window->txtBadURL->mapToGlobal(window->txtBadURL->rect().center());
    }

    FakeServices fakes;
    ui::Forms forms;
    std::unique_ptr<ui::frmMain> window;
    std::unique_ptr<QSignalSpy> translations;
    QProcess source;
};

TEST_F(DropFromAnotherProgram, BrowserLinkIsTakenAsTextAndCopied)
{
    window->txtBadURL->setPlainText(QStringLiteral("earlier text"));
    translations->clear();
    const QPoint press = startSource("link");
    ASSERT_FALSE(press.isNull()) << "the drag source did not start";

    dragWithMouse(press, upperBox());

    EXPECT_TRUE(QTest::qWaitFor([this] { return window->txtBadURL->text() == kLink; }));
    EXPECT_EQ(readLineStartingWith(QStringLiteral("action ")), QStringLiteral("action 1"))
        << "the source is told to copy, so it keeps its link";
    EXPECT_EQ(translations->count(), 2);
    EXPECT_EQ(window->txtGoodURL->text(), QStringLiteral("http://h.example/"));
    ASSERT_EQ(fakes.zOrder.calls.size(), 2u);
    EXPECT_TRUE(fakes.zOrder.calls[0].topmost);
    EXPECT_FALSE(fakes.zOrder.calls[1].topmost);
}

TEST_F(DropFromAnotherProgram, FileFromAFileManagerIsNamedAndRefused)
{
    const QPoint press = startSource("file");
    ASSERT_FALSE(press.isNull()) << "the drag source did not start";

    dragWithMouse(press, upperBox());

    // An X11 source learns the action from the drag-over answers before the
    // drop is refused; it must at least never hear "move" and delete the file.
    const QString action = readLineStartingWith(QStringLiteral("action "));
    EXPECT_FALSE(action.isEmpty());
    EXPECT_NE(action, QStringLiteral("action 2"));
    const std::vector<ShownMessage> expected = {
        {QStringLiteral("Object being dropped is of type Files, not Text "),
         QStringLiteral("Error"), 48}};
    EXPECT_EQ(fakes.dialogs.messages, expected);
    EXPECT_EQ(window->txtBadURL->text(), QString());
}

} // namespace
} // namespace quorvel::test
