#include "goods/CListRowImport.h"

#include "goods/CColumnValueCheck.h"
#include "goods/CListFileReader.h"
#include "goods/CResDispDlg.h"
#include "goods/CTextImpExp.h"
#include "goods/ListFileTables.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/data/CSqLiteUtility.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "shared/textfiles/CErrDataInfo.h"
#include "shared/textfiles/TextValueChars.h"

#include "stroven/Stroven.h"

#include <QCoreApplication>

#include <algorithm>
#include <limits>

namespace brelkin {

namespace {

// Often enough for a pressed button to answer at once.
constexpr qint64 kPumpMilliseconds = 20;

// A log line names a value by its start: a line of the log stays a line.
constexpr qsizetype kQuotedChars = 64;

void AddNote(CErrDataInfo& errors, const char* key)
{
    errors.AddErrData(CErrDataInfo::DATAERR_NOTE, 0, QString(), GetLangString(QLatin1String(key)),
                      QString());
}

QString QuotedValue(const QString& value)
{
    const bool whole = value.size() <= kQuotedChars;
    QString shown = value.left(
        !whole && value.at(kQuotedChars - 1).isHighSurrogate() ? kQuotedChars - 1 : kQuotedChars);
    // A control character shows as its picture, half a surrogate pair as the
    // replacement character: the log line shows where they stand.
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const char16_t c = shown.at(i).unicode();
        if (c < 0x20)
            shown[i] = QChar(char16_t(0x2400 + c));
        else if (QChar::isHighSurrogate(c) &&
                 !(i + 1 < shown.size() && shown.at(i + 1).isLowSurrogate()))
            shown[i] = QChar::ReplacementCharacter;
        else if (QChar::isLowSurrogate(c) && !(i > 0 && shown.at(i - 1).isHighSurrogate()))
            shown[i] = QChar::ReplacementCharacter;
    }
    if (whole)
        return shown;
    return FormatLangText(GetLangString(QStringLiteral("CRDS_ERR_VALUESTART")), shown,
                          int(value.size()));
}

// A value a setting cannot carry, whatever its column: bytes that are no
// text, or a character the table text import refuses too.
void RefuseUncarriedText(const CColumnData* column, const QString& value, bool undecoded,
                         CColumnValueCheck::Result& result)
{
    QString reason;
    if (undecoded || !QStringView(value).isValidUtf16())
        reason = GetLangString(QStringLiteral("CRDS_ERR_VALUE_CHARSET"));
    else if (FindUncarriedChar(value) >= 0)
        reason = GetLangString(QStringLiteral("CRDS_ERR_VALUE_CONTROL"));
    if (reason.isEmpty())
        return;
    result = CColumnValueCheck::Result();
    result.outcome = CColumnValueCheck::Result::Outcome::Refused;
    result.text1 = reason;
    result.text2 = GetLangString(column->m_strLabelKey);
}

} // namespace

CListRowImport::CListRowImport(CDataManager* dataManager) : m_pDataManager(dataManager) {}

CListRowImport::~CListRowImport() = default;

QString CListRowImport::CodeLabel() const
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    return list->m_nColumnCount > 0 ? GetLangString(list->m_ppColumnData[0]->m_strLabelKey)
                                    : QString();
}

int CListRowImport::CodeSize() const
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    return list->m_nColumnCount > 0 ? list->m_ppColumnData[0]->m_nSize : 0;
}

int CListRowImport::FindListColumn(const QString& label) const
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        const CColumnData* column = list->m_ppColumnData[i];
        if (IsListFileColumn(column) && GetLangString(column->m_strLabelKey) == label)
            return i;
    }
    return -1;
}

bool CListRowImport::IsListHeader(const QStringList& header) const
{
    return std::any_of(header.begin(), header.end(),
                       [this](const QString& label) { return FindListColumn(label) >= 0; });
}

bool CListRowImport::CheckImportHeader(CTextImpExp& data, CErrDataInfo& errors)
{
    data.m_arrColumnMap.clear();
    for (const QString& header : data.m_arrHeader) {
        const int found = FindListColumn(header);
        if (found < 0) {
            errors.AddErrData(CErrDataInfo::DATAERR_ERROR2, 0, QString(),
                              GetLangString(QStringLiteral("CRDS_ERR_INVALID_CLMNNAME")),
                              QuotedValue(header));
            return true;
        }
        data.m_arrColumnMap << uint(found);
    }
    return false;
}

qint64 CListRowImport::ParseMemoryNumber(const QString& text)
{
    if (text.isEmpty())
        return -1;
    qsizetype first = 0;
    while (first < text.size() && text.at(first) == QLatin1Char('0'))
        ++first;
    const QStringView digits = QStringView(text).sliced(first);
    for (const QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return -1;
    if (digits.isEmpty())
        return 0;
    bool ok = false;
    const qint64 number = digits.toLongLong(&ok);
    // Too many digits for any code column.
    return ok ? number : std::numeric_limits<qint64>::max();
}

void CListRowImport::BuildIndex()
{
    m_index.clear();
    const CStringArrayPtrArray& records = m_pDataManager->m_arrRecords;
    m_index.reserve(records.GetSize());
    for (qsizetype i = 0; i < records.GetSize(); ++i) {
        const CRecord* record = records.GetAt(i);
        const qint64 number = record ? ParseMemoryNumber(record->value(0)) : -1;
        if (number >= 0 && !m_index.contains(number))
            m_index.insert(number, int(i));
    }
    m_bIndexBuilt = true;
}

int CListRowImport::FindRecordByNumber(qint64 number)
{
    if (!m_bIndexBuilt)
        BuildIndex();
    return m_index.value(number, -1);
}

bool CListRowImport::ResolveCode(const QString& code, const QStringList* row, int& index,
                                 CErrDataInfo& errors)
{
    const QString first = row ? row->value(0) : code;
    const qint64 number = ParseMemoryNumber(code);
    index = -1;
    if (number < 0) {
        errors.AddErrData(CErrDataInfo::DATAERR_ERROR, 0,
                          GetLangString(QStringLiteral("CRDS_ERR_INVALID_MEMNO")), CodeLabel(),
                          QuotedValue(first));
        return false;
    }
    index = FindRecordByNumber(number);
    if (index < 0 && QString::number(number).size() > CodeSize()) {
        errors.AddErrData(CErrDataInfo::DATAERR_ERROR, 0,
                          GetLangString(QStringLiteral("CRDS_ERR_OUTOF_MEMNO")), CodeLabel(),
                          QuotedValue(first));
        return false;
    }
    return true;
}

void CListRowImport::AddInsertFailure(const QString& first, int err, CErrDataInfo& errors)
{
    errors.AddErrData(
        CErrDataInfo::DATAERR_ERROR, 0,
        FormatLangText(GetLangString(QStringLiteral("CRDS_CMN_ERR_INSERT_FAILED")), err),
        CodeLabel(), QuotedValue(first));
}

bool CListRowImport::FindOrAddRecordByNumber(const QString& code, const QStringList* row,
                                             int& index, CErrDataInfo& errors)
{
    if (!ResolveCode(code, row, index, errors))
        return false;
    if (index >= 0)
        return true;
    const qint64 number = ParseMemoryNumber(code);
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    QStringList record;
    for (int i = 0; i < list->m_nColumnCount; ++i)
        record << QString();
    record[list->m_nKeyIndex] =
        QString::number(number).rightJustified(CodeSize(), QLatin1Char('0'));
    int err = 0;
    if (list->InsertRecordKeepCache(record, err)) {
        index = int(m_pDataManager->m_arrRecords.GetSize()) - 1;
        m_index.insert(number, index);
        return true;
    }
    AddInsertFailure(row ? row->value(0) : code, err, errors);
    return false;
}

void CListRowImport::PumpMessages()
{
    if (m_pumpClock.isValid() && m_pumpClock.elapsed() < kPumpMilliseconds)
        return;
    // The record in work shows when the log can be painted.
    if (m_pLog && m_nStatusRecordNo > 0)
        m_pLog->SetStatus(m_strStatus, m_nStatusRecordNo);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    m_pumpClock.start();
}

void CListRowImport::WriteMessages(CErrDataInfo& errors)
{
    for (QString line = errors.GetNextErrMsg(); !line.isEmpty(); line = errors.GetNextErrMsg())
        if (m_pLog)
            m_pLog->AddLogLine(line);
}

void CListRowImport::BeginBatch()
{
    CSQliteDB* db = m_pDataManager->m_pSQliteDB;
    // A transaction of the caller's covers the run.
    if (m_pBatch || !db || db->InTransaction())
        return;
    auto sql = std::make_unique<CSQliteSQL>(*db, CBasePath::GetStrDummyName());
    if (sql->StartTransaction() == 0)
        m_pBatch = std::move(sql);
    m_nBatchCount = 0;
}

void CListRowImport::EndBatch(CErrDataInfo& errors)
{
    if (!m_pBatch) {
        m_written.clear();
        return;
    }
    std::unique_ptr<CSQliteSQL> sql = std::move(m_pBatch);
    const int err = sql->ExecCommit();
    if (err != 0) {
        sql->ExecRollback();
        // The rows of this batch are not saved; the re-read list shows so.
        errors.AddErrData(
            CErrDataInfo::DATAERR_ERROR, 0,
            FormatLangText(GetLangString(QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED")), err),
            QString(), QString());
        for (const WrittenRow& row : std::as_const(m_written))
            CountRefused(row.partly);
    }
    m_written.clear();
}

void CListRowImport::CountRefused(bool partly)
{
    --(partly ? m_counts.partly : m_counts.stored);
    ++m_counts.refused;
}

void CListRowImport::StartRow()
{
    if (m_pRowSql)
        m_pRowSql->SetSavepoint();
}

void CListRowImport::KeepRow()
{
    if (m_pRowSql)
        m_pRowSql->ReleaseSavepoint();
}

void CListRowImport::UndoRow()
{
    CSQliteDB* db = m_pDataManager->m_pSQliteDB;
    if (m_pRowSql && db && db->InTransaction())
        m_pRowSql->RollbackToSavepoint();
    else
        ReplayBatch();
}

CSQliteSQL* CListRowImport::Writer(bool insert, const QStringList& columns, int& err)
{
    const QString key = (insert ? QStringLiteral("I:") : QStringLiteral("U:")) + columns.join(u',');
    auto known = m_writers.find(key);
    if (known != m_writers.end())
        return known->second.get();
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    auto sql = std::make_unique<CSQliteSQL>(*m_pDataManager->m_pSQliteDB, list->m_strTableName);
    err = sql->SetSQLForWrite({list->KeyColumn()->m_strColumnName}, columns, {});
    if (err != 0)
        return nullptr;
    return m_writers.emplace(key, std::move(sql)).first->second.get();
}

bool CListRowImport::WriteRow(bool added, const QList<int>& columns, const QStringList& values,
                              int& err)
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    err = SQLERR_ARGUMENTS;
    if (!m_pDataManager->m_pSQliteDB || !list->KeyColumn() || list->m_strTableName.isEmpty())
        return false;
    // An added record also gets its defaults and time stamps, as an insert
    // of the list writes them; in descriptor order, as the list writes.
    QStringList names;
    QStringList written;
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        if (i == list->m_nKeyIndex || column->m_bNotSave)
            continue;
        if (!columns.contains(i) && !(added && m_insertedColumns.value(i)))
            continue;
        names << column->m_strColumnName;
        written << values.value(i);
    }
    CSQliteSQL* sql = Writer(added, names, err);
    if (!sql)
        return false;
    err = sql->ExecWrite({values.value(list->m_nKeyIndex)}, written, {},
                         added ? SQLWRITE_INSERT : SQLWRITE_UPDATE);
    return err == 0;
}

void CListRowImport::PrepareNewRecords()
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    m_insertedColumns.clear();
    m_newRecord.clear();
    m_stampColumns.clear();
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        const bool stamp = column->m_strColumnName == u"CREATEDATETIME" ||
                           column->m_strColumnName == u"UPDATEDATETIME";
        const bool byDefault = column->HasDefaultValue();
        m_insertedColumns << (byDefault || stamp);
        m_newRecord << (byDefault ? column->GetDefaultValue() : QString());
        if (stamp && !byDefault)
            m_stampColumns << i;
    }
}

bool CListRowImport::ReadBackRecord(const QString& key, const QStringList& written, int& err)
{
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    if (!m_pReadBack) {
        m_pReadBack =
            std::make_unique<CSQliteSQL>(*m_pDataManager->m_pSQliteDB, list->m_strTableName);
        QStringList columns;
        list->SetReadColumnsData(columns);
        err = m_pReadBack->SetSQLForRead(
            columns,
            CSqLiteUtility::QuoteSQLName(list->KeyColumn()->m_strColumnName) +
                QStringLiteral(" = ?"),
            QString(), 0);
        if (err != 0) {
            m_pReadBack.reset();
            return false;
        }
    }
    err = m_pReadBack->SetParamsForRead({key});
    int status = 0;
    CSQRowArray* rows = err == 0 ? m_pReadBack->ExecReadNext(status) : nullptr;
    if (!rows || rows->isEmpty()) {
        err = err != 0 ? err : (status != 0 && status != SQLREAD_END ? status : SQLERR_ARGUMENTS);
        m_pReadBack->ReleaseReadRows();
        return false;
    }
    // The stored row joins the cache as an insert of the list puts it there,
    // sharing the texts it was written with: a time stamp is then one text
    // for all the rows of its second.
    QStringList stored = std::move(*rows->first());
    for (qsizetype i = 0; i < stored.size() && i < written.size(); ++i)
        if (stored.at(i) == written.at(i))
            stored[i] = written.at(i);
    list->AppendStoredRecord(std::move(stored));
    m_pReadBack->ReleaseReadRows();
    err = 0;
    return true;
}

void CListRowImport::ReplayBatch()
{
    // Only a batch of our own can be started again.
    const bool own = m_pBatch != nullptr;
    m_pBatch.reset();
    QList<WrittenRow> rows = std::move(m_written);
    m_written.clear();
    CSQliteDB* db = m_pDataManager->m_pSQliteDB;
    if (!own || !db) {
        m_lostRows << rows;
        return;
    }
    bool again = true;
    while (again) {
        again = false;
        BeginBatch();
        for (qsizetype i = 0; i < rows.size(); ++i) {
            StartRow();
            int err = 0;
            const CRecord* record =
                m_pDataManager->GetColumnDataList()->CachedRecord(rows[i].index + 1);
            if (record && WriteRow(rows[i].added, rows[i].columns, record->toList(), err)) {
                KeepRow();
                continue;
            }
            m_lostRows << rows[i];
            if (rows[i].added)
                m_index.remove(rows[i].number);
            rows.removeAt(i);
            if (db->InTransaction()) {
                m_pRowSql->RollbackToSavepoint();
                --i;
                continue;
            }
            // Lost again: start once more without that row.
            m_pBatch.reset();
            again = true;
            break;
        }
    }
    m_written = rows;
    m_nBatchCount = int(rows.size());
}

void CListRowImport::FinishRow(RowEnd end, int firstEntry, const QString& prefix,
                               CErrDataInfo& errors)
{
    ++m_counts.read;
    ++(end == RowEnd::Stored   ? m_counts.stored
       : end == RowEnd::Partly ? m_counts.partly
                               : m_counts.refused);
    errors.TagEntriesFrom(firstEntry, prefix);
    // The rows that a failing row took with it and that failed once more.
    for (const WrittenRow& row : std::as_const(m_lostRows)) {
        const int first = errors.GetDataCnt();
        errors.AddErrData(CErrDataInfo::DATAERR_ERROR, 0,
                          GetLangString(QStringLiteral("CRDS_ERR_ROW_NOTSTORED")), QString(),
                          QString());
        errors.TagEntriesFrom(first, row.prefix);
        CountRefused(row.partly);
    }
    m_lostRows.clear();
    WriteMessages(errors);
    PumpMessages();
}

bool CListRowImport::RunInLog(CTextImpExp& data, CResDispDlg& log)
{
    m_pLog = &log;
    log.SetFinished(false);
    CErrDataInfo errors;
    AddNote(errors, "CRDS_ERR_NORMALSTART");
    WriteMessages(errors);
    QString lastLine;
    const bool ok = ImportRows(data, errors, lastLine);
    if (ok) {
        errors.AddErrData(
            CErrDataInfo::DATAERR_NOTE, 0, QString(),
            FormatLangText(GetLangString(QStringLiteral("CRDS_ERR_TARGETMEMNO")), m_counts.read),
            QString());
        errors.AddErrData(CErrDataInfo::DATAERR_NOTE, 0, QString(),
                          FormatLangText(GetLangString(QStringLiteral("CRDS_ERR_ROWSUMMARY")),
                                         m_counts.stored, m_counts.partly, m_counts.refused),
                          QString());
    }
    WriteMessages(errors);
    if (!ok || !log.IsAborted()) {
        // Without a data line nothing was done without errors either.
        if (ok && errors.GetErrCnt() == 0 && errors.GetWarningCnt() == 0)
            AddNote(errors, m_counts.read > 0 ? "CRDS_ERR_NORMALEND" : "CRDS_ERR_NODATAEND");
        else
            errors.AddErrData(CErrDataInfo::DATAERR_NOTE, 0, QString(),
                              FormatLangText(GetLangString(QStringLiteral("CRDS_ERR_ERRORLEND")),
                                             errors.GetErrCnt(), errors.GetWarningCnt()),
                              QString());
        WriteMessages(errors);
    }
    log.SetFinished(true);
    return ok;
}

bool CListRowImport::ImportRows(CTextImpExp& data, CErrDataInfo& errors, QString& lastLine)
{
    m_counts = RowCounts();
    if (CheckImportHeader(data, errors)) {
        AddNote(errors, "CRDS_ERR_ABORTPROC");
        WriteMessages(errors);
        return false;
    }
    StartRun();
    bool aborted = false;
    int stopLine = 0;
    // Rows are read as they are imported: a list file's rows never sit in
    // memory together.
    QStringList row;
    for (int r = 0; data.NextRow(row); ++r) {
        const int line = data.m_nFirstDataLine + r;
        // The abort comes while the log is pumped after a row.
        if (m_pLog && m_pLog->IsAborted()) {
            aborted = true;
            stopLine = line;
            break;
        }
        if (!RefuseLine(data, row, line, errors))
            ImportRow(data, row, line, errors);
    }
    EndRun(data, aborted, stopLine, errors, lastLine);
    return true;
}

void CListRowImport::StartRun()
{
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    const uint pageId = m_pDataManager->m_nPageCount > 0 ? m_pDataManager->m_pPageDlgIDs[0] : 0;
    m_pCheck = std::make_unique<CColumnValueCheck>(m_pDataManager, pageId);
    m_nUpdatedColumn = -1;
    for (int i = 0; i < list->m_nColumnCount && m_nUpdatedColumn < 0; ++i)
        if (list->m_ppColumnData[i]->m_strColumnName == u"UPDATEDATETIME")
            m_nUpdatedColumn = i;
    m_bIndexBuilt = false;
    m_pumpClock.invalidate();
    PrepareNewRecords();
    m_nStatusRecordNo = 0;
    m_lineOfCode.clear();
    m_written.clear();
    m_lostRows.clear();
    if (CSQliteDB* db = m_pDataManager->m_pSQliteDB)
        m_pRowSql = std::make_unique<CSQliteSQL>(*db, CBasePath::GetStrDummyName());
}

bool CListRowImport::RefuseLine(const CTextImpExp& data, const QStringList& row, int line,
                                CErrDataInfo& errors)
{
    if (!data.RowTooLong() && !row.isEmpty())
        return false;
    const int firstEntry = errors.GetDataCnt();
    if (data.RowTooLong())
        errors.AddErrData(CErrDataInfo::DATAERR_ERROR, 0,
                          FormatLangText(GetLangString(QStringLiteral("CRDS_ERR_LINE_TOOLONG")),
                                         int(CListFileReader::MaxLineBytes)),
                          QString(), QString());
    else
        errors.AddErrData(CErrDataInfo::DATAERR_WARNING, 0,
                          GetLangString(QStringLiteral("CRDS_ERR_LINE_NOVALUES")), QString(),
                          QString());
    FinishRow(RowEnd::Refused, firstEntry,
              FormatLangText(GetLangString(QStringLiteral("CRDS_ERR_LINE")), line), errors);
    return true;
}

CListRowImport::RowWork CListRowImport::StartRowWork(const QStringList& row, int line,
                                                     CErrDataInfo& errors)
{
    RowWork work;
    work.line = line;
    const QString first = WithoutTrailingBlanks(row.value(0));
    work.number = ParseMemoryNumber(first);
    const int size = CodeSize();
    const bool fits = work.number >= 0 && QString::number(work.number).size() <= size;
    work.code = work.number >= 0
                    ? QString::number(work.number).rightJustified(size, QLatin1Char('0'))
                    : first;
    work.prefix = FormatLangText(GetLangString(QStringLiteral("CRDS_ERR_LINECODE")), line,
                                 fits ? work.code : QuotedValue(first));
    work.firstEntry = errors.GetDataCnt();
    if (fits)
        NoteRepeatedCode(work, errors);
    return work;
}

void CListRowImport::NoteRepeatedCode(const RowWork& work, CErrDataInfo& errors)
{
    const auto seen = m_lineOfCode.constFind(work.number);
    if (seen == m_lineOfCode.cend()) {
        m_lineOfCode.insert(work.number, work.line);
        return;
    }
    errors.AddErrData(
        CErrDataInfo::DATAERR_WARNING, 0,
        FormatLangText(GetLangString(QStringLiteral("CRDS_ERR_DUPLICATE_CODE")), seen.value()),
        QString(), QString());
}

void CListRowImport::ImportRow(const CTextImpExp& data, const QStringList& row, int line,
                               CErrDataInfo& errors)
{
    RowWork work = StartRowWork(row, line, errors);
    BeginBatch();
    StartRow();
    if (!ResolveCode(work.code, &row, work.index, errors)) {
        UndoRow();
        FinishRow(RowEnd::Refused, work.firstEntry, work.prefix, errors);
        return;
    }
    LoadRecordValues(work);
    const bool refused = TakeValues(data, row, work, errors);
    const bool kept = CheckKeptValues(data, row.size(), work, errors);
    RowEnd end = refused ? RowEnd::Partly : RowEnd::Stored;
    // A new record is made with its values, once they all passed.
    if ((work.added && refused) || !kept || !SaveRow(work, row.value(0), errors))
        end = RowEnd::Refused;
    EndRow(end, work, errors);
}

void CListRowImport::LoadRecordValues(RowWork& work)
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    work.added = work.index < 0;
    // One text for the rows of one second: the cache keeps it.
    if (const QString stamp = GetTimestampOfNow(); stamp != m_strNow)
        m_strNow = stamp;
    if (work.added) {
        work.values = m_newRecord;
        for (const int stamp : std::as_const(m_stampColumns))
            work.values[stamp] = m_strNow;
        work.values[list->m_nKeyIndex] = work.code;
    } else {
        work.values = list->CachedRecord(work.index + 1)->toList();
    }
    work.recordNo = work.added ? int(m_pDataManager->m_arrRecords.GetSize()) + 1 : work.index + 1;
    work.key = work.values.value(list->m_nKeyIndex);
    m_strStatus = work.values.value(0);
    m_nStatusRecordNo = work.recordNo;
}

bool CListRowImport::TakeValues(const CTextImpExp& data, const QStringList& row, RowWork& work,
                                CErrDataInfo& errors)
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    bool refused = false;
    const int given = int(std::min<qsizetype>(row.size(), data.m_arrColumnMap.size()));
    for (int i = 0; i < given; ++i) {
        const int columnIndex = int(data.m_arrColumnMap[i]);
        const QString& value = row.at(i);
        // Each value as the record page's control would take it.
        CColumnValueCheck::Result result = m_pCheck->Check(columnIndex, value, work.key);
        if (result.outcome != CColumnValueCheck::Result::Outcome::Ignored)
            RefuseUncarriedText(list->m_ppColumnData[columnIndex], value,
                                data.UndecodedValues().contains(i), result);
        if (result.outcome == CColumnValueCheck::Result::Outcome::Refused) {
            errors.AddErrData(result.kind, work.recordNo, result.text1, result.text2,
                              QuotedValue(value));
            refused = true;
        } else if (result.outcome == CColumnValueCheck::Result::Outcome::Stored) {
            work.values[columnIndex] = result.value;
            if (!work.columns.contains(columnIndex))
                work.columns << columnIndex;
        }
    }
    return refused;
}

bool CListRowImport::CheckKeptValues(const CTextImpExp& data, qsizetype given, const RowWork& work,
                                     CErrDataInfo& errors)
{
    // A short row leaves its last columns as the record holds them, which
    // must still pass their checks.
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    bool kept = true;
    for (qsizetype i = given; i < data.m_arrColumnMap.size(); ++i) {
        const int columnIndex = int(data.m_arrColumnMap[i]);
        QString reason;
        if (!m_pCheck->CheckKept(columnIndex, work.values.value(columnIndex), work.key, reason)) {
            const CColumnData* column = list->m_ppColumnData[columnIndex];
            errors.AddErrData(CErrDataInfo::DATAERR_ERROR, work.recordNo,
                              column->m_bVisible ? GetLangString(column->m_strLabelKey) : QString(),
                              column->m_bVisible ? reason : QString(), QString());
            kept = false;
        }
    }
    return kept;
}

bool CListRowImport::SaveRow(RowWork& work, const QString& first, CErrDataInfo& errors)
{
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    if (m_nUpdatedColumn >= 0) {
        work.values[m_nUpdatedColumn] = m_strNow;
        if (!work.columns.contains(m_nUpdatedColumn))
            work.columns << m_nUpdatedColumn;
    }
    int err = 0;
    bool written = WriteRow(work.added, work.columns, work.values, err);
    if (written && work.added)
        written = ReadBackRecord(work.key, work.values, err);
    if (!written) {
        if (work.added)
            AddInsertFailure(first, err, errors);
        else
            errors.AddErrData(
                CErrDataInfo::DATAERR_ERROR, 0,
                FormatLangText(GetLangString(QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED")), err),
                QString(), QString());
        return false;
    }
    if (work.added) {
        work.index = int(m_pDataManager->m_arrRecords.GetSize()) - 1;
        m_index.insert(work.number, work.index);
    } else {
        CRecord* cached = list->CachedRecord(work.index + 1);
        QStringList updated = cached->toList();
        for (const int c : std::as_const(work.columns))
            if (c < updated.size())
                updated[c] = work.values[c];
        *cached = CRecord(updated);
    }
    // Columns that keep rows of their own follow the record.
    for (int i = 0; i < list->m_nColumnCount; ++i)
        list->m_ppColumnData[i]->SaveItemEX(0);
    return true;
}

void CListRowImport::EndRow(RowEnd end, const RowWork& work, CErrDataInfo& errors)
{
    if (end == RowEnd::Refused) {
        UndoRow();
        AddNote(errors, work.added ? "CRDS_ERR_ROW_NOTCREATED" : "CRDS_ERR_ROW_NOTSTORED");
    } else {
        KeepRow();
        m_written << WrittenRow{work.index,  work.added,  end == RowEnd::Partly,
                                work.number, work.prefix, work.columns};
        if (end == RowEnd::Partly)
            AddNote(errors, "CRDS_ERR_ROW_PARTLY");
        if (++m_nBatchCount >= m_nBatchRows)
            EndBatch(errors);
    }
    FinishRow(end, work.firstEntry, work.prefix, errors);
}

void CListRowImport::EndRun(const CTextImpExp& data, bool aborted, int stopLine,
                            CErrDataInfo& errors, QString& lastLine)
{
    EndBatch(errors);
    m_writers.clear();
    m_pReadBack.reset();
    m_pRowSql.reset();
    m_pCheck.reset();
    m_bIndexBuilt = false;
    if (aborted) {
        errors.AddErrData(
            CErrDataInfo::DATAERR_NOTE, 0, QString(),
            FormatLangText(GetLangString(QStringLiteral("CRDS_ERR_ABORTLINE")), stopLine),
            QString());
        for (QString text = errors.GetNextErrMsg(); !text.isEmpty();
             text = errors.GetNextErrMsg()) {
            lastLine = text;
            if (m_pLog)
                m_pLog->AddLogLine(text);
        }
        return;
    }
    // The data ends at a blank line; what follows it is named, not read.
    if (data.LinesNotRead() > 0)
        errors.AddErrData(CErrDataInfo::DATAERR_WARNING, 0,
                          FormatLangText(GetLangString(QStringLiteral("CRDS_ERR_DATAEND")),
                                         data.DataEndLine(), data.LinesNotRead()),
                          QString(), QString());
    WriteMessages(errors);
}

} // namespace brelkin
