#include "goods/CListRowImport.h"

#include "goods/CColumnDataNum.h"
#include "goods/CPageDlg.h"
#include "goods/CResDispDlg.h"
#include "goods/CTextImpExp.h"
#include "goods/ListFileTables.h"
#include "goods/UnlistedLabelKey.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/FindControlById.h"
#include "shared/controls/NumberText.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CColumnDataPriceEdit.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "shared/textfiles/CErrDataInfo.h"

#include "stroven/Stroven.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>

#include <limits>

namespace brelkin {

namespace {

// Often enough for a pressed button to answer at once.
constexpr qint64 kPumpMilliseconds = 20;

QString WithoutTrailingBlanks(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    text.truncate(end);
    return text;
}

void AddNote(CErrDataInfo& errors, const char* key)
{
    errors.AddErrData(CErrDataInfo::DATAERR_NOTE, 0, QString(), GetLangString(QLatin1String(key)),
                      QString());
}

} // namespace

CListRowImport::CListRowImport(CDataManager* dataManager, QWidget* window,
                               std::function<CPageDlg*()> createPage)
    : m_pDataManager(dataManager), m_pWindow(window), m_createPage(std::move(createPage))
{
}

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

bool CListRowImport::CheckImportHeader(CTextImpExp& data, CErrDataInfo& errors)
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    data.m_arrColumnMap.clear();
    for (const QString& header : data.m_arrHeader) {
        int found = -1;
        for (int i = 0; i < list->m_nColumnCount && found < 0; ++i) {
            const CColumnData* column = list->m_ppColumnData[i];
            if (IsListFileColumn(column) && GetLangString(column->m_strLabelKey) == header)
                found = i;
        }
        if (found < 0) {
            errors.AddErrData(CErrDataInfo::DATAERR_ERROR2, 0, QString(),
                              GetLangString(QStringLiteral("CRDS_ERR_INVALID_CLMNNAME")), header);
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
        const QStringList* record = records.GetAt(i);
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

bool CListRowImport::FindOrAddRecordByNumber(const QString& code, const QStringList* row,
                                             int& index, CErrDataInfo& errors)
{
    const QString first = row ? row->value(0) : code;
    const qint64 number = ParseMemoryNumber(code);
    if (number < 0) {
        errors.AddErrData(CErrDataInfo::DATAERR_ERROR, 0,
                          GetLangString(QStringLiteral("CRDS_ERR_INVALID_MEMNO")), CodeLabel(),
                          first);
        return false;
    }
    index = FindRecordByNumber(number);
    if (index >= 0)
        return true;
    const QString digits = QString::number(number);
    const int size = CodeSize();
    if (digits.size() > size) {
        errors.AddErrData(CErrDataInfo::DATAERR_ERROR, 0,
                          GetLangString(QStringLiteral("CRDS_ERR_OUTOF_MEMNO")), CodeLabel(),
                          first);
        return false;
    }
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    QStringList record;
    for (int i = 0; i < list->m_nColumnCount; ++i)
        record << QString();
    record[list->m_nKeyIndex] = digits.rightJustified(size, QLatin1Char('0'));
    int err = 0;
    if (list->InsertRecordKeepCache(record, err)) {
        index = int(m_pDataManager->m_arrRecords.GetSize()) - 1;
        m_index.insert(number, index);
        return true;
    }
    errors.AddErrData(
        CErrDataInfo::DATAERR_ERROR, 0,
        FormatLangText(GetLangString(QStringLiteral("CRDS_CMN_ERR_INSERT_FAILED")), err),
        CodeLabel(), first);
    return false;
}

void CListRowImport::PumpMessages()
{
    if (m_pumpClock.isValid() && m_pumpClock.elapsed() < kPumpMilliseconds)
        return;
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
        m_pRowSql->ExecSQL(QStringLiteral("SAVEPOINT import_row"));
}

void CListRowImport::KeepRow()
{
    if (m_pRowSql)
        m_pRowSql->ExecSQL(QStringLiteral("RELEASE import_row"));
}

void CListRowImport::UndoRow(bool added, qint64 number, CErrDataInfo&)
{
    CSQliteDB* db = m_pDataManager->m_pSQliteDB;
    if (m_pRowSql && db && db->InTransaction()) {
        m_pRowSql->ExecSQL(QStringLiteral("ROLLBACK TO import_row"));
        m_pRowSql->ExecSQL(QStringLiteral("RELEASE import_row"));
    } else {
        ReplayBatch();
    }
    if (added) {
        // The record was appended last; no later row can find it now.
        CStringArrayPtrArray& records = m_pDataManager->m_arrRecords;
        records.RemoveAt(records.GetSize() - 1);
        m_index.remove(number);
    }
}

bool CListRowImport::WriteCachedRow(const WrittenRow& row, int& err)
{
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    const QStringList* record = list->CachedRecord(row.index + 1);
    CColumnData* key = list->KeyColumn();
    if (!record || !key) {
        err = SQLERR_ARGUMENTS;
        return false;
    }
    // The columns the row's own writes gave values: an added record's
    // defaults and time stamps as the insert wrote them, then the saved ones.
    QStringList columns;
    QStringList values;
    for (int i = 0; i < list->m_nColumnCount; ++i) {
        CColumnData* column = list->m_ppColumnData[i];
        if (i == list->m_nKeyIndex || column->m_bNotSave)
            continue;
        const bool inserted = row.added && (column->HasDefaultValue() ||
                                            column->m_strColumnName == u"CREATEDATETIME" ||
                                            column->m_strColumnName == u"UPDATEDATETIME");
        if (!inserted && !m_savedColumns.contains(i))
            continue;
        columns << column->m_strColumnName;
        values << record->value(i);
    }
    CSQliteSQL sql(*m_pDataManager->m_pSQliteDB, list->m_strTableName);
    err = sql.SetSQLForWrite({key->m_strColumnName}, columns, {});
    if (err == 0)
        err = sql.ExecWrite({record->value(list->m_nKeyIndex)}, values, {},
                            row.added ? SQLWRITE_INSERT : SQLWRITE_UPDATE);
    return err == 0;
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
            if (WriteCachedRow(rows[i], err)) {
                KeepRow();
                continue;
            }
            m_lostRows << rows[i];
            if (rows[i].added)
                m_index.remove(rows[i].number);
            rows.removeAt(i);
            if (db->InTransaction()) {
                m_pRowSql->ExecSQL(QStringLiteral("ROLLBACK TO import_row"));
                m_pRowSql->ExecSQL(QStringLiteral("RELEASE import_row"));
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

CListRowImport::Put CListRowImport::PutRadio(QWidget* control, const QString& value, bool& accepted)
{
    auto* radio = qobject_cast<QRadioButton*>(control);
    QWidget* parent = control->parentWidget();
    auto* next = radio && parent
                     ? qobject_cast<QRadioButton*>(FindControlById(parent, ControlId(control) + 1))
                     : nullptr;
    if (!next)
        return Put::Ignored;
    if (value == radio->text()) {
        radio->setChecked(true);
        next->setChecked(false);
    } else if (value == next->text()) {
        next->setChecked(true);
        radio->setChecked(false);
    } else {
        accepted = false;
    }
    return Put::Taken;
}

CListRowImport::Put CListRowImport::PutEdit(const CColumnData* column, QWidget* control,
                                            const QString& value, int recordNo,
                                            CErrDataInfo& errors)
{
    auto* edit = static_cast<QLineEdit*>(control);
    QString text = WithoutTrailingBlanks(value);
    const QString label = GetLangString(column->m_strLabelKey);
    auto refuse = [&](const QString& reason) {
        errors.AddErrData(CErrDataInfo::DATAERR_ERROR, recordNo, reason, label, value);
        return Put::Refused;
    };
    const QString notValid = GetLangString(QStringLiteral("CRDS_ERR_INPUT"));
    // A price takes digits and a leading minus only: any other character
    // would be dropped by the edit and so change the price.
    QString digits = text;
    if (dynamic_cast<const CColumnDataPriceEdit*>(column) && DeleteNonMinusNumber(digits))
        return refuse(notValid);
    if (text.isEmpty() && !column->m_bNullable)
        return refuse(notValid);
    if (dynamic_cast<const CColumnDataNum*>(column) && text.startsWith(QLatin1Char('.')))
        text.prepend(QLatin1Char('0'));
    if (text.size() > edit->maxLength())
        return refuse(GetLangString(QStringLiteral("CRDS_ERR_CHAR_TOOLENGTH")));
    const QString before = edit->text();
    edit->setText(QString());
    edit->setText(text);
    // The column's own check, as the page makes it on OK; a refused value
    // leaves the stored one in the control.
    if (edit->text() != text || !const_cast<CColumnData*>(column)->CheckControlValue(control)) {
        const QString reason = column->m_strErrMsg.isEmpty() ? notValid : column->m_strErrMsg;
        edit->setText(before);
        return refuse(reason);
    }
    return Put::Taken;
}

CListRowImport::Put CListRowImport::PutCombo(const CColumnData* column, QWidget* control,
                                             const QString& value, bool& accepted)
{
    auto* combo = static_cast<QComboBox*>(control);
    const QString text = WithoutTrailingBlanks(value);
    if (combo->count() == 0)
        return Put::Taken;
    int found = -1;
    int matches = 0;
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i).compare(text, Qt::CaseInsensitive) == 0) {
            if (found < 0)
                found = i;
            ++matches;
        }
    // A text that names two entries cannot tell which one is meant.
    if (matches > 1 || (matches == 0 && (!column->m_bNullable || !text.isEmpty())))
        accepted = false;
    else
        combo->setCurrentIndex(found);
    return Put::Taken;
}

CListRowImport::Put CListRowImport::PutValue(const CColumnData* column, QWidget* control,
                                             const QString& value, int recordNo,
                                             CErrDataInfo& errors)
{
    bool accepted = true;
    Put put = Put::Ignored;
    if (qobject_cast<QRadioButton*>(control))
        put = PutRadio(control, value, accepted);
    else if (qobject_cast<QLineEdit*>(control))
        return PutEdit(column, control, value, recordNo, errors);
    else if (qobject_cast<QComboBox*>(control))
        put = PutCombo(column, control, value, accepted);
    if (!accepted) {
        errors.AddErrData(CErrDataInfo::DATAERR_ERROR, recordNo,
                          GetLangString(QStringLiteral("CRDS_ERR_INPUT")),
                          GetLangString(column->m_strLabelKey), value);
        return Put::Refused;
    }
    return put;
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
        if (ok && errors.GetErrCnt() == 0 && errors.GetWarningCnt() == 0)
            AddNote(errors, "CRDS_ERR_NORMALEND");
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
    std::unique_ptr<CPageDlg> page(m_createPage ? m_createPage() : nullptr);
    if (!page)
        return false;
    page->SetSaveFailureShown(false);
    CColumnDataList* list = m_pDataManager->GetColumnDataList();
    const uint pageId = m_pDataManager->m_nPageCount > 0 ? m_pDataManager->m_pPageDlgIDs[0] : 0;
    const QString title = m_pWindow ? m_pWindow->windowTitle() : QString();
    m_bIndexBuilt = false;
    m_pumpClock.invalidate();
    m_lineOfCode.clear();
    m_written.clear();
    m_lostRows.clear();
    m_savedColumns.clear();
    if (CSQliteDB* db = m_pDataManager->m_pSQliteDB)
        m_pRowSql = std::make_unique<CSQliteSQL>(*db, CBasePath::GetStrDummyName());
    bool pageMade = false;
    bool aborted = false;
    int stopLine = 0;
    QStringList filter;
    // The page's control of each mapped value, found once.
    QList<QWidget*> controls;
    const int size = CodeSize();

    for (int r = 0; r < data.GetRowCount() && !aborted; ++r) {
        const int line = data.m_nFirstDataLine + r;
        // The abort may come while the log was pumped after the last row.
        if (m_pLog && m_pLog->IsAborted()) {
            aborted = true;
            stopLine = line;
            break;
        }
        const QStringList* row = data.GetRow(r);
        if (row->isEmpty())
            continue;

        const QString first = WithoutTrailingBlanks(row->value(0));
        const qint64 number = ParseMemoryNumber(first);
        const bool fits = number >= 0 && QString::number(number).size() <= size;
        const QString code =
            number >= 0 ? QString::number(number).rightJustified(size, QLatin1Char('0')) : first;
        const QString prefix = FormatLangText(GetLangString(QStringLiteral("CRDS_ERR_LINECODE")),
                                              line, fits ? code : first);
        const int firstEntry = errors.GetDataCnt();
        if (fits) {
            const auto seen = m_lineOfCode.constFind(number);
            if (seen != m_lineOfCode.cend())
                errors.AddErrData(
                    CErrDataInfo::DATAERR_WARNING, 0,
                    FormatLangText(GetLangString(QStringLiteral("CRDS_ERR_DUPLICATE_CODE")),
                                   seen.value()),
                    QString(), QString());
            else
                m_lineOfCode.insert(number, line);
        }
        BeginBatch();
        StartRow();
        const bool added = fits && FindRecordByNumber(number) < 0;
        int index = -1;
        if (!FindOrAddRecordByNumber(code, row, index, errors)) {
            UndoRow(false, number, errors);
            FinishRow(RowEnd::Refused, firstEntry, prefix, errors);
            continue;
        }
        const int recordNo = index + 1;
        if (m_pLog)
            m_pLog->SetStatus(list->CachedRecord(recordNo)->value(0), recordNo);
        page->BindPage(m_pDataManager, recordNo, false);
        const bool firstRow = !pageMade;
        if (firstRow) {
            page->hide();
            page->setUpdatesEnabled(false);
            if (!page->Create(pageId, m_pWindow)) {
                UndoRow(added, number, errors);
                WriteMessages(errors);
                break;
            }
            page->hide();
            pageMade = true;
            for (uint at : data.m_arrColumnMap)
                controls << page->Control(list->m_ppColumnData[at]);
        } else {
            page->ShowData(false);
        }
        page->setWindowTitle(title);

        bool refused = false;
        const int values = int(std::min<qsizetype>(row->size(), data.m_arrColumnMap.size()));
        for (int i = 0; i < values && !aborted; ++i) {
            const int columnIndex = int(data.m_arrColumnMap[i]);
            const CColumnData* column = list->m_ppColumnData[columnIndex];
            const QString& value = row->at(i);
            if (column->m_nCtrlID != 0) {
                QWidget* control = controls[i];
                if (!control)
                    continue;
                if (firstRow && !filter.contains(column->m_strLabelKey))
                    filter << column->m_strLabelKey;
                const Put put = PutValue(column, control, value, recordNo, errors);
                if (put == Put::Ignored)
                    continue;
                refused = refused || put == Put::Refused;
                aborted = m_pLog && m_pLog->IsAborted();
            } else if (IsUnlistedLabelKey(column->m_strLabelKey)) {
                if (firstRow && !filter.contains(column->m_strLabelKey))
                    filter << column->m_strLabelKey;
                const int before = errors.GetDataCnt();
                page->SetSubItemFromText(columnIndex, value, &errors);
                refused = refused || errors.GetDataCnt() > before;
            }
        }
        if (firstRow)
            for (int i = 0; i < list->m_nColumnCount; ++i)
                if (filter.contains(list->m_ppColumnData[i]->m_strLabelKey) ||
                    list->m_ppColumnData[i]->m_strColumnName == u"UPDATEDATETIME")
                    m_savedColumns << i;
        // The row in work is undone whole, also after an abort.
        if (aborted || (m_pLog && m_pLog->IsAborted())) {
            aborted = true;
            stopLine = line;
            UndoRow(added, number, errors);
            errors.TagEntriesFrom(firstEntry, prefix);
            break;
        }
        int err = 0;
        RowEnd end = refused ? RowEnd::Partly : RowEnd::Stored;
        if (added && refused) {
            end = RowEnd::Refused;
        } else if (page->CheckInput(&errors, &filter) != 0) {
            end = RowEnd::Refused;
        } else if (!page->SaveData(&filter, err)) {
            errors.AddErrData(
                CErrDataInfo::DATAERR_ERROR, 0,
                FormatLangText(GetLangString(QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED")), err),
                QString(), QString());
            end = RowEnd::Refused;
        }
        if (end == RowEnd::Refused) {
            UndoRow(added, number, errors);
            AddNote(errors, added ? "CRDS_ERR_ROW_NOTCREATED" : "CRDS_ERR_ROW_NOTSTORED");
        } else {
            KeepRow();
            m_written << WrittenRow{index, added, end == RowEnd::Partly, number, prefix};
            if (end == RowEnd::Partly)
                AddNote(errors, "CRDS_ERR_ROW_PARTLY");
            if (++m_nBatchCount >= m_nBatchRows)
                EndBatch(errors);
        }
        FinishRow(end, firstEntry, prefix, errors);
    }
    EndBatch(errors);
    m_pRowSql.reset();
    if (aborted) {
        errors.AddErrData(
            CErrDataInfo::DATAERR_NOTE, 0, QString(),
            FormatLangText(GetLangString(QStringLiteral("CRDS_ERR_ABORTLINE")), stopLine),
            QString());
        for (QString line = errors.GetNextErrMsg(); !line.isEmpty();
             line = errors.GetNextErrMsg()) {
            lastLine = line;
            if (m_pLog)
                m_pLog->AddLogLine(line);
        }
    } else {
        WriteMessages(errors);
    }
    if (pageMade)
        page->setUpdatesEnabled(true);
    page.reset();
    m_bIndexBuilt = false;
    return true;
}

} // namespace brelkin
