#pragma once

#include "launcher/CTovanelBaseDlg.h"

namespace tovanel {

// The standard menu of the normal product.
// Its rows, frames and special starts are data (MenuTables).
class CTovanelStandardDlg : public CTovanelBaseDlg
{
    Q_OBJECT
public:
    static constexpr uint IDD = 102;

    explicit CTovanelStandardDlg(QWidget* parent = nullptr);
    ~CTovanelStandardDlg() override;
};

} // namespace tovanel
