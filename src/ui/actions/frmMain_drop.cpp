// Placeholder until the drop target lands.
#include "ui/main/frmMain.h"

namespace quorvel::ui
{

void frmMain::txtBadURL_OLEDragOver(QDragMoveEvent*) {}
void frmMain::txtBadURL_OLEDragDrop(QDropEvent*) {}
bool frmMain::handleDropEvent(QEvent*)
{
    return false;
}

} // namespace quorvel::ui
