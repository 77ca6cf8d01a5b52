// The lower box's context menu for a wrapped link: what each layer was, and
// the way to copy or open the link found inside.
#include "engine/ErrorHandler.h"
#include "ui/actions/OpenWithShell.h"
#include "ui/common/TextConversion.h"
#include "ui/main/UrlBox.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>

namespace quorvel::ui {

namespace {

// A line that only informs; a screen reader still reads it in its place.
QAction* note(QMenu* menu, const QString& text)
{
    auto* line = new QAction(text, menu);
    line->setEnabled(false);
    return line;
}

// "Microsoft Safe Links led to host"; a layer no rule knows is named by where its link was.
QString layerLine(const unwrap::Step& step)
{
    const QString wrapper = step.generic ? QStringLiteral("Link in ") + toQString(step.carrier)
                                         : toQString(step.wrapper);
    return wrapper + QStringLiteral(" led to ") + toQString(step.host);
}

// The layers, the warnings and what stopped the walk early, one line each.
QList<QAction*> notes(QMenu* menu, const unwrap::Result& found)
{
    QList<QAction*> lines;
    for (const unwrap::Step& step : found.steps)
        lines.append(note(menu, layerLine(step)));
    for (const std::u16string& warning : found.warnings)
        lines.append(note(menu, toQString(warning)));
    if (found.status != unwrap::Status::Done)
        lines.append(note(menu, toQString(unwrap::statusName(found.status)) + QStringLiteral(": ") +
                                    toQString(found.detail)));
    return lines;
}

QAction* separator(QMenu* menu)
{
    auto* line = new QAction(menu);
    line->setSeparator(true);
    return line;
}

} // namespace

std::optional<unwrap::Result> frmMain::wrappedLink() const
{
    const unwrap::Options options{unwrap::Scope::All, trailingOptions()};
    unwrap::Result found =
        unwrap::unwrapLink(toU16(txtBadURL->text()), options, services_.hostNames);
    if (found.layers == 0 || toQString(found.target) == txtGoodURL->text())
        return std::nullopt;
    return found;
}

bool frmMain::showUnwrapMenu(const QContextMenuEvent* event)
{
    const std::optional<unwrap::Result> found = wrappedLink();
    if (!found)
        return false; // the box's own menu, as it always was
    QMenu* menu = txtGoodURL->createStandardContextMenu(event->pos());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QString target = toQString(found->target);
    const QList<QAction*> leading =
        notes(menu, *found) + unwrapCommands(menu, target) + QList{separator(menu)};
    menu->insertActions(menu->actions().value(0), leading);
    menu->popup(event->globalPos());
    return true;
}

QList<QAction*> frmMain::unwrapCommands(QMenu* menu, const QString& target)
{
    auto* copy = new QAction(QStringLiteral("Copy Unwrapped Link"), menu);
    copy->setObjectName(QStringLiteral("mnuUnwrapCopy"));
    connect(copy, &QAction::triggered, this, [this, target] {
        withErrorHandler(reporter_, u"mnuUnwrapCopy_Click", [this, &target] {
            services_.clipboard.clear();
            services_.clipboard.setText(target);
        });
    });
    auto* open = new QAction(QStringLiteral("Open Unwrapped Link"), menu);
    open->setObjectName(QStringLiteral("mnuUnwrapOpen"));
    connect(open, &QAction::triggered, this, [this, target] {
        withErrorHandler(reporter_, u"mnuUnwrapOpen_Click",
                         [this, &target] { OpenWithShell(services_, target, kUrlAdvice); });
    });
    return {copy, open};
}

} // namespace quorvel::ui
