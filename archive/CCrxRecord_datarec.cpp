#include "archive/CCrxRecord_datarec.h"

#include "archive/CCrxDb.h"
#include "archive/CCrxSql.h"
#include "archive/CrxAttributes.h"
#include "archive/CrxDetail.h"
#include "archive/CrxFileOps.h"
#include "archive/CrxExportWalk.h"
#include "archive/CrxParseContext.h"
#include "archive/CrxRowRanges.h"

#include "stroven/Stroven.h"

#include <QDir>
#include <QFileInfo>

CrxResult CCrxRecord_datarec::OnBegin(CrxParseContext& context)
{
    CCrxRecord::OnBegin(context);
    m_nBlobCounter = 0;
    if (context.dbNameString)
        m_strDbName = *context.dbNameString;
    m_pRows = nullptr;
    const QString table = context.contextString ? *context.contextString : QString();
    // The same table name in the other database is another table.
    if (table == m_strAttachedTable && context.db == m_pAttachedDb) {
        ResetValues();
    } else {
        m_strAttachedTable = table;
        m_pAttachedDb = context.db;
        DeleteItems();
        if (!context.db)
            return CRX_E_NO_DB;
        if (CrxResult rc = context.db->AttachWriter(table))
            return rc;
        if (CrxResult rc = BuildColumns(context.db->Writer()))
            return rc;
    }
    // Items come only with a database.
    if (!m_items.empty()) {
        m_pRows = &context.db->Rows();
        m_pRows->BeginRow(m_nTexts);
    }
    return CRX_OK;
}

CrxResult CCrxRecord_datarec::OnStartChild(QByteArrayView name, CrxParseContext& context)
{
    CCrxRecord::OnStartChild(name, context);
    if (m_pCurrent && m_pRows && IntoRow(*m_pCurrent))
        m_pRows->BeginText(m_pCurrent->m_nText);
    // Most values carry no attribute: plain text.
    if (m_pCurrent && (!context.attributes || context.attributes->IsEmpty())) {
        m_pCurrent->m_nDataType = CRX_DATA_TEXT;
        return CRX_OK;
    }
    if (m_pCurrent) {
        const CrxResult rc = FindAttribute(context.attributes, crxname::kDatatype);
        // A view: a copy would share the pool's buffer and cost a new one
        // at the clear below.
        const QStringView type = rc == CRX_OK ? QStringView(m_pool.Text()) : QStringView();
        if (rc != CRX_OK && rc != CRX_E_NO_ATTRIBUTE)
            return rc;
        if (type == QLatin1String(crxname::kTypeFile))
            m_pCurrent->m_nDataType = CRX_DATA_FILE;
        else if (type == QLatin1String(crxname::kTypeCode))
            m_pCurrent->m_nDataType = CRX_DATA_CODE;
        else if (type == QLatin1String(crxname::kTypeHex))
            m_pCurrent->m_nDataType = CRX_DATA_HEX;
        else
            m_pCurrent->m_nDataType = CRX_DATA_TEXT;
    }
    m_pool.Clear();
    return CRX_OK;
}

CrxResult CCrxRecord_datarec::OnCharacters(QByteArrayView text)
{
    if (!m_pCurrent)
        return CRX_OK;
    if (!m_pRows || !IntoRow(*m_pCurrent))
        return CCrxRecord::OnCharacters(text);
    try {
        m_pRows->AppendText(text);
    } catch (const std::bad_alloc&) {
        return CRX_E_OUTOFMEMORY;
    }
    return CRX_OK;
}

CrxResult CCrxRecord_datarec::OnEnd(QByteArrayView name, CrxParseContext& context)
{
    if (CrxResult rc = CCrxRecord::OnEnd(name, context))
        return rc;
    if (!context.pop || m_items.empty())
        return CRX_OK;
    if (!context.db)
        return CRX_E_NO_DB;
    if (CrxResult rc = PrepareWriteStatement(*context.db))
        return rc;
    return WriteRow(*context.db);
}

CrxResult CCrxRecord_datarec::BuildColumns(CCrxSql& statement)
{
    DeleteItems();
    if (statement.Table().isEmpty())
        return CRX_OK;
    statement.m_nKeyCount = 0;
    statement.m_nValueCount = 0;
    statement.m_nBlobCount = 0;
    if (!statement.Connection())
        return CRX_E_NO_DB;
    if (CrxResult rc = statement.CreateStatement())
        return rc;
    statement.m_nFlags |= CCrxSql::FLAG_TABLE_INFO;
    int err = 0;
    const CSQTableInfoArray* columns = statement.Statement()->GetTableInfo(err);
    if (err != 0 || !columns || columns->isEmpty())
        return CRX_E_TABLE_INFO;

    auto add = [&](const CSQTableInfo& column) {
        auto item = std::make_unique<CCrxItem>(column.m_strName);
        item->m_nColumnType = column.m_nType;
        item->m_nSize = column.m_nSize;
        item->m_nScale = column.m_nScale;
        item->m_nKey = column.m_nPrimaryKey;
        item->m_nNotNull = column.m_nNotNull;
        AddItem(std::move(item));
    };
    for (const CSQTableInfo& column : *columns)
        if (column.m_nPrimaryKey & 1) {
            add(column);
            ++statement.m_nKeyCount;
        }
    if (KeysOnly()) {
        NumberTexts();
        return CRX_OK;
    }
    for (const CSQTableInfo& column : *columns)
        if (!(column.m_nPrimaryKey & 1) && column.m_nType != SQLTYPE_BLOB) {
            add(column);
            ++statement.m_nValueCount;
        }
    for (const CSQTableInfo& column : *columns)
        if (!(column.m_nPrimaryKey & 1) && column.m_nType == SQLTYPE_BLOB) {
            add(column);
            ++statement.m_nBlobCount;
        }
    NumberTexts();
    return CRX_OK;
}

void CCrxRecord_datarec::NumberTexts()
{
    m_nTexts = 0;
    for (const bool keys : {true, false})
        for (const auto& item : m_items)
            if (item->IsKey() == keys && (keys || !item->IsBlobColumn()))
                item->m_nText = int(m_nTexts++);
}

void CCrxRecord_datarec::ResetValues()
{
    for (const auto& item : m_items)
        item->m_nFlags &= ~CCrxItem::FLAG_READ;
}

CrxResult CCrxRecord_datarec::PrepareWriteStatement(CCrxDb& db)
{
    CCrxSqlWriter& writer = db.Writer();
    if (m_items.empty() || writer.IsPrepared())
        return CRX_OK;
    writer.m_keyColumns.clear();
    writer.m_valueColumns.clear();
    writer.m_blobColumns.clear();
    for (const auto& item : m_items) {
        if (item->IsKey())
            writer.m_keyColumns << item->m_strName;
        else if (item->IsBlobColumn())
            writer.m_blobColumns << item->m_strName;
        else
            writer.m_valueColumns << item->m_strName;
    }
    if (writer.m_keyColumns.size() != writer.m_nKeyCount) {
        writer.m_keyColumns.clear();
        writer.m_valueColumns.clear();
        writer.m_blobColumns.clear();
        return CRX_E_KEY_COUNT;
    }
    return writer.PrepareWrite();
}

CrxResult CCrxRecord_datarec::WriteRow(CCrxDb& db)
{
    if (m_items.empty())
        return CRX_OK;
    if (!db.Writer().IsPrepared())
        return CRX_E_NO_WRITE_STMT;
    CCrxRowQueue& rows = db.Rows();
    // The text values are in the row already; a key of blob type is bound
    // as text, as its reference was cleaned.
    for (const auto& item : m_items)
        if (item->IsKey() && item->IsBlobColumn() && item->WasRead())
            rows.SetText(item->m_nText, item->m_strValue.toUtf8());
    for (const auto& item : m_items) {
        if (item->IsKey() || !item->IsBlobColumn())
            continue;
        if (!item->WasRead())
            item->m_strValue.resize(0);
        CrxResult rc = CRX_OK;
        const QString file = ResolveBlobPath(db, *item, rc);
        if (rc != CRX_OK)
            return rc;
        rows.AddBlobFile(file);
    }
    return rows.EndRow();
}

void CCrxRecord_datarec::StoreValue(CCrxItem& item)
{
    if (!m_pRows || !IntoRow(item)) {
        CCrxRecord::StoreValue(item);
        return;
    }
    m_pRows->EndText();
    item.m_nFlags |= CCrxItem::FLAG_READ;
}

QString CCrxRecord_datarec::ResolveBlobPath(CCrxDb& db, const CCrxItem& item, CrxResult& code)
{
    code = CRX_OK;
    m_pool.Clear();
    QString path;
    if (item.m_strValue.isEmpty())
        return path;
    if ((code = JoinPath(db.UnpackFolder(), item.m_strValue, path)) != CRX_OK || path.isEmpty())
        return QString();
    // Archives are untrusted: a reference may name nothing outside "blob",
    // neither by ".." nor through a link. A value that is no such reference
    // (text, a hex value, a path elsewhere) stores no data; it is counted
    // for the caller to report, and the import goes on.
    const QString blobFolder = QDir::cleanPath(db.BlobFolder()) + u'/';
    if (QDir::isAbsolutePath(item.m_strValue) || !QDir::cleanPath(path).startsWith(blobFolder)) {
        ++CrxCurrentDetail().blobValuesNotReferences;
        return QString();
    }
    if (PathKind(path) != CRX_PATH_FILE)
        return QString();
    const QString real = QFileInfo(path).canonicalFilePath();
    const QString realBlobFolder = QFileInfo(db.BlobFolder()).canonicalFilePath() + u'/';
    if (real.isEmpty() || !real.startsWith(realBlobFolder)) {
        ++CrxCurrentDetail().blobValuesNotReferences;
        return QString();
    }
    return path;
}

CrxResult CCrxRecord_datarec::BeginExport(CrxExportContext& context)
{
    m_nBlobCounter = 0;
    if (CrxResult rc = CrxExportWalk::AttachRowReader(*this, context))
        return rc;
    if (CrxResult rc = BuildColumns(context.db->BlobReader()))
        return rc;
    return CrxExportWalk::PrepareRowRead(*this, !KeysOnly(), context);
}

CrxResult CCrxRecord_datarec::WriteExport(CrxExportContext& context)
{
    // A large section goes on several threads where it can.
    bool taken = false;
    if (const CrxResult rc = CrxRowRanges::WriteRows(*this, KeysOnly(), context, taken);
        rc != CRX_OK || taken)
        return rc;
    return CrxExportWalk::WriteRows(*this, KeysOnly(), m_nBlobCounter, context);
}
