#pragma once

#include "goods/base/CAddDlg.h"

namespace mervolt {

// The new code of the item-image list of a display archive: as many digits
// as the list's code width, proposed as 1 with leading zeros. Whether the
// code is already a row the list decides.
class CAddDlg : public ::CAddDlg
{
    Q_OBJECT

public:
    CAddDlg(CDataManager* dataManager, const QString& labelKey, QWidget* parent = nullptr);
    ~CAddDlg() override;

    QString ProposeNewCode() const override;

protected:
    int CodeWidth() const override;
    bool AcceptNewCode(const QString& code) override;
};

} // namespace mervolt
