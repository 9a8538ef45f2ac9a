#include "shared/textfiles/CTextFileReader.h"

#include <new>

CTextFileReader::CTextFileReader() = default;

CTextFileReader::~CTextFileReader() = default;

int CTextFileReader::Open(const QString& path, bool csv)
{
    m_strErrMsgId.clear();
    if (m_file.IsOpen())
        m_file.CloseTextRecordFile();
    TextRecordOptions options;
    options.strPath = path;
    options.nFileEncoding = csv ? TEXTENC_ANSI : TEXTENC_UTF8;
    options.nBufferEncoding = TEXTENC_UTF16LE;
    // One line is one record: a value that opens a quote and never closes it
    // must not swallow the following lines.
    options.dwParseFlags = TEXTPARSE_KEEPBLANKS;
    options.wSeparators = csv ? TEXTSEP_COMMA : TEXTSEP_TAB;
    options.wQuoting = TEXTQUOTE_DOUBLE;
    if (m_file.OpenTextRecordFile(&options) < 0) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTOPEN");
        return -1;
    }
    return 0;
}

void CTextFileReader::SetReadError()
{
    switch (m_file.LastError()) {
    case TEXTERR_CONVERT:
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTCHARSET");
        break;
    case TEXTERR_CONTROL:
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTCONTROL");
        break;
    case TEXTERR_SPLIT:
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTQUOTE");
        break;
    case TEXTERR_LINE_LONG:
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTLINELONG");
        break;
    default:
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTREAD");
        break;
    }
}

int CTextFileReader::ReadRecord(const uchar*& record, int& fieldCount)
{
    m_strErrMsgId.clear();
    record = nullptr;
    int byteSize = 0;
    if (!m_file.PeekTextRecord(&fieldCount, &byteSize)) {
        if (fieldCount == -2)
            return -2;
        SetReadError();
        return fieldCount;
    }
    try {
        m_record.resize(byteSize);
    } catch (const std::bad_alloc&) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_MALLOC");
        return -1;
    }
    int copied = 0;
    if (m_file.ReadTextRecord(m_record.data(), int(m_record.size()), &copied) != 1) {
        SetReadError();
        fieldCount = 0;
        return -1;
    }
    record = reinterpret_cast<const uchar*>(m_record.constData());
    return 1;
}
