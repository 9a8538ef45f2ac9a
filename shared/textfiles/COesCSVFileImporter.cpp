#include "shared/textfiles/COesCSVFileImporter.h"

#include "shared/config/CBasePath.h"
#include "shared/lang/CSarvikApp.h"
#include "shared/textfiles/CTextFileError.h"
#include "shared/textfiles/CTextFileImporter.h"
#include "shared/textfiles/CTextFileReader.h"
#include "shared/textfiles/CTextRecordFile.h"
#include "shared/textfiles/TextValueChars.h"
#include "shared/config/DeleteFileWithRetry.h"
#include "shared/lang/FormatLangText.h"

#include "platform/LegacyCodePage.h"

#include "stroven/Stroven.h"

#include <QFile>

#include <algorithm>
#include <limits>

namespace {

const QString kCreate = QStringLiteral("CREATEDATETIME");
const QString kUpdate = QStringLiteral("UPDATEDATETIME");
const QStringList kClerkKept = {"CLKGRPCODE",   "DRAWERNUMBER", "CLKINTCODE",
                                "NBCHKNUMFROM", "NBCHKNUMTO",   "UNUSABLE"};

struct KindInfo
{
    const char* fileKind; // at indexes 7 to 11 of the first header line
    const char* keyColumn;
    QStringList valueColumns;
    int codeWidth;
};

const KindInfo& Kind(int kind)
{
    static const KindInfo kinds[3] = {
        {"P0004",
         "ITEMCODE",
         {"ITEMNAME", "ITEMDEPTCODE", "ITEMPARMCODE", "UNITPRICE", "TAXCODE_1", kCreate, kUpdate},
         16},
        {"P0005", "ITEMDEPTCODE", {"ITEMDEPTNAME", kCreate, kUpdate}, 6},
        {"P0007", "CLKCODE", QStringList{"CLKNAME"} + kClerkKept + QStringList{kCreate, kUpdate},
         10},
    };
    return kinds[kind];
}

// A code field: decimal digits (blanks round them allowed) of at most width
// significant digits, zero-padded to the width. No sign, no other character:
// a code never wraps or loses digits on its way to the table.
bool ParseCode(const QString& field, int width, QString& code)
{
    QString digits = field.trimmed();
    if (digits.isEmpty() ||
        !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return false;
    qsizetype first = 0;
    while (first < digits.size() && digits[first] == u'0')
        ++first;
    digits.remove(0, first);
    if (digits.size() > width)
        return false;
    code = digits.rightJustified(width, u'0');
    return true;
}

// The C library's decimal conversion (leading blanks, a sign, digits up to
// the first other character; 0 without digits), in 64 bits; false when the
// number does not fit.
bool NumberOf(const QString& text, qint64& value)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || (text[i] >= u'\t' && text[i] <= u'\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    quint64 magnitude = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        magnitude = magnitude * 10 + (text[i].unicode() - u'0');
        if (magnitude > quint64(std::numeric_limits<qint64>::max()))
            return false;
    }
    value = negative ? -qint64(magnitude) : qint64(magnitude);
    return true;
}

// The number of the single character at an index (0 when absent or no digit).
int DigitAt(const QString& text, qsizetype index)
{
    if (index >= text.size() || text[index] < u'0' || text[index] > u'9')
        return 0;
    return text[index].unicode() - u'0';
}

// The blanks of the record engine: space, TAB and the full-width space.
constexpr char16_t kBlanks[] = u" \t\u3000";

// A stored name: no CR or LF (a line end that slipped into the field) and no
// trailing blanks.
QString CleanName(QString name)
{
    name.remove(u'\r');
    name.remove(u'\n');
    qsizetype end = name.size();
    while (end > 0 && QStringView(kBlanks).contains(name[end - 1]))
        --end;
    return name.left(end);
}

bool OnlyChars(const QString& text, QStringView allowed)
{
    return std::all_of(text.begin(), text.end(), [&](QChar c) { return allowed.contains(c); });
}

QString FileErrorDetail(const QFile& file)
{
    return QStringLiteral("%1(%2)").arg(file.errorString(),
                                        QString::number(uint(file.error()), 16).toUpper());
}

} // namespace

COesCSVFileImporter::COesCSVFileImporter(CSQliteDB* db, const QString& table,
                                         const QString& keyColumn, const QString& path, int mode)
    : m_strPath(path), m_pDB(db), m_strTable(table), m_strKeyColumn(keyColumn),
      m_strTimestamp(GetTimestampOfNow()), m_nMode(mode)
{
    if (table == u"CIA002")
        m_nFileKind = OES_DEPARTMENT;
    else if (table == u"CSB004")
        m_nFileKind = OES_CLERK;
    else
        m_nFileKind = OES_ITEM;
}

COesCSVFileImporter::~COesCSVFileImporter()
{
    RemoveTempFile();
}

void COesCSVFileImporter::RemoveTempFile()
{
    if (!m_strTempPath.isEmpty() && DeleteFileWithRetry(m_strTempPath))
        m_strTempPath.clear();
}

bool COesCSVFileImporter::Fail(const QString& key, CSQliteSQL* rollback)
{
    if (rollback)
        rollback->ExecRollback();
    m_strErrMsgId = key;
    return false;
}

bool COesCSVFileImporter::ExecuteImport()
{
    m_strErrMsgId.clear();
    m_strSysErr.clear();
    m_nStatus = 0;
    m_nErrorLine = 0;
    // A failure always names itself: callers take an empty key for success.
    if (!m_pDB) {
        m_nStatus = SQLERR_NOT_OPEN;
        return Fail(QStringLiteral("CRDS_PR_ERROR_WRITEDATA"), nullptr);
    }
    bool ok = CheckMakeTempFile();
    if (ok) {
        CTextFileReader reader;
        if (reader.Open(m_strTempPath, true) < 0) {
            ok = Fail(reader.GetErrMsgId(), nullptr);
        } else {
            CSQliteSQL sql(*m_pDB, m_strTable);
            ok = ConvertTxtToDBTable(&sql, reader);
        }
    }
    RemoveTempFile();
    return ok;
}

bool COesCSVFileImporter::CheckHeaderLine(int index, QByteArrayView bytes,
                                          platform::LegacyDecoder& decoder) const
{
    // The limits count characters of the code page, not bytes.
    bool ok = false;
    const QString line = decoder.decode(bytes, &ok);
    if (!ok || (line.size() > 11 && !line.startsWith(u'"')))
        return false;
    if (index == 0)
        return line.size() >= 12 && line[1] == u'C' &&
               line.mid(7, 5) == QLatin1String(Kind(m_nFileKind).fileKind);
    return true;
}

bool COesCSVFileImporter::CheckMakeTempFile()
{
    QString temp;
    if (!CBasePath::CreateTempFileName(CBasePath::GetLocalTemporaryPath(), QStringLiteral("OCV"),
                                       QStringLiteral(".tmp"), temp)) {
        m_strSysErr = QStringLiteral("%1(%2)").arg(
            qt_error_string(), QString::number(uint(QFileDevice::OpenError), 16).toUpper());
        return Fail(QStringLiteral("CRDS_PR_ERROR_TEMPFILE"), nullptr);
    }
    m_strTempPath = temp;
    QFile in(m_strPath);
    QFile out(m_strTempPath);
    if (!in.open(QIODevice::ReadOnly)) {
        m_strSysErr = FileErrorDetail(in);
        RemoveTempFile();
        return Fail(QStringLiteral("CRDS_PR_ERROR_TEMPFILE"), nullptr);
    }
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_strSysErr = FileErrorDetail(out);
        return Fail(QStringLiteral("CRDS_PR_ERROR_TEMPFILE"), nullptr);
    }
    // Line by line: memory stays at one line and one block of output,
    // whatever the size of the file.
    QByteArray data;
    bool anyData = false;
    platform::LegacyDecoder decoder;
    const auto flush = [&] {
        if (out.write(data) != data.size()) {
            m_strSysErr = FileErrorDetail(out);
            return Fail(QStringLiteral("CRDS_PR_ERROR_TEMPFILE"), nullptr);
        }
        data.truncate(0);
        return true;
    };
    // One line buffer for the whole file: a buffer of the longest line made
    // afresh for every line would cost more than the line itself.
    QByteArray buffer(CTextRecordFile::MaxLineBytes + 3, Qt::Uninitialized);
    for (int lineNo = 1; !in.atEnd(); ++lineNo) {
        const qint64 got = in.readLine(buffer.data(), buffer.size());
        if (got < 0 || in.error() != QFileDevice::NoError) {
            m_strSysErr = FileErrorDetail(in);
            return Fail(QStringLiteral("CRDS_PR_ERROR_TEMPFILE"), nullptr);
        }
        QByteArrayView line(buffer.constData(), got);
        if (line.endsWith('\n'))
            line.chop(1);
        else if (!in.atEnd()) {
            m_nErrorLine = lineNo;
            return Fail(QStringLiteral("CRDS_PR_ERROR_TXTLINELONG"), nullptr);
        }
        if (line.endsWith('\r'))
            line.chop(1);
        if (lineNo <= 3) {
            if (!CheckHeaderLine(lineNo - 1, line, decoder)) {
                m_nErrorLine = lineNo;
                return Fail(QStringLiteral("CRDS_PR_ERROR_CSVFILE"), nullptr);
            }
            continue;
        }
        data += line;
        data += "\r\n";
        anyData = true;
        if (data.size() >= (1 << 16) && !flush())
            return false;
    }
    // A file of header lines alone says so, rather than "cannot open".
    if (!anyData)
        return Fail(QStringLiteral("CRDS_PR_ERROR_OESNODATA"), nullptr);
    if (!flush())
        return false;
    if (!out.flush()) {
        m_strSysErr = FileErrorDetail(out);
        return Fail(QStringLiteral("CRDS_PR_ERROR_TEMPFILE"), nullptr);
    }
    return true;
}

bool COesCSVFileImporter::SetSQLParameter(CSQliteSQL* sql)
{
    const KindInfo& kind = Kind(m_nFileKind);
    m_nStatus = sql->SetSQLForWrite({QString::fromLatin1(kind.keyColumn)}, kind.valueColumns, {});
    return m_nStatus == 0;
}

bool COesCSVFileImporter::ConvertTxtToDBTable(CSQliteSQL* sql, CTextFileReader& reader)
{
    const QString failure = CTextFileImporter::BeginImport(
        *m_pDB, *sql, m_strTable, QString::fromLatin1(Kind(m_nFileKind).keyColumn), m_nMode,
        m_arrExistCode, m_nStatus);
    if (!failure.isEmpty())
        return Fail(failure, nullptr);
    if (!SetSQLParameter(sql))
        return Fail(QStringLiteral("CRDS_PR_ERROR_WRITEDATA"), sql);
    for (;;) {
        const uchar* record = nullptr;
        int fieldCount = 0;
        const int r = reader.ReadRecord(record, fieldCount);
        if (r == -2)
            break;
        // Lines of the data file are those of the OES file after its header.
        m_nErrorLine = reader.GetLineNumber() + 3;
        if (r != 1)
            return Fail(reader.GetErrMsgId(), sql);
        if (ProcLine(record, fieldCount, sql) < 0) {
            sql->ExecRollback();
            return false;
        }
    }
    m_nErrorLine = 0;
    m_nStatus = sql->ExecCommit();
    if (m_nStatus != 0)
        return Fail(QStringLiteral("CRDS_PR_ERROR_WRITEDATA"), sql);
    return true;
}

int COesCSVFileImporter::ProcLine(const uchar* record, int, CSQliteSQL* sql)
{
    QStringList fields;
    for (const TextRecordField& f : CTextRecordFile::SplitRecord(record))
        fields.append(f.nKind == TEXTFIELD_TEXT || f.nKind == TEXTFIELD_NUMBER ? f.text.toString()
                                                                               : QString());
    m_strKeyValue.clear();
    m_values.clear();
    bool converted = false;
    bool exists = false;
    switch (m_nFileKind) {
    case OES_ITEM: {
        bool skip = false;
        converted = ProcLineFILE0004(fields, skip);
        if (skip)
            return 0;
        break;
    }
    case OES_DEPARTMENT:
        converted = ProcLineFILE0005(fields);
        break;
    default:
        converted = ProcLineFILE0007_Part1(fields);
        if (converted) {
            exists = m_nMode == 1 &&
                     CTextFileImporter::ExistCodeBinarySearch(m_arrExistCode, m_strKeyValue) >= 0;
            converted = ProcLineFILE0007_Part2(exists);
        }
        break;
    }
    if (!converted) {
        if (m_strErrMsgId.isEmpty())
            m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_CSVFILE");
        return -1;
    }
    // A character the archive cannot carry never reaches the table.
    for (const QString& value : std::as_const(m_values))
        if (FindUncarriedChar(value) >= 0) {
            m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_TXTCHAR");
            return -1;
        }
    if (m_nFileKind != OES_CLERK)
        exists = m_nMode == 1 &&
                 CTextFileImporter::ExistCodeBinarySearch(m_arrExistCode, m_strKeyValue) >= 0;
    m_nStatus =
        sql->ExecWrite({m_strKeyValue}, m_values, {}, exists ? SQLWRITE_UPDATE : SQLWRITE_INSERT);
    if (m_nStatus != 0) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_WRITEDATA");
        return -1;
    }
    return 1;
}

bool COesCSVFileImporter::ProcLineFILE0004(const QStringList& fields, bool& skip)
{
    // A record with a blank name and nothing but zeros is an unused slot.
    skip = OnlyChars(fields.value(2), QStringView(u" \t\u3000\r\n"));
    for (qsizetype i = 1; skip && i < fields.size(); ++i)
        skip = i == 2 || OnlyChars(fields[i], u"0\r\n");
    if (skip)
        return true;
    if (fields.size() < 6)
        return false;
    QString code;
    if (!ParseCode(fields[0], Kind(m_nFileKind).codeWidth, code))
        return false;
    qint64 dept = 0;
    qint64 price = 0;
    if (!NumberOf(fields[4], dept) || dept < 0 || dept > 999999 || !NumberOf(fields[5], price) ||
        price < -9999999999LL || price > 9999999999LL)
        return false;
    if (dept == 0)
        dept = 1;
    const QString& attributes = fields[3];
    if (DigitAt(attributes, 7) & 2)
        price = -price;
    const int t = DigitAt(attributes, 2);
    int tax = 1;
    if (CBasePath::GetLangType() == 0) {
        if (t <= 3)
            tax = t + 1;
        else if (t <= 5)
            tax = 0;
    } else if (t <= 4) {
        tax = t;
    }
    QString param;
    if (!GetItemParamCode(m_nStatus, code, param)) {
        m_strErrMsgId = QStringLiteral("CRDS_PR_ERROR_READDATA");
        return false;
    }
    m_strKeyValue = code;
    m_values = {
        CleanName(fields[2]),   QString::number(dept).rightJustified(6, u'0'), param,
        QString::number(price), QString::number(tax).rightJustified(2, u'0'),  m_strTimestamp,
        m_strTimestamp};
    return true;
}

bool COesCSVFileImporter::ProcLineFILE0005(const QStringList& fields)
{
    if (!TakeCodeAndName(fields))
        return false;
    m_values << m_strTimestamp << m_strTimestamp;
    return true;
}

bool COesCSVFileImporter::ProcLineFILE0007_Part1(const QStringList& fields)
{
    return TakeCodeAndName(fields);
}

bool COesCSVFileImporter::TakeCodeAndName(const QStringList& fields)
{
    QString code;
    if (fields.size() < 2 || !ParseCode(fields[0], Kind(m_nFileKind).codeWidth, code))
        return false;
    m_strKeyValue = code;
    m_values = {CleanName(fields[1])};
    return true;
}

bool COesCSVFileImporter::ProcLineFILE0007_Part2(bool exists)
{
    if (!exists) {
        m_values << QStringLiteral("000001") << QStringLiteral("0") << QStringLiteral("000000")
                 << QStringLiteral("000000") << QStringLiteral("999999") << QStringLiteral("0");
    } else {
        // An existing clerk keeps its own settings; only the name is taken over.
        CSQliteSQL sql(*m_pDB, m_strTable);
        int status = sql.SetSQLForRead(kClerkKept, QStringLiteral("CLKCODE = ?"), {}, 0);
        if (status == 0)
            status = sql.SetParamsForRead({m_strKeyValue});
        const CSQRowArray* rows = status == 0 ? sql.ExecReadNext(status) : nullptr;
        if (!rows || (status != 0 && status != SQLREAD_END) || rows->isEmpty() ||
            rows->front()->size() < kClerkKept.size())
            return false;
        m_values += rows->front()->mid(0, kClerkKept.size());
    }
    m_values << m_strTimestamp << m_strTimestamp;
    return true;
}

bool COesCSVFileImporter::GetItemParamCode(int& status, const QString& itemCode, QString& paramCode)
{
    paramCode = QStringLiteral("000001");
    CSQliteSQL sql(*m_pDB, m_strTable);
    status =
        sql.SetSQLForRead({QStringLiteral("ITEMPARMCODE")}, QStringLiteral("ITEMCODE = ?"), {}, 0);
    if (status == 0)
        status = sql.SetParamsForRead({itemCode});
    if (status != 0)
        return false;
    const CSQRowArray* rows = sql.ExecReadNext(status);
    if (!rows || (status != 0 && status != SQLREAD_END))
        return false;
    status = 0;
    if (!rows->isEmpty() && !rows->front()->isEmpty() && !rows->front()->front().isEmpty())
        paramCode = rows->front()->front();
    return true;
}

void COesCSVFileImporter::GetErrorMessage(QString& out) const
{
    if (m_strErrMsgId == u"CRDS_PR_ERROR_CSVFILE" && m_nErrorLine > 0) {
        out = FormatLangText(LoadCommonString("CRDS_PR_ERROR_CSVLINE"), m_nErrorLine);
        return;
    }
    CTextFileError error;
    error.m_strKey = m_strErrMsgId;
    error.m_nStatus = m_nStatus;
    error.m_nLine = m_nErrorLine;
    error.m_strSystemError = m_strSysErr;
    out = error.Message();
}
