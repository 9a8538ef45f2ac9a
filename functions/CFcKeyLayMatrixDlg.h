#pragma once

#include "shared/dialogs/CSarvikDialog.h"

class QLineEdit;
class QRadioButton;

namespace kesmond {

class CFcKeyLayCSB023;

// The grid dialog: one of the four presets or a free grid of 1 to 48
// columns and rows.
class CFcKeyLayMatrixDlg : public CSarvikDialog
{
    Q_OBJECT
public:
    enum : uint {
        IDD = 3028,
        IDC_RADIO_KL_1 = 23154, // to 23158, the last the free entry
        IDC_COLUMNS = 23159,
        IDC_ROWS = 23160,
    };
    static constexpr int kMaxCells = 48;

    explicit CFcKeyLayMatrixDlg(QWidget* parent = nullptr);
    ~CFcKeyLayMatrixDlg() override;

    const CFcKeyLayCSB023* m_pGeometry = nullptr; // the presets; not owned
    int m_nColumns = 0;
    int m_nRows = 0;

    void OnRadio(int index);

protected:
    bool OnInitDialog() override;
    void SetLangTexts() override;
    void OnOK() override;

private:
    QRadioButton* m_pRadios[5];
    QLineEdit* m_pColumns;
    QLineEdit* m_pRows;
};

} // namespace kesmond
