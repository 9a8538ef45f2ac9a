#include "shared/textfiles/CTextFileError.h"

#include "shared/lang/CSarvikApp.h"
#include "shared/textfiles/CTextRecordFile.h"

#include <vector>

const QList<TextFileErrorFormat>& TextFileErrorFormats()
{
    using Arg = TextFileErrorArg;
    static const QList<TextFileErrorFormat> formats = {
        {"CRDS_PR_ERROR_WRITEDATA", {Arg::Status}},
        {"CRDS_PR_ERROR_DELETE", {Arg::Status}},
        {"CRDS_PR_ERROR_READDATA", {Arg::Status}},
        {"CRDS_PR_ERROR_INVALIDFILED", {Arg::Field}},
        {"CRDS_PR_ERROR_BLOBCOLUMN", {Arg::Field}},
        {"CRDS_PR_ERROR_TXTCHARSET", {Arg::Line}},
        {"CRDS_PR_ERROR_TXTCONTROL", {Arg::Line}},
        {"CRDS_PR_ERROR_TXTQUOTE", {Arg::Line}},
        {"CRDS_PR_ERROR_TXTCHAR", {Arg::Line}},
        {"CRDS_PR_ERROR_TXTLINELONG", {Arg::Line, Arg::MaxLineBytes}},
        {"CRDS_PR_ERROR_TXTVALUE", {Arg::Table, Arg::Field, Arg::KeyValue}},
        {"CRDS_PR_ERROR_TXTCOLUMNVALUE", {Arg::Line, Arg::Field, Arg::KeyValue}},
        {"CRDS_PR_ERROR_TXTDUPKEY", {Arg::Line, Arg::KeyValue}},
        {"CRDS_PR_ERROR_FIELDCOUNT", {Arg::Line, Arg::FieldCount, Arg::Expected}},
        {"CRDS_PR_ERROR_TEMPFILE", {Arg::SystemError}},
    };
    return formats;
}

LangTextArg CTextFileError::ArgValue(TextFileErrorArg arg) const
{
    switch (arg) {
    case TextFileErrorArg::Status:
        return m_nStatus;
    case TextFileErrorArg::Line:
        return m_nLine;
    case TextFileErrorArg::FieldCount:
        return m_nFieldCount;
    case TextFileErrorArg::Expected:
        return m_nExpected;
    case TextFileErrorArg::MaxLineBytes:
        return int(CTextRecordFile::MaxLineBytes);
    case TextFileErrorArg::Field:
        return m_strField;
    case TextFileErrorArg::Table:
        return m_strTable;
    case TextFileErrorArg::KeyValue:
        return m_strKeyValue;
    case TextFileErrorArg::SystemError:
        return m_strSystemError;
    }
    return QString();
}

QString CTextFileError::Message() const
{
    if (m_strKey.isEmpty())
        return LoadCommonString(QStringLiteral("CRDS_PR_ERROR_UNKNOWN"));
    const QString text = LoadCommonString(m_strKey);
    for (const TextFileErrorFormat& format : TextFileErrorFormats()) {
        if (m_strKey != QLatin1StringView(format.key))
            continue;
        std::vector<LangTextArg> args;
        for (const TextFileErrorArg arg : format.args)
            args.push_back(ArgValue(arg));
        return FormatLangTextList(text, args);
    }
    return text;
}
