#pragma once

#include "launcher/CTovanelBaseDlg.h"

namespace tovanel {

// The cleaning-shop menu with its customer functions.
// Its rows, frames and special starts are data (MenuTables).
class CTovanelCleaningDlg : public CTovanelBaseDlg
{
    Q_OBJECT
public:
    static constexpr uint IDD = 3022;

    explicit CTovanelCleaningDlg(QWidget* parent = nullptr);
    ~CTovanelCleaningDlg() override;
};

} // namespace tovanel
