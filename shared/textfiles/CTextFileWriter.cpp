#include "shared/textfiles/CTextFileWriter.h"

namespace {

constexpr qsizetype kFlushSize = 1 << 16;

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == QChar(0x3000);
}

bool NeedsQuotes(const QString& value)
{
    if (value.isEmpty())
        return false;
    if (value.front() == u'"' || IsBlank(value.front()) || IsBlank(value.back()))
        return true;
    for (QChar c : value)
        if (c == u'\t' || c == u'\r' || c == u'\n' || c == QChar(0x1A))
            return true;
    return false;
}

} // namespace

CTextFileWriter::CTextFileWriter() = default;

CTextFileWriter::~CTextFileWriter() = default;

bool CTextFileWriter::Open(const QString& path)
{
    m_strErrMsgId.clear();
    m_buffer.clear();
    m_pFile = std::make_unique<QSaveFile>(path);
    if (!m_pFile->open(QIODevice::WriteOnly)) {
        m_pFile.reset();
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTOPEN");
        return false;
    }
    return true;
}

void CTextFileWriter::AppendValue(QByteArray& line, const QString& value)
{
    if (!NeedsQuotes(value)) {
        line += value.toUtf8();
        return;
    }
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    line += '"';
    line += quoted.toUtf8();
    line += '"';
}

bool CTextFileWriter::WriteLine(const QStringList& values)
{
    if (!m_pFile) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTWRITE");
        return false;
    }
    if (values.size() == 1 && values.front().isEmpty()) {
        m_buffer += "\"\""; // a bare empty line would be read as no row at all
    } else {
        for (qsizetype i = 0; i < values.size(); ++i) {
            if (i)
                m_buffer += '\t';
            AppendValue(m_buffer, values[i]);
        }
    }
    m_buffer += '\n';
    return m_buffer.size() < kFlushSize || Flush();
}

bool CTextFileWriter::Flush()
{
    if (m_pFile->write(m_buffer) != m_buffer.size()) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTWRITE");
        return false;
    }
    m_buffer.truncate(0); // keeps its capacity for the next lines
    return true;
}

bool CTextFileWriter::Close()
{
    if (!m_pFile) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTWRITE");
        return false;
    }
    const bool ok = Flush() && m_pFile->commit();
    m_pFile.reset();
    if (!ok)
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTWRITE");
    return ok;
}
