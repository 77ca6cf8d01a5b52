#include "support/MainWindowFixture.h"

#include <QAction>
#include <QDropEvent>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>

#include <utility>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;
using Answer = std::pair<bool, Qt::DropAction>; // accepted, and the action answered

const QString kLink = u"https://r.example/go?action=http%3A%2F%2Fh.example%2F');"_s;

// Real drag events sent to the box as the platform sends them.
class DropTarget : public MainWindowFixture {
protected:
    // A whole drag ending in a drop: the answers to the entry and to the drop.
    std::pair<Answer, Answer> drag(const QMimeData& data)
    {
        QWidget* box = window->txtBadURL->viewport();
        const auto send = [box](QDropEvent&& event) {
            QCoreApplication::sendEvent(box, &event);
            return Answer(event.isAccepted(), event.dropAction());
        };
        const QPoint at = box->rect().center();
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        const Answer entry =
            send(QDragEnterEvent(at, offered, &data, Qt::LeftButton, Qt::NoModifier));
        send(QDragMoveEvent(at, offered, &data, Qt::LeftButton, Qt::NoModifier));
        return {entry, send(QDropEvent(at, offered, &data, Qt::LeftButton, Qt::NoModifier))};
    }
};

TEST_F(DropTarget, TextReplacesTheBoxAndFollowsTheOptions)
{
    struct Case {
        bool onChange, onDrop, bringToTop, keepOnTop;
        QString before, dropped;
        int translations;
        std::vector<bool> topmost;
    };
    const Case cases[] = {
        {true, true, true, false, u"old"_s, kLink, 2, {true, false}},
        {false, true, true, false, u"old"_s, kLink, 1, {true, false}},
        {false, false, false, false, u"old"_s, kLink, 0, {}},
        {true, true, true, true, kLink, kLink, 1, {}}, // the same text: no change to handle
        {true, true, true, false, u"old"_s, u"a%2Fb\nsecond line\n"_s, 2, {true, false}},
    };
    // Text goes through the filter too.
    window->mnuOptionsShowDropIconForTextOnly->setChecked(true);
    QSignalSpy translations(window->cmdTrans, &QPushButton::clicked);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        window->mnuOptionsTransOnChange->setChecked(c.onChange);
        window->mnuOptionsTransOnDrop->setChecked(c.onDrop);
        window->mnuOptionsBringToTopOnDrag->setChecked(c.bringToTop);
        window->mnuOptionsKeepOnTop->setChecked(c.keepOnTop);
        window->txtBadURL->setPlainText(c.before);
        window->txtGoodURL->setPlainText(u"-"_s);
        translations.clear();
        fakes.zOrder.calls.clear();
        QMimeData data;
        data.setText(c.dropped);
        // A copy: a move would let the source delete the link.
        EXPECT_EQ(drag(data).second, Answer(true, Qt::CopyAction));
        EXPECT_EQ(window->txtBadURL->text(), c.dropped);
        EXPECT_EQ(translations.count(), c.translations);
        if (c.dropped == kLink) { // translated after the drop, or not at all
            EXPECT_EQ(window->txtGoodURL->text(), c.translations ? u"http://h.example/"_s : u"-"_s);
        }
        std::vector<bool> topmost;
        for (const FakeZOrder::Call& call : fakes.zOrder.calls) {
            EXPECT_EQ(call.window, window.data());
            topmost.push_back(call.topmost);
        }
        EXPECT_EQ(topmost, c.topmost);
    }
}

// While the filter is on, the entry is refused and the drop never warns.
TEST_F(DropTarget, ObjectsWithoutTextAreNamedOrFiltered)
{
    const std::pair<QStringList, QString> cases[] = {
        {{u"text/uri-list"_s, u"text/plain"_s}, u"Files"_s},
        {{u"image/bmp"_s, u"image/png"_s}, u"bitmap"_s},
        {{u"image/bmp"_s}, u"DIB"_s},
        {{u"application/x-unknown"_s}, u"Unknown"_s},
    };
    for (const bool filter : {false, true}) {
        window->mnuOptionsShowDropIconForTextOnly->setChecked(filter);
        window->txtBadURL->setPlainText(u"kept"_s);
        for (const auto& [formats, name] : cases) {
            SCOPED_TRACE(testing::Message() << filter << name.toStdString());
            QMimeData data;
            for (const QString& format : formats)
                data.setData(format, "file:///home/u/a.txt"); // so that a URL list names a file
            const auto [entry, drop] = drag(data);
            EXPECT_EQ(entry, Answer(!filter, filter ? Qt::IgnoreAction : Qt::CopyAction));
            // Nothing taken, so the source must not delete anything; a drag refused at
            // its entry never delivers the drop at all.
            EXPECT_EQ(drop, Answer(false, filter ? drop.second : Qt::IgnoreAction));
            const ShownMessage warning{
                u"Object being dropped is of type "_s + name + u", not Text "_s, u"Error"_s, 48};
            EXPECT_EQ(std::exchange(fakes.dialogs.messages, {}),
                      filter ? std::vector<ShownMessage>{} : std::vector{warning});
        }
        EXPECT_EQ(window->txtBadURL->text(), u"kept"_s);
    }
}

} // namespace
} // namespace quorvel::test
