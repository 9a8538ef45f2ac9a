#include "launcher/CTovanelEasyDlg.h"

namespace tovanel {

CTovanelEasyDlg::CTovanelEasyDlg(QWidget* parent) : CTovanelBaseDlg(EasyMenu(), parent) {}

CTovanelEasyDlg::~CTovanelEasyDlg() = default;

} // namespace tovanel
