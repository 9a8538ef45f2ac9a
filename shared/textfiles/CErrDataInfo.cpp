#include "shared/textfiles/CErrDataInfo.h"

#include "shared/lang/CSarvikApp.h"
#include "shared/lang/FormatLangText.h"

#include <algorithm>

CErrDataInfo::CErrDataInfo() = default;

CErrDataInfo::~CErrDataInfo() = default;

void CErrDataInfo::AddErrData(DataErrTypetag kind, int number, const QString& text1,
                              const QString& text2, const QString& text3)
{
    m_arrKinds.append(kind);
    m_arrNumbers.append(number);
    m_arrText1.append(text1);
    m_arrText2.append(text2);
    m_arrText3.append(text3);
    ++m_nDataCnt;
}

void CErrDataInfo::TagEntriesFrom(int first, const QString& prefix)
{
    for (int i = std::max(first, 0); i < m_nDataCnt; ++i) {
        m_arrNumbers[i] = 0;
        m_arrText1[i] = m_arrText1[i].isEmpty() ? prefix : prefix + u' ' + m_arrText1[i];
    }
}

QString CErrDataInfo::GetNextErrMsg()
{
    if (m_nNextIndex >= m_nDataCnt)
        return {};
    const int i = m_nNextIndex;
    const qint32 kind = m_arrKinds[i];

    QString line;
    if (kind == DATAERR_ERROR || kind == DATAERR_ERROR2) {
        line += LoadCommonString("CRDS_CMN_ERR_IMPERROR");
        ++m_nErrCnt;
    } else if (kind == DATAERR_WARNING) {
        line += LoadCommonString("CRDS_CMN_ERR_IMPWARNING");
        ++m_nWarningCnt;
    }
    if (kind != DATAERR_NOTE)
        line += QStringLiteral("%1 ").arg(m_nLineNo + 1, 3, 10, QLatin1Char('0'));
    if (m_arrNumbers[i] != 0)
        line += FormatLangText(LoadCommonString("CRDS_CMN_ERR_MEMORYNO"), m_arrNumbers[i]);
    if (!m_arrText1[i].isEmpty())
        line += m_arrText1[i] + u' ';
    if (!m_arrText2[i].isEmpty())
        line += m_arrText2[i] + u' ';
    if (!m_arrText3[i].isEmpty())
        line += LoadCommonString("CRDS_CMN_ERR_IMPDATA") + m_arrText3[i];

    if (kind != DATAERR_NOTE)
        ++m_nLineNo;
    ++m_nNextIndex;
    return line;
}
