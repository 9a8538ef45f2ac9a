#pragma once

#include "images/CGpSmartDlg.h"

namespace pellark {

// The shop and address stamps of the formal receipt: no templates, always
// full width.
class CGpSmartRyoushu : public CGpSmartDlg
{
    Q_OBJECT

public:
    enum : uint { IDD = 4008, IDC_EXPLAIN = 1062 };

    explicit CGpSmartRyoushu(CSQliteDB* db, QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;
};

} // namespace pellark
