#pragma once

#include "images/CGpSmartDlg.h"

namespace pellark {

// The shop and address stamps of the print logo: inside it (mode 0, with
// the choice of 58 mm or 80 mm paper) or outside it (mode 1, full width),
// each composable from a stamp template.
class CGpSmartLogo : public CGpSmartDlg
{
    Q_OBJECT

public:
    enum : uint {
        IDD = 4021,
        IDC_WIDTHGROUP = 1222,
        IDC_WIDTH58 = 1220,
        IDC_WIDTH80 = 1221,
    };
    enum EMode { ModeInside = 0, ModeOutside = 1 };

    explicit CGpSmartLogo(CSQliteDB* db, QWidget* parent = nullptr);

    // Before InitPage.
    void SetMode(int mode);
    int Mode() const { return m_nMode; }
    // The paper-width radios' work: 58 mm (true) or 80 mm.
    void ChangeWidth(bool narrow);

protected:
    bool OnInitDialog() override;
    void SaveProfileExtras(QSettings& profile) override;

private:
    void ShowWidth();

    int m_nMode = ModeInside;
};

} // namespace pellark
