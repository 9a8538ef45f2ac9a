#include "shared/textfiles/CTextFileError.h"

#include "shared/lang/CSarvikApp.h"
#include "shared/lang/FormatLangText.h"
#include "shared/textfiles/CTextRecordFile.h"

QString CTextFileError::Message() const
{
    const QString& key = m_strKey;
    if (key.isEmpty())
        return LoadCommonString(QStringLiteral("CRDS_PR_ERROR_UNKNOWN"));
    // Each key stands inside its own call, so its placeholders can be checked
    // against the arguments given here.
    if (key == u"CRDS_PR_ERROR_WRITEDATA")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_WRITEDATA"), m_nStatus);
    if (key == u"CRDS_PR_ERROR_DELETE")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_DELETE"), m_nStatus);
    if (key == u"CRDS_PR_ERROR_READDATA")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_READDATA"), m_nStatus);
    if (key == u"CRDS_PR_ERROR_INVALIDFILED")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_INVALIDFILED"), m_strField);
    if (key == u"CRDS_PR_ERROR_BLOBCOLUMN")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_BLOBCOLUMN"), m_strField);
    if (key == u"CRDS_PR_ERROR_TXTCHARSET")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_TXTCHARSET"), m_nLine);
    if (key == u"CRDS_PR_ERROR_TXTCONTROL")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_TXTCONTROL"), m_nLine);
    if (key == u"CRDS_PR_ERROR_TXTQUOTE")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_TXTQUOTE"), m_nLine);
    if (key == u"CRDS_PR_ERROR_TXTCHAR")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_TXTCHAR"), m_nLine);
    if (key == u"CRDS_PR_ERROR_TXTLINELONG")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_TXTLINELONG"), m_nLine,
                              int(CTextRecordFile::MaxLineBytes));
    if (key == u"CRDS_PR_ERROR_TXTVALUE")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_TXTVALUE"), m_strTable, m_strField,
                              m_strKeyValue);
    if (key == u"CRDS_PR_ERROR_TXTCOLUMNVALUE")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_TXTCOLUMNVALUE"), m_nLine, m_strField,
                              m_strKeyValue);
    if (key == u"CRDS_PR_ERROR_TXTDUPKEY")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_TXTDUPKEY"), m_nLine, m_strKeyValue);
    if (key == u"CRDS_PR_ERROR_FIELDCOUNT")
        return FormatLangText(LoadCommonString("CRDS_PR_ERROR_FIELDCOUNT"), m_nLine, m_nFieldCount,
                              m_nExpected);
    return LoadCommonString(key);
}
