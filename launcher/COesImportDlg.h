#pragma once

#include "launcher/CTovanelDialog.h"

class QCheckBox;

namespace tovanel {

// The choice of the OES master files to take over (items, departments,
// clerks) and whether the choice is offered at every OES start, which the
// dialog keeps in the user's "DISPSTURTUPIMP" (1 when missing). OK and
// Cancel both store that box.
class COesImportDlg : public CTovanelDialog
{
    Q_OBJECT
public:
    static constexpr uint IDD = 130;
    static constexpr uint IDC_CHECK_PLU = 1000;
    static constexpr uint IDC_CHECK_SECTION = 1001;
    static constexpr uint IDC_CHECK_CLERK = 1002;
    static constexpr uint IDC_CHECK_EVERYSTARTUP = 1003;

    // Reads "DISPSTURTUPIMP".
    explicit COesImportDlg(QWidget* parent = nullptr);
    ~COesImportDlg() override;

    int m_bItems = 0;
    int m_bDepartments = 0;
    int m_bClerks = 0;
    int m_bEveryStartup = 1;

    QCheckBox* CheckBox(uint id) const;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void StoreEveryStartup();

    QCheckBox* m_pItems = nullptr;
    QCheckBox* m_pDepartments = nullptr;
    QCheckBox* m_pClerks = nullptr;
    QCheckBox* m_pEveryStartup = nullptr;
};

} // namespace tovanel
