#include "launcher/CSelectKeyLayoutDlg.h"

#include "shared/dialogs/CDialogTemplate.h"

#include <QRadioButton>

namespace tovanel {

CSelectKeyLayoutDlg::CSelectKeyLayoutDlg(QWidget* parent) : CTovanelDialog(parent)
{
    CDialogTemplate tmpl(this, 9, 180, 76);
    setWindowTitle(QStringLiteral("CRDD_SELECT_KEYLAYOUT"));
    auto* layout = tmpl.Add<QRadioButton>(IDC_KEYLAYOUT, QStringLiteral("CRDC_RADIO_KEYLAYOUT"), 14,
                                          10, 150, 12);
    auto* functions = tmpl.Add<QRadioButton>(
        IDC_FUNCTIONLIST, QStringLiteral("CRDC_RADIO_FUNCTIONLIST"), 14, 28, 150, 12);
    connect(layout, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_nChoice = 1;
    });
    connect(functions, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            m_nChoice = 0;
    });
    AddOkCancel(tmpl, 36, 52, 96, 52, 50, 16);
}

CSelectKeyLayoutDlg::~CSelectKeyLayoutDlg() = default;

bool CSelectKeyLayoutDlg::OnInitDialog()
{
    CTovanelDialog::OnInitDialog();
    if (auto* layout = qobject_cast<QRadioButton*>(FindControlById(this, IDC_KEYLAYOUT)))
        layout->setChecked(true);
    m_nChoice = 1;
    return true;
}

} // namespace tovanel
