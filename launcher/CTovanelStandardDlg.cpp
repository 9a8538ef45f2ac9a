#include "launcher/CTovanelStandardDlg.h"

namespace tovanel {

CTovanelStandardDlg::CTovanelStandardDlg(QWidget* parent) : CTovanelBaseDlg(StandardMenu(), parent)
{
}

CTovanelStandardDlg::~CTovanelStandardDlg() = default;

} // namespace tovanel
