#include "support/MainWindowFixture.h"

#include <QAction>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QUrl>

#include <memory>
#include <vector>

namespace quorvel::test {
namespace {

constexpr Qt::DropActions kCopyOrMove = Qt::CopyAction | Qt::MoveAction;

std::unique_ptr<QMimeData> textData(const QString& text)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(text);
    return data;
}

std::unique_ptr<QMimeData> fileData()
{
    auto data = std::make_unique<QMimeData>();
    data->setUrls({QUrl::fromLocalFile(QStringLiteral("/home/u/report.txt"))});
    return data;
}

std::unique_ptr<QMimeData> offering(std::initializer_list<const char*> formats)
{
    auto data = std::make_unique<QMimeData>();
    for (const char* format : formats)
        data->setData(QString::fromLatin1(format), "x");
    return data;
}

class DropTarget : public MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        translations = std::make_unique<QSignalSpy>(window->cmdTrans, &QPushButton::clicked);
    }

    QPoint insideBox() const { return window->txtBadURL->viewport()->rect().center(); }

    using Result = std::pair<bool, Qt::DropAction>;

    // Sends one event of a drag to the box as the platform does. Qt hands moves
    // and the drop only to the widget that accepted the drag's entry.
    Result send(QDropEvent&& event)
    {
        QCoreApplication::sendEvent(window->txtBadURL->viewport(), &event);
        return {event.isAccepted(), event.dropAction()};
    }

    // Enters the box and moves over it; the results of both events.
    std::pair<Result, Result> dragOver(const QMimeData& data, Qt::DropActions actions)
    {
        const QPoint at = insideBox();
        const Result enter =
            send(QDragEnterEvent(at, actions, &data, Qt::LeftButton, Qt::NoModifier));
        return {enter, send(QDragMoveEvent(at, actions, &data, Qt::LeftButton, Qt::NoModifier))};
    }

    void leave()
    {
        QDragLeaveEvent event;
        QCoreApplication::sendEvent(window->txtBadURL->viewport(), &event);
    }

    // A whole drag ending in a drop on the box; the result of the drop.
    Result drop(const QMimeData& data, Qt::DropActions actions = kCopyOrMove)
    {
        dragOver(data, actions);
        return send(
            QDropEvent(QPointF(insideBox()), actions, &data, Qt::LeftButton, Qt::NoModifier));
    }

    void startWithBoxText(const QString& text)
    {
        window->txtBadURL->setPlainText(text);
        translations->clear();
    }

    std::vector<bool> zOrderCalls() const
    {
        std::vector<bool> calls;
        for (const FakeZOrder::Call& call : fakes.zOrder.calls) {
            EXPECT_EQ(call.window, window.data());
            calls.push_back(call.topmost);
        }
        return calls;
    }

    std::unique_ptr<QSignalSpy> translations;
};

const QString kLink = QStringLiteral("https://r.example/go?action=http%3A%2F%2Fh.example%2F');");

TEST_F(DropTarget, DroppedTextReplacesTheBoxAndRunsTheOptionsSteps)
{
    struct Case {
        const char* what;
        bool transOnChange, transOnDrop, bringToTop, keepOnTop;
        int translations;
        std::vector<bool> zOrder;
    };
    const Case cases[] = {
        {"default options", true, true, true, false, 2, {true, false}},
        {"no translate on change", false, true, true, false, 1, {true, false}},
        {"no automatic translation", false, false, true, false, 0, {true, false}},
        {"already kept on top", true, true, true, true, 2, {}},
        {"no bringing to top", true, true, false, false, 2, {}},
        {"no bringing to top while on top", true, true, false, true, 2, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        window->mnuOptionsTransOnChange->setChecked(c.transOnChange);
        window->mnuOptionsTransOnDrop->setChecked(c.transOnDrop);
        window->mnuOptionsBringToTopOnDrag->setChecked(c.bringToTop);
        window->mnuOptionsKeepOnTop->setChecked(c.keepOnTop);
        startWithBoxText(QStringLiteral("old text"));
        window->txtGoodURL->setPlainText(QStringLiteral("untouched"));
        fakes.zOrder.calls.clear();

        const auto data = textData(kLink);
        const auto [accepted, action] = drop(*data);

        EXPECT_TRUE(accepted);
        EXPECT_EQ(action, Qt::CopyAction) << "a move would let the source delete the link";
        EXPECT_EQ(window->txtBadURL->text(), kLink);
        EXPECT_EQ(translations->count(), c.translations);
        EXPECT_EQ(window->txtGoodURL->text(), c.translations ? QStringLiteral("http://h.example/")
                                                             : QStringLiteral("untouched"));
        EXPECT_EQ(zOrderCalls(), c.zOrder);
        EXPECT_TRUE(fakes.dialogs.messages.empty());
    }
}

TEST_F(DropTarget, TextArrivesWholeWhateverItHolds)
{
    const QString texts[] = {
        QStringLiteral("action=a%2Fb\n"),
        QStringLiteral("action=a%2Fb\nsecond line"),
        QString(),
    };
    for (const QString& text : texts) {
        SCOPED_TRACE(text.toStdString());
        startWithBoxText(QStringLiteral("earlier"));
        drop(*textData(text));
        EXPECT_EQ(window->txtBadURL->text(), text);
        EXPECT_EQ(translations->count(), 2) << "the box changed, then the drop translates";
    }
}

TEST_F(DropTarget, SameTextAsTheBoxRaisesNoChange)
{
    startWithBoxText(kLink);
    drop(*textData(kLink));
    EXPECT_EQ(window->txtBadURL->text(), kLink);
    EXPECT_EQ(translations->count(), 1);
}

TEST_F(DropTarget, MoveOnlySourceKeepsItsAction)
{
    startWithBoxText(QString());
    const auto [accepted, action] = drop(*textData(kLink), Qt::MoveAction);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(action, Qt::MoveAction);
    EXPECT_EQ(window->txtBadURL->text(), kLink);
}

TEST_F(DropTarget, ObjectsWithoutTextAreNamedAndLeaveEverythingAlone)
{
    struct Case {
        std::unique_ptr<QMimeData> data;
        const char* name;
    };
    Case cases[] = {
        {fileData(), "Files"},
        {offering({"image/bmp", "image/png"}), "bitmap"},
        {offering({"image/bmp"}), "DIB"},
        {offering({"text/rtf"}), "RTF"},
        {offering({"application/x-unknown"}), "Unknown"},
    };
    startWithBoxText(QStringLiteral("kept"));
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        fakes.dialogs.messages.clear();
        const auto [accepted, action] = drop(*c.data);
        const std::vector<ShownMessage> expected = {
            {QStringLiteral("Object being dropped is of type ") + QLatin1String(c.name) +
                 QStringLiteral(", not Text "),
             QStringLiteral("Error"), 48}};
        EXPECT_EQ(fakes.dialogs.messages, expected);
        EXPECT_FALSE(accepted);
        EXPECT_EQ(action, Qt::IgnoreAction);
    }
    EXPECT_EQ(window->txtBadURL->text(), QStringLiteral("kept"));
    EXPECT_EQ(translations->count(), 0);
    EXPECT_TRUE(fakes.zOrder.calls.empty());
}

TEST_F(DropTarget, DragOverRefusesOnlyNonTextWhileTheFilterIsOn)
{
    struct Case {
        bool filter;
        bool text;
        bool accepted;
    };
    const Case cases[] = {
        {false, true, true},
        {false, false, true},
        {true, true, true},
        {true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "filter " << c.filter << ", text " << c.text);
        window->mnuOptionsShowDropIconForTextOnly->setChecked(c.filter);
        const auto data = c.text ? textData(kLink) : fileData();
        const auto proposed = Qt::CopyAction;
        const auto [enter, move] = dragOver(*data, proposed);
        EXPECT_EQ(enter.first, c.accepted);
        EXPECT_EQ(enter.second, c.accepted ? proposed : Qt::IgnoreAction);
        // Refused at the entry, the box sees no more of the drag.
        EXPECT_EQ(move.first, c.accepted);
        EXPECT_EQ(move.second, proposed);
        leave();
    }
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    EXPECT_EQ(translations->count(), 0);
}

TEST_F(DropTarget, RefusedObjectNeverReachesTheDrop)
{
    window->mnuOptionsShowDropIconForTextOnly->setChecked(true);
    startWithBoxText(QStringLiteral("kept"));
    const auto [accepted, action] = drop(*fileData());
    EXPECT_FALSE(accepted);
    EXPECT_TRUE(fakes.dialogs.messages.empty());
    EXPECT_EQ(window->txtBadURL->text(), QStringLiteral("kept"));

    // A text still goes through while the filter is on.
    drop(*textData(kLink));
    EXPECT_EQ(window->txtBadURL->text(), kLink);
    EXPECT_EQ(translations->count(), 2);
}

} // namespace
} // namespace quorvel::test
