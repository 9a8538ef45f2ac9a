#pragma once

#include "launcher/CTovanelDialog.h"

#include <QStringList>

class QComboBox;

namespace tovanel {

// File New: the register model to start from. OK stores the chosen model as
// the current one ("REG_TYPE"); Cancel leaves it.
class CNewFileDlg : public CTovanelDialog
{
    Q_OBJECT
public:
    static constexpr uint IDD = 136;
    static constexpr uint IDC_MODEL = 1077;

    explicit CNewFileDlg(QWidget* parent = nullptr);
    ~CNewFileDlg() override;

    // The display names of the register models, set before DoModal.
    const QStringList* m_pEcrList = nullptr;
    int m_nSelect = 0;

    QComboBox* ModelCombo() const { return m_pCombo; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    QComboBox* m_pCombo = nullptr;
};

} // namespace tovanel
