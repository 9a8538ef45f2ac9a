#pragma once

#include "launcher/CTovanelBaseDlg.h"

namespace tovanel {

// The easy menu: a reduced set of easy pages, no import entry.
// Its rows, frames and special starts are data (MenuTables).
class CTovanelEasyDlg : public CTovanelBaseDlg
{
    Q_OBJECT
public:
    static constexpr uint IDD = 3023;

    explicit CTovanelEasyDlg(QWidget* parent = nullptr);
    ~CTovanelEasyDlg() override;
};

} // namespace tovanel
