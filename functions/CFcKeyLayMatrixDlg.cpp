#include "functions/CFcKeyLayMatrixDlg.h"

#include "functions/keylayout/CFcKeyLayCSB023.h"

#include "goods/base/ProgramMessage.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace kesmond {

namespace {

const char* const kRadioKeys[] = {"CRDC_FC_RADIO_KL_1", "CRDC_FC_RADIO_KL_2", "CRDC_FC_RADIO_KL_3",
                                  "CRDC_FC_RADIO_KL_4", "CRDC_FC_RADIO_KL_5"};

} // namespace

CFcKeyLayMatrixDlg::CFcKeyLayMatrixDlg(QWidget* parent) : CSarvikDialog(parent)
{
    CDialogTemplate tmpl(this, 9, 160, 130);
    setWindowTitle(QStringLiteral("CRDD_FC_KLAY_MATRIX"));
    for (int i = 0; i < 5; ++i) {
        m_pRadios[i] = tmpl.Add<QRadioButton>(IDC_RADIO_KL_1 + uint(i),
                                              QLatin1String(kRadioKeys[i]), 10, 8 + i * 16, 80, 12);
        m_pRadios[i]->setAutoExclusive(false);
        connect(m_pRadios[i], &QRadioButton::clicked, this, [this, i] { OnRadio(i); });
    }
    m_pColumns = tmpl.Add<QLineEdit>(IDC_COLUMNS, QString(), 90, 70, 20, 14);
    tmpl.Add<QLabel>(0, QStringLiteral("CRDC_STATIC_X"), 114, 72, 10, 10);
    m_pRows = tmpl.Add<QLineEdit>(IDC_ROWS, QString(), 126, 70, 20, 14);
    for (QLineEdit* edit : {m_pColumns, m_pRows})
        edit->setMaxLength(2);
    AddOkCancel(tmpl, 44, 106, 100, 106, 50, 16);
}

CFcKeyLayMatrixDlg::~CFcKeyLayMatrixDlg() = default;

void CFcKeyLayMatrixDlg::SetLangTexts()
{
    SetDialogLangTexts(this);
}

bool CFcKeyLayMatrixDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    int checked = 4;
    for (int i = 0; m_pGeometry && i < 4; ++i) {
        const QSize preset = m_pGeometry->Preset(i);
        m_pRadios[i]->setText(
            FormatLangText(QStringLiteral("%d x %d"), preset.width(), preset.height()));
    }
    if (m_pGeometry) {
        const int found = m_pGeometry->FindPreset(m_nColumns, m_nRows);
        if (found >= 0)
            checked = found;
    }
    m_pColumns->setText(QString::number(m_nColumns));
    m_pRows->setText(QString::number(m_nRows));
    OnRadio(checked);
    m_pRadios[checked]->setFocus();
    return true;
}

void CFcKeyLayMatrixDlg::OnRadio(int index)
{
    for (int i = 0; i < 5; ++i)
        m_pRadios[i]->setChecked(i == index);
    const bool preset = index < 4 && m_pGeometry;
    m_pColumns->setReadOnly(preset);
    m_pRows->setReadOnly(preset);
    if (preset) {
        m_pColumns->setText(QString::number(m_pGeometry->Preset(index).width()));
        m_pRows->setText(QString::number(m_pGeometry->Preset(index).height()));
    }
}

void CFcKeyLayMatrixDlg::OnOK()
{
    bool columnsOk = false;
    bool rowsOk = false;
    const int columns = m_pColumns->text().toInt(&columnsOk);
    const int rows = m_pRows->text().toInt(&rowsOk);
    if (!columnsOk || !rowsOk || columns < 1 || columns > kMaxCells || rows < 1 ||
        rows > kMaxCells) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_INPUT"),
                           platform::MessageIcon::Warning);
        return;
    }
    m_nColumns = columns;
    m_nRows = rows;
    EndDialog(platform::IDOK);
}

} // namespace kesmond
