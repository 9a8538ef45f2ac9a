#include "launcher/CTovanelCleaningDlg.h"

namespace tovanel {

CTovanelCleaningDlg::CTovanelCleaningDlg(QWidget* parent) : CTovanelBaseDlg(CleaningMenu(), parent)
{
}

CTovanelCleaningDlg::~CTovanelCleaningDlg() = default;

} // namespace tovanel
