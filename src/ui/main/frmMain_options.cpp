// Placeholder until the Options menu, sizing and keep-on-top land.
#include "ui/main/frmMain.h"

namespace quorvel::ui
{

void frmMain::mnuOptionsKeepOnTop_Click() {}
void frmMain::mnuOptionsBringToTopOnDrag_Click() {}
void frmMain::mnuOptionsTransOnDrop_Click() {}
void frmMain::mnuOptionsTransOnChange_Click() {}
void frmMain::mnuOptionsShowDropIconForTextOnly_Click() {}
void frmMain::mnuOptionRemTrailing_Click() {}
void frmMain::mnuOptionSetRemTrailing_Click() {}
void frmMain::mnuOptionsDynTrans_Click() {}
void frmMain::mnuOptionsPreDef_Click() {}
void frmMain::Form_Resize() {}
void frmMain::KeepOnTop(bool) {}

} // namespace quorvel::ui
