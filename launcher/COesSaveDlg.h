#pragma once

#include "launcher/CTovanelDialog.h"

class QLineEdit;
class QPushButton;

namespace tovanel {

// The OES set-data file ("092") to pack into a full save. OK only with a
// file that passes the "092" check; the folder of a chosen file becomes the
// last OES folder.
class COesSaveDlg : public CTovanelDialog
{
    Q_OBJECT
public:
    static constexpr uint IDD = 107;
    static constexpr uint IDC_EDIT_FILE = 1067;
    static constexpr uint IDC_BUTTON_SELFOLDER = 1068;

    explicit COesSaveDlg(QWidget* parent = nullptr);
    ~COesSaveDlg() override;

    QString m_strCaption;       // in: the application title
    QString m_strLastOesFolder; // in and out
    QString m_strOesFile;       // out: the file chosen

    QLineEdit* FileEdit() const { return m_pEdit; }
    QPushButton* SelectButton() const { return m_pSelect; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    void OnSelectFile();

    QLineEdit* m_pEdit = nullptr;
    QPushButton* m_pSelect = nullptr;
    QString m_strChosenBefore; // the last file chosen in this dialog
};

} // namespace tovanel
