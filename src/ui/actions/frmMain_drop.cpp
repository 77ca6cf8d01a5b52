// The upper box as a drop target for dragged links.
#include "engine/Reporter.h"
#include "platform/shared/DropFormats.h"
#include "ui/common/ErrorHandler.h"
#include "ui/main/UrlBox.h"
#include "ui/main/frmMain.h"

#include <QDropEvent>
#include <QPushButton>

namespace quorvel::ui
{

namespace
{

// The box takes a copy of the text; reporting a move would let the source
// delete what the user dragged.
void acceptAsCopy(QDropEvent* event)
{
    if (event->possibleActions() & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
    else
        event->setDropAction(event->proposedAction());
    event->accept();
}

} // namespace

void frmMain::txtBadURL_OLEDragOver(QDragMoveEvent* event)
{
    event->acceptProposedAction();
    if (!mnuOptionsShowDropIconForTextOnly->isChecked())
        return;
    if (!event->mimeData() || !platform::dropOffersText(*event->mimeData())) {
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
    }
}

void frmMain::txtBadURL_OLEDragDrop(QDropEvent* event)
{
    withErrorHandler(services_.dialogs, QStringLiteral("txtBadURL_OLEDragDrop"), [this, event] {
        const QMimeData* data = event->mimeData();
        if (data && platform::dropOffersText(*data)) {
            acceptAsCopy(event);
            txtBadURL->setTextIfChanged(platform::dropText(*data));
            if (mnuOptionsTransOnDrop->isChecked())
                cmdTrans->click();
            if (mnuOptionsBringToTopOnDrag->isChecked() && !mnuOptionsKeepOnTop->isChecked()) {
                KeepOnTop(true);
                KeepOnTop(false);
            }
            return;
        }
        // Nothing was taken, so the source must not act as if it had been.
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
        const QString name = data ? platform::dropObjectTypeName(*data) : QStringLiteral("Unknown");
        services_.dialogs.messageBox(QStringLiteral("Object being dropped is of type ") + name +
                                         QStringLiteral(", not Text "),
                                     QStringLiteral("Error"), kStyleExclamation);
    });
}

bool frmMain::handleDropEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        txtBadURL_OLEDragOver(static_cast<QDragMoveEvent*>(event));
        return true;
    case QEvent::DragLeave:
        return true;
    case QEvent::Drop:
        txtBadURL_OLEDragDrop(static_cast<QDropEvent*>(event));
        return true;
    default:
        return false;
    }
}

} // namespace quorvel::ui
