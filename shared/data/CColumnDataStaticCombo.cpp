#include "shared/data/CColumnDataStaticCombo.h"

#include "shared/lang/CSarvikApp.h"

CColumnDataStaticCombo::CColumnDataStaticCombo(const QString& column, const QString& labelKey,
                                               uint ctrlId, uint labelCtrlId,
                                               const tagCLMSTRITEM* items, int count, int addBlank,
                                               int zeroPad)
    : CColumnDataDBCombo(column, labelKey, ctrlId, labelCtrlId, QString(), QString(), QString(),
                         addBlank),
      m_pItems(items), m_nItemCount(items ? count : 0), m_nZeroPad(zeroPad)
{
}

void CColumnDataStaticCombo::BuildCandidates()
{
    CStringArrayPtrArray& rows = Candidates();
    if (!rows.IsEmpty())
        return;
    if (m_bAddBlank)
        rows.Add(new CRecord{QString(), QString()});
    for (int i = 0; i < m_nItemCount; ++i) {
        const int value = m_pItems[i].nValue;
        QString code = QString::number(value);
        if (m_nZeroPad > 0 && code.size() < m_nZeroPad) {
            // As "%0nd": the zeros go after a minus sign.
            const qsizetype digitsAt = value < 0 ? 1 : 0;
            code.insert(digitsAt, QString(m_nZeroPad - code.size(), u'0'));
        }
        rows.Add(new CRecord{code, LoadCommonString(QLatin1String(m_pItems[i].pszKey))});
    }
}

QString CColumnDataStaticCombo::GetDescript(QString value)
{
    BuildCandidates();
    // Static tables are short and need not be in code order.
    const qsizetype index = FindCandidateLinear(Candidates(), value);
    return index < 0 ? value : Candidates().GetAt(index)->value(1);
}

void CColumnDataStaticCombo::ReadCandidate(QWidget* control)
{
    BuildCandidates();
    FillCombo(control);
}
