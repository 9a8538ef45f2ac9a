#include "goods/CSelectExportColumn.h"

#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"

#include <QRadioButton>

namespace brelkin {

CSelectExportColumn::CSelectExportColumn(QWidget* parent) : CSarvikDialog(parent)
{
    CDialogTemplate tmpl(this, 9, 186, 70);
    setWindowTitle(QStringLiteral("CRDD_PR_SELECTEXPORT"));
    m_pPart = tmpl.Add<QRadioButton>(IDC_RADIO_PART1, QStringLiteral("CRDC_PR_RADIO_PART1"), 14, 10,
                                     160, 12);
    m_pAll = tmpl.Add<QRadioButton>(IDC_RADIO_ALLDATA, QStringLiteral("CRDC_PR_RADIO_ALLDATA"), 14,
                                    26, 160, 12);
    AddOkCancel(tmpl, 75, 49, 129, 49, 50, 14);
    connect(m_pPart, &QRadioButton::clicked, this, [this] { m_nChoice = 0; });
    connect(m_pAll, &QRadioButton::clicked, this, [this] { m_nChoice = 1; });
}

CSelectExportColumn::~CSelectExportColumn() = default;

void CSelectExportColumn::SetLangTexts()
{
    SetDialogLangTexts(this);
}

bool CSelectExportColumn::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    m_pPart->setChecked(true);
    m_nChoice = 0;
    return true;
}

} // namespace brelkin
