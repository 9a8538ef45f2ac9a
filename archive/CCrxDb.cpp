#include "archive/CCrxDb.h"

#include "stroven/Stroven.h"

CCrxDb::CCrxDb() = default;

CCrxDb::~CCrxDb()
{
    Close();
}

CrxResult CCrxDb::ReleaseStatements()
{
    const CrxResult writer = m_writer.ReleaseStatement();
    const CrxResult reader = m_reader.ReleaseStatement();
    const CrxResult blobs = m_blobReader.ReleaseStatement();
    return writer != CRX_OK ? writer : reader != CRX_OK ? reader : blobs;
}

CrxResult CCrxDb::Open(const QString& dbPath, const QString& unpackFolder,
                       const QString& blobFolder)
{
    if (m_pDb) {
        if (const CrxResult rc = Close(); rc != CRX_OK)
            return rc;
    }
    m_tables.clear();
    m_strDbPath = dbPath;
    m_strUnpackFolder = unpackFolder;
    m_strBlobFolder = blobFolder;
    auto db = std::make_unique<CSQliteDB>(QString());
    if (db->OpenDB(dbPath) != 0) {
        db->CloseDB();
        return CRX_E_DB_OPEN;
    }
    m_pDb = std::move(db);
    return CRX_OK;
}

CrxResult CCrxDb::Close()
{
    const CrxResult rows = m_rows.Stop();
    CrxResult rc = ReleaseStatements();
    // The statements belong to the connection: none may outlive it.
    m_writer.Attach(nullptr, QString());
    m_reader.Attach(nullptr, QString());
    m_blobReader.Attach(nullptr, QString());
    m_tables.clear();
    if (m_pDb && m_pDb->CloseDB() != 0)
        rc = CRX_E_CLOSE_DB;
    m_pDb.reset();
    return rows != CRX_OK ? rows : rc;
}

CrxResult CCrxDb::GetTableName(int index, QString& name)
{
    name.clear();
    if (!m_pDb)
        return CRX_E_NO_DB;
    if (m_tables.isEmpty()) {
        if (CrxResult rows = m_rows.Flush())
            return rows;
        int err = 0;
        const QStringList* list = m_pDb->GetTableList(err);
        if (err != 0 || !list)
            return CRX_E_TABLE_LIST;
        if (list->isEmpty())
            return CRX_E_NO_TABLES;
        static_cast<QStringList&>(m_tables) = *list;
        m_tables.Sort();
    }
    if (index < 0 || index >= m_tables.size())
        return CRX_E_TABLE_INDEX;
    name = m_tables.at(index);
    return CRX_OK;
}

int CCrxDb::TableExists(const QString& name)
{
    if (name.isEmpty())
        return 0;
    QString table;
    for (int i = 0; GetTableName(i, table) == CRX_OK; ++i) {
        if (table == name)
            return 1;
    }
    return 0;
}

CrxResult CCrxDb::CountRecords(const QString& table, qint64& count)
{
    count = 0;
    if (!m_pDb)
        return CRX_E_DB_OPEN;
    if (CrxResult rows = m_rows.Flush())
        return rows;
    if (const CrxResult rc = m_reader.Attach(m_pDb.get(), table); rc != CRX_OK)
        return rc;
    m_reader.m_columns = QStringList{QStringLiteral("count(*)")};
    m_reader.m_strWhere.clear();
    m_reader.m_strOrderBy.clear();
    if (const CrxResult rc = m_reader.PrepareRead(); rc != CRX_OK)
        return rc;
    CrxResult error = CRX_OK;
    bool end = false;
    const CSQRowArray* rows = m_reader.ReadNext(error, end);
    if (error != CRX_OK)
        return error;
    if (rows && !rows->isEmpty() && rows->first() && !rows->first()->isEmpty()) {
        bool ok = false;
        count = rows->first()->first().toLongLong(&ok);
        if (!ok)
            return CRX_E_READ_ROWS;
    }
    return CRX_OK;
}

CrxResult CCrxDb::AttachWriter(const QString& table)
{
    if (!m_pDb)
        return CRX_E_DB_OPEN;
    if (CrxResult rows = m_rows.Flush())
        return rows;
    m_writer.ClearLists();
    return m_writer.Attach(m_pDb.get(), table);
}

CrxResult CCrxDb::AttachBlobReader(const QString& table)
{
    if (!m_pDb)
        return CRX_E_DB_OPEN;
    if (CrxResult rows = m_rows.Flush())
        return rows;
    m_blobReader.Clear();
    m_blobReader.Attach(m_pDb.get(), table);
    return CRX_OK;
}

CrxResult CCrxDb::DeleteAll(const QString& table)
{
    if (!m_pDb)
        return CRX_E_DB_OPEN;
    if (CrxResult rows = m_rows.Flush())
        return rows;
    CSQliteSQL statement(*m_pDb, table);
    return statement.ExecSQL(QLatin1String("DELETE FROM ") + CCrxSql::QuoteName(table)) == 0
               ? CRX_OK
               : CRX_E_DELETE_ROWS;
}
