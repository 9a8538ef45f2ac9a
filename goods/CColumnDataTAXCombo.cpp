#include "goods/CColumnDataTAXCombo.h"

#include "shared/data/CSqLiteUtility.h"
#include "shared/lang/CProgramLang.h"

namespace brelkin {

CColumnDataTAXCombo::CColumnDataTAXCombo(const QString& column, const QString& labelKey,
                                         uint ctrlId, uint labelCtrlId, const QString& table,
                                         const QString& codeColumn, const QString& nameColumn,
                                         int addBlank)
    : CColumnDataDBCombo(column, labelKey, ctrlId, labelCtrlId, table, codeColumn, nameColumn,
                         addBlank)
{
}

void CColumnDataTAXCombo::ReadCandidate(QWidget* control)
{
    if (Candidates().IsEmpty())
        ReadTaxRows();
    FillCombo(control);
}

bool CColumnDataTAXCombo::ReadTaxRows()
{
    if (!m_pSQliteDB || m_strCandTable.isEmpty())
        return false;
    if (!m_pCandReader)
        m_pCandReader = std::make_unique<CSQliteSQL>(*m_pSQliteDB, m_strCandTable);
    const QString code = CSqLiteUtility::QuoteSQLName(m_strCodeColumn);
    int err = 0;
    // Codes above 10 are not taxes an item can carry.
    const CSQRowArray* rows =
        CSqLiteUtility::ReadRows(*m_pCandReader, {m_strCodeColumn, m_strNameColumn},
                                 code + QStringLiteral(" <= '10'"), {}, code, 0, err);
    if (!rows)
        return false;
    CStringArrayPtrArray& candidates = Candidates();
    if (m_bAddBlank)
        candidates.Add(new CRecord{QString(), QString()});
    candidates.Add(
        new CRecord{QStringLiteral("00"), GetLangString(QStringLiteral("CRDS_PR_ITEM_TAX00"))});
    // A row "00" of the table would stand a second time beside the fixed one.
    for (const QStringList* row : *rows)
        if (row->value(0) != QLatin1String("00"))
            candidates.Add(new CRecord{row->value(0), row->value(1)});
    m_pCandReader->ReleaseReadRows();
    return true;
}

} // namespace brelkin
