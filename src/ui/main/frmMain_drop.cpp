// The upper box as a drop target for dragged links.
#include "engine/ErrorHandler.h"
#include "ui/actions/DropFormats.h"
#include "ui/main/UrlBox.h"
#include "ui/main/frmMain.h"

#include <QDropEvent>
#include <QPushButton>

namespace quorvel::ui {

namespace {

// What this program proposes to its handlers: a copy wherever the source
// allows one. The box only ever takes a copy of the text, and a move would
// let the source delete what the user dragged.
void proposeCopy(QDropEvent* event)
{
    if (event->possibleActions() & Qt::CopyAction)
        event->setDropAction(Qt::CopyAction);
}

} // namespace

void frmMain::txtBadURL_OLEDragOver(QDragMoveEvent* event)
{
    event->accept();
    if (!mnuOptionsShowDropIconForTextOnly->isChecked())
        return;
    if (!event->mimeData() || !dropOffersText(*event->mimeData())) {
        event->setDropAction(Qt::IgnoreAction);
        event->ignore();
    }
}

void frmMain::txtBadURL_OLEDragDrop(QDropEvent* event)
{
    withErrorHandler(reporter_, u"txtBadURL_OLEDragDrop", [this, event] {
        const QMimeData* data = event->mimeData();
        if (data && dropOffersText(*data)) {
            event->accept();
            txtBadURL->setTextIfChanged(dropText(*data));
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
        const QString name = data ? dropObjectTypeName(*data) : QStringLiteral("Unknown");
        services_.dialogs.messageBox(QStringLiteral("Object being dropped is of type ") + name +
                                         QStringLiteral(", not Text "),
                                     QStringLiteral("Error"), MessageStyle::Exclamation);
    });
}

bool frmMain::handleDropEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
        proposeCopy(static_cast<QDropEvent*>(event));
        txtBadURL_OLEDragOver(static_cast<QDragMoveEvent*>(event));
        return true;
    case QEvent::DragLeave:
        return true;
    case QEvent::Drop:
        proposeCopy(static_cast<QDropEvent*>(event));
        txtBadURL_OLEDragDrop(static_cast<QDropEvent*>(event));
        return true;
    default:
        return false;
    }
}

} // namespace quorvel::ui
