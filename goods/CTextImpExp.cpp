#include "goods/CTextImpExp.h"

#include "goods/CListFileReader.h"
#include "goods/base/ProgramMessage.h"

#include "shared/data/CStringArrayPtrArray.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStringEncoder>

#include <algorithm>

namespace brelkin {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");
const QChar kTab = QLatin1Char('\t');

// Rows are encoded in pieces, so a large list never sits in memory twice.
constexpr qsizetype kWritePiece = 1 << 16;

} // namespace

CTextImpExp::CTextImpExp() = default;

CTextImpExp::~CTextImpExp() = default;

bool CTextImpExp::IsListValue(const QString& value)
{
    for (const QChar c : value)
        if (c == kTab || c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return false;
    return true;
}

int CTextImpExp::FindBadValueRow() const
{
    auto fits = [](const QStringList& values) {
        return std::all_of(values.begin(), values.end(), &CTextImpExp::IsListValue);
    };
    if (!fits(m_arrHeader))
        return -2;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i] && !fits(*m_rows[i]))
            return int(i);
    return -1;
}

bool CTextImpExp::CheckListValues(QWidget* owner, const QStringList& codes) const
{
    const int row = FindBadValueRow();
    if (row == -1)
        return true;
    QString code;
    if (row >= 0)
        code = row < codes.size() ? codes[row] : m_rows[size_t(row)]->value(0);
    ShowProgramMessage(owner, QStringLiteral("CRDS_PR_ERROR_LISTVALUE"),
                       platform::MessageIcon::Error, platform::MessageButtons::Ok, code);
    return false;
}

bool CTextImpExp::WriteListFile(const QString& path)
{
    m_strError.clear();
    if (FindBadValueRow() != -1)
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        m_strError = file.errorString();
        return false;
    }
    QStringEncoder encoder(QStringEncoder::Utf16LE);
    bool good = file.write("\xFF\xFE", 2) == 2;
    QString piece = m_arrHeader.join(kTab) + kLineEnd;
    auto flush = [&] {
        const QByteArray bytes = encoder.encode(piece);
        good = good && file.write(bytes) == bytes.size();
        piece.clear();
    };
    for (const auto& row : m_rows) {
        if (row)
            piece += row->join(kTab);
        piece += kLineEnd;
        if (piece.size() >= kWritePiece)
            flush();
    }
    flush();
    if (good && file.commit())
        return true;
    m_strError = file.errorString();
    file.cancelWriting();
    return false;
}

QStringList CTextImpExp::SplitFileLine(const QString& line)
{
    const qsizetype first = line.indexOf(kTab);
    if (first <= 0)
        return {};
    return line.split(kTab);
}

bool CTextImpExp::ReadListFile(const QString& path)
{
    if (!OpenListFile(path))
        return false;
    QStringList row;
    while (NextRow(row))
        m_rows.push_back(std::make_unique<QStringList>(std::move(row)));
    return true;
}

bool CTextImpExp::OpenListFile(const QString& path)
{
    m_strError.clear();
    RemoveAllRows();
    auto reader = std::make_unique<CListFileReader>();
    if (!reader->Open(path)) {
        m_strError = reader->ErrorString();
        m_readFault = ReadFault::File;
        return false;
    }
    ListFileLine line;
    if (!reader->ReadLine(line) || (line.text.isEmpty() && !line.tooLong)) {
        m_readFault = ReadFault::NoHeader;
        return false;
    }
    if (!line.undecoded.isEmpty()) {
        m_readFault = ReadFault::Encoding;
        return false;
    }
    m_arrHeader = SplitFileLine(line.text);
    m_pReader = std::move(reader);
    m_nLinesGiven = 1;
    return true;
}

bool CTextImpExp::NextRow(QStringList& row)
{
    m_undecoded.clear();
    m_bTooLong = false;
    if (m_pReader) {
        ListFileLine line;
        if (m_pReader->ReadLine(line)) {
            ++m_nLinesGiven;
            if (!line.text.isEmpty() || line.tooLong) {
                row = SplitFileLine(line.text);
                m_undecoded = std::move(line.undecoded);
                m_bTooLong = line.tooLong;
                return true;
            }
            // A blank line ends the data.
            m_nDataEndLine = m_nLinesGiven;
            m_nLinesNotRead = m_pReader->CountLinesLeft();
        }
        m_pReader.reset();
        return false;
    }
    if (m_nNextRow >= m_rows.size())
        return false;
    const std::unique_ptr<QStringList>& held = m_rows[m_nNextRow++];
    row = held ? *held : QStringList();
    return true;
}

QStringList* CTextImpExp::GetRow(int index)
{
    if (index < 0)
        return nullptr;
    while (m_rows.size() <= size_t(index))
        m_rows.push_back(std::make_unique<QStringList>());
    if (!m_rows[size_t(index)])
        m_rows[size_t(index)] = std::make_unique<QStringList>();
    return m_rows[size_t(index)].get();
}

int CTextImpExp::GetColumnCount() const
{
    return m_rows.empty() || !m_rows.front() ? 0 : int(m_rows.front()->size());
}

void CTextImpExp::RemoveAllRows()
{
    m_rows.clear();
    m_arrHeader.clear();
    m_pReader.reset();
    m_nLinesGiven = 0;
    m_nNextRow = 0;
    m_undecoded.clear();
    m_bTooLong = false;
    m_nDataEndLine = 0;
    m_nLinesNotRead = 0;
    m_readFault = ReadFault::None;
}

void CTextImpExp::TieRecordCodes(int firstRecordNo, const CStringArrayPtrArray& records,
                                 bool insert)
{
    const qsizetype start = firstRecordNo > 0 ? firstRecordNo - 1 : 0;
    size_t kept = 0;
    for (; kept < m_rows.size() && start + qsizetype(kept) < records.GetSize(); ++kept) {
        const CRecord* record = records.GetAt(start + qsizetype(kept));
        if (!record)
            continue;
        QStringList* row = GetRow(int(kept));
        if (insert)
            row->prepend(record->value(0));
        else if (row->isEmpty())
            row->append(record->value(0));
        else
            (*row)[0] = record->value(0);
    }
    m_rows.resize(kept);
}

void CTextImpExp::InsertRecordCodes(int firstRecordNo, const CStringArrayPtrArray& records)
{
    TieRecordCodes(firstRecordNo, records, true);
}

void CTextImpExp::ReplaceRecordCodes(int firstRecordNo, const CStringArrayPtrArray& records)
{
    TieRecordCodes(firstRecordNo, records, false);
}

QString CTextImpExp::RowsText() const
{
    QString text;
    for (const auto& row : m_rows) {
        if (row)
            text += row->join(kTab);
        text += kLineEnd;
    }
    return text;
}

bool CTextImpExp::CopyRowsToClipboard(QWidget*)
{
    for (const auto& row : m_rows)
        if (row && !std::all_of(row->begin(), row->end(), &CTextImpExp::IsListValue))
            return false;
    QGuiApplication::clipboard()->setText(RowsText());
    return true;
}

bool CTextImpExp::PasteRowsFromClipboard(QWidget*)
{
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty())
        return false;
    m_nFirstDataLine = 1;
    qsizetype at = 0;
    while (at < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), at);
        if (end < 0)
            end = text.size();
        QStringView line = QStringView(text).sliced(at, end - at);
        if (end < text.size() && line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        at = end + 1;
        m_rows.push_back(std::make_unique<QStringList>(line.toString().split(kTab)));
    }
    return true;
}

} // namespace brelkin
