#pragma once

#include "shared/dialogs/CSarvikDialog.h"

class QRadioButton;

namespace brelkin {

// Asks whether an export writes the main columns only (choice 0) or every
// column (choice 1).
class CSelectExportColumn : public CSarvikDialog
{
    Q_OBJECT

public:
    enum : uint { IDD = 3049, IDC_RADIO_PART1 = 23204, IDC_RADIO_ALLDATA = 23205 };

    explicit CSelectExportColumn(QWidget* parent = nullptr);
    ~CSelectExportColumn() override;

    int GetChoice() const { return m_nChoice; }

protected:
    bool OnInitDialog() override;
    void SetLangTexts() override;

private:
    int m_nChoice = 0;
    QRadioButton* m_pPart = nullptr;
    QRadioButton* m_pAll = nullptr;
};

} // namespace brelkin
