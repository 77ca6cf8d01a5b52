// Placeholder until the Help menu lands.
#include "ui/main/frmMain.h"

namespace quorvel::ui
{

void frmMain::mnuHelpHistory_Click() {}
void frmMain::mnuHelpAbout_Click() {}
void frmMain::mnuHelpDirs_Click() {}
void frmMain::mnuHelpVisit_Click() {}

} // namespace quorvel::ui
