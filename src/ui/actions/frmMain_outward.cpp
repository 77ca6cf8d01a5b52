// Placeholder until Go to URL and Copy land.
#include "ui/main/frmMain.h"

namespace quorvel::ui
{

void frmMain::cmdClip_Click() {}
void frmMain::cmdNavigate_Click() {}

} // namespace quorvel::ui
