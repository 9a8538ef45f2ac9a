#include "stroven/Stroven.h"

#include "stroven/CSQRowReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QTemporaryFile>

#include <sqlite3.h>

#include <cstdio>
#include <initializer_list>
#include <vector>

namespace {

struct StatementDeleter
{
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

QString quoteName(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

// Read columns and the read table may be expressions or a FROM list; only
// plain names (optionally "TABLE.COLUMN") are quoted.
QString quoteIfName(const QString& text)
{
    static const QRegularExpression plain(
        QStringLiteral("^([A-Za-z_][A-Za-z0-9_]*)(?:\\.([A-Za-z_][A-Za-z0-9_]*))?$"));
    const QRegularExpressionMatch m = plain.match(text.trimmed());
    if (!m.hasMatch())
        return text;
    if (m.captured(2).isEmpty())
        return quoteName(m.captured(1));
    return quoteName(m.captured(1)) + QLatin1Char('.') + quoteName(m.captured(2));
}

QStringList quoteNames(const QStringList& names)
{
    QStringList quoted;
    for (const QString& name : names)
        quoted.append(quoteName(name));
    return quoted;
}

bool hasEmptyName(const QStringList& names)
{
    for (const QString& name : names)
        if (name.trimmed().isEmpty())
            return true;
    return false;
}

// Prepares exactly one statement. A second statement in the text is refused,
// so that nothing after the first is silently dropped. Text without any
// statement leaves out empty and succeeds.
int prepareOne(sqlite3* db, const QString& sql, Statement& out)
{
    out.reset();
    if (!db)
        return SQLERR_NOT_OPEN;
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &stmt, &tail);
    Statement first(stmt);
    if (rc != SQLITE_OK)
        return rc;
    const qsizetype rest = utf8.constData() + utf8.size() - tail;
    if (first && rest > 0) {
        sqlite3_stmt* next = nullptr;
        rc = sqlite3_prepare_v2(db, tail, int(rest), &next, nullptr);
        Statement second(next);
        if (rc != SQLITE_OK)
            return rc;
        if (second)
            return SQLERR_ARGUMENTS;
    }
    out = std::move(first);
    return 0;
}

int bindTexts(sqlite3_stmt* stmt, const QStringList& values, int first)
{
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QByteArray utf8 = values[i].toUtf8();
        const int rc = sqlite3_bind_text(stmt, first + int(i), utf8.constData(), int(utf8.size()),
                                         SQLITE_TRANSIENT);
        if (rc != SQLITE_OK)
            return rc;
    }
    return 0;
}

// The values of one write, encoded into a buffer the statement keeps and
// bound without a copy: no allocation per value or row. The buffer must not
// move until the step is done, so it is sized for every value first.
class WriteBinder
{
public:
    void Prepare(std::initializer_list<const QStringList*> lists)
    {
        size_t need = 1; // an empty value still needs a non-null pointer
        for (const QStringList* list : lists)
            for (const QString& value : *list)
                need += size_t(value.size()) * 3;
        if (m_buffer.size() < need)
            m_buffer.resize(need);
        m_used = 0;
    }

    int Bind(sqlite3_stmt* stmt, const QStringList& values, int first)
    {
        for (qsizetype i = 0; i < values.size(); ++i) {
            char* start = m_buffer.data() + m_used;
            QStringEncoder encoder(QStringEncoder::Utf8);
            char* end = encoder.appendToBuffer(start, values[i]);
            m_used += size_t(end - start);
            const int rc =
                sqlite3_bind_text(stmt, first + int(i), start, int(end - start), SQLITE_STATIC);
            if (rc != SQLITE_OK)
                return rc;
        }
        return 0;
    }

private:
    std::vector<char> m_buffer;
    size_t m_used = 0;
};

int bindBlobFiles(const CSQliteDB& db, sqlite3_stmt* stmt, const QStringList& files, int first)
{
    for (qsizetype i = 0; i < files.size(); ++i) {
        const int index = first + int(i);
        int rc;
        if (files[i].isEmpty()) {
            rc = sqlite3_bind_null(stmt, index);
        } else {
            QFile file(db.ResolveBlobPath(files[i]));
            if (!file.open(QIODevice::ReadOnly))
                return SQLERR_FILE;
            const QByteArray bytes = file.readAll();
            if (file.error() != QFileDevice::NoError)
                return SQLERR_FILE;
            // An empty file is an empty blob, not NULL.
            rc = bytes.isEmpty()
                     ? sqlite3_bind_zeroblob(stmt, index, 0)
                     : sqlite3_bind_blob64(stmt, index, bytes.constData(),
                                           sqlite3_uint64(bytes.size()), SQLITE_TRANSIENT);
        }
        if (rc != SQLITE_OK)
            return rc;
    }
    return 0;
}

// Runs a prepared write once and leaves it ready for the next row.
int stepOnce(sqlite3_stmt* stmt)
{
    const int rc = sqlite3_step(stmt);
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    return rc == SQLITE_DONE ? 0 : rc;
}

// Declared types follow SQLite's own affinity rules, so the reported type
// matches how the values are stored. "NUMERIC(8,2)" and the older
// "NUMERIC(8.2)" both give size 8 and scale 2.
void parseDeclaredType(const QString& declared, CSQTableInfo& info)
{
    const QString type = declared.trimmed().toUpper();
    const qsizetype open = type.indexOf(QLatin1Char('('));
    const QString base = (open < 0 ? type : type.left(open)).trimmed();
    if (base.contains(QLatin1String("INT")))
        info.m_nType = SQLTYPE_NUMERIC;
    else if (base.contains(QLatin1String("CHAR")) || base.contains(QLatin1String("CLOB")) ||
             base.contains(QLatin1String("TEXT")))
        info.m_nType = SQLTYPE_VARCHAR;
    else if (base.isEmpty() || base.contains(QLatin1String("BLOB")))
        info.m_nType = SQLTYPE_BLOB;
    else
        info.m_nType = SQLTYPE_NUMERIC;

    info.m_nSize = 0;
    info.m_nScale = 0;
    if (open < 0)
        return;
    const qsizetype close = type.indexOf(QLatin1Char(')'), open);
    const QString args = type.mid(open + 1, close < 0 ? -1 : close - open - 1);
    static const QRegularExpression separator(QStringLiteral("[,.]"));
    const QStringList parts = args.split(separator);
    info.m_nSize = parts.value(0).trimmed().toInt();
    info.m_nScale = parts.value(1).trimmed().toInt();
}

} // namespace

struct CSQliteSQL::Impl
{
    Impl(CSQliteDB& connection, const QString& name) : db(connection), table(name) {}

    QStringList* keepRow(std::unique_ptr<QStringList> row)
    {
        rows.push_back(std::move(row));
        return rows.back().get();
    }

    // nullptr when SQLite ran out of memory.
    std::unique_ptr<QStringList> currentRow()
    {
        auto row = std::make_unique<QStringList>();
        if (!rowReader.ReadRow(read.get(), *row))
            return nullptr;
        if (rowReader.InvalidColumn() >= 0)
            invalidColumn = rowReader.InvalidColumn();
        return row;
    }

    int exec(const char* sql) const
    {
        if (!db.Handle())
            return SQLERR_NOT_OPEN;
        const int rc = sqlite3_exec(db.Handle(), sql, nullptr, nullptr, nullptr);
        return rc == SQLITE_OK ? 0 : rc;
    }

    CSQliteDB& db;
    QString table;

    // Every row and batch handed out stays alive until the statement goes.
    std::vector<std::unique_ptr<QStringList>> rows;
    std::vector<std::unique_ptr<CSQRowArray>> batches;

    Statement read;
    CSQRowReader rowReader;
    quint32 maxRows = 0;
    bool readEnded = false;
    std::unique_ptr<QStringList> lookahead; // first row of the next batch
    int invalidColumn = -1;                 // of the row that ends a strict read

    QStringList keyColumns, valueColumns, blobColumns;
    Statement insert, update, remove;
    WriteBinder binder;

    Statement blobRead;
    int blobReadColumns = 0;

    // SAVEPOINT, RELEASE and ROLLBACK TO, prepared on first use.
    Statement savepoint[3];
    int step(int which, const char* sql)
    {
        if (!db.Handle())
            return SQLERR_NOT_OPEN;
        Statement& stmt = savepoint[which];
        if (!stmt) {
            const int rc = prepareOne(db.Handle(), QString::fromLatin1(sql), stmt);
            if (rc != 0 || !stmt)
                return rc != 0 ? rc : SQLERR_ARGUMENTS;
        }
        const int rc = sqlite3_step(stmt.get());
        sqlite3_reset(stmt.get());
        return rc == SQLITE_DONE ? 0 : rc;
    }

    CSQTableInfoArray tableInfo;
};

CSQliteSQL::CSQliteSQL(CSQliteDB& db, const QString& table) : d(std::make_unique<Impl>(db, table))
{
}

CSQliteSQL::~CSQliteSQL() = default;

int CSQliteSQL::SetSQLForRead(const QStringList& columns, const QString& where,
                              const QString& orderBy, quint32 maxRows)
{
    d->read.reset();
    d->rowReader.Reset();
    d->readEnded = false;
    d->lookahead.reset();
    d->invalidColumn = -1;
    d->maxRows = maxRows;
    if (!d->db.Handle())
        return SQLERR_NOT_OPEN;

    QStringList selected;
    for (const QString& column : columns)
        selected.append(quoteIfName(column));
    QString sql = QLatin1String("SELECT ") +
                  (selected.isEmpty() ? QStringLiteral("*") : selected.join(QLatin1String(", "))) +
                  QLatin1String(" FROM ") + quoteIfName(d->table);
    if (!where.trimmed().isEmpty())
        sql += QLatin1String(" WHERE ") + where;
    if (!orderBy.trimmed().isEmpty())
        sql += QLatin1String(" ORDER BY ") + orderBy;
    const int rc = prepareOne(d->db.Handle(), sql, d->read);
    if (rc == 0 && !d->read)
        return SQLERR_ARGUMENTS;
    return rc;
}

int CSQliteSQL::SetParamsForRead(const QStringList& values)
{
    if (!d->read)
        return SQLERR_NOT_PREPARED;
    sqlite3_stmt* stmt = d->read.get();
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    d->readEnded = false;
    d->lookahead.reset();
    d->invalidColumn = -1;
    if (values.size() != sqlite3_bind_parameter_count(stmt))
        return SQLERR_ARGUMENTS;
    return bindTexts(stmt, values, 1);
}

CSQRowArray* CSQliteSQL::ExecReadNext(int& status)
{
    status = 0;
    if (!d->read) {
        status = SQLERR_NOT_PREPARED;
        return nullptr;
    }
    sqlite3_stmt* stmt = d->read.get();
    auto batch = std::make_unique<CSQRowArray>();
    const auto full = [&] { return d->maxRows != 0 && quint64(batch->size()) >= d->maxRows; };

    if (!d->readEnded) {
        int rc = SQLITE_ROW;
        // A row of invalid text ends the batch it is in: it comes last.
        if (d->lookahead) {
            batch->append(d->keepRow(std::move(d->lookahead)));
            if (d->invalidColumn >= 0)
                rc = SQLERR_NOT_UTF8;
        }
        while (rc == SQLITE_ROW && !full() && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            std::unique_ptr<QStringList> row = d->currentRow();
            if (!row) {
                rc = SQLITE_NOMEM;
                break;
            }
            batch->append(d->keepRow(std::move(row)));
            if (d->invalidColumn >= 0)
                rc = SQLERR_NOT_UTF8;
        }
        // A full batch looks one row ahead, so that the last batch is always
        // the one that says so.
        if (rc == SQLITE_ROW && full() && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            d->lookahead = d->currentRow();
            if (!d->lookahead)
                rc = SQLITE_NOMEM;
        }
        if (rc == SQLITE_DONE) {
            d->readEnded = true;
            sqlite3_reset(stmt); // releases the read lock; bindings stay
        } else if (rc != SQLITE_ROW) {
            sqlite3_reset(stmt);
            d->readEnded = true;
            status = rc;
            if (rc != SQLERR_NOT_UTF8)
                return nullptr;
            d->batches.push_back(std::move(batch));
            return d->batches.back().get();
        }
    }
    if (d->readEnded)
        status = SQLREAD_END;
    d->batches.push_back(std::move(batch));
    return d->batches.back().get();
}

void CSQliteSQL::SetStrictText(bool on)
{
    d->rowReader.SetStrictText(on);
}

int CSQliteSQL::InvalidTextColumn() const
{
    return d->invalidColumn;
}

void CSQliteSQL::ReleaseReadRows()
{
    d->batches.clear();
    d->rows.clear();
}

bool CSQliteSQL::ReadScansTable() const
{
    if (!d->read)
        return false;
    Statement plan;
    if (prepareOne(d->db.Handle(),
                   QLatin1String("EXPLAIN QUERY PLAN ") +
                       QString::fromUtf8(sqlite3_sql(d->read.get())),
                   plan) != 0 ||
        !plan)
        return false;
    int steps = 0;
    bool scan = false;
    while (sqlite3_step(plan.get()) == SQLITE_ROW) {
        ++steps;
        const QByteArray detail(reinterpret_cast<const char*>(sqlite3_column_text(plan.get(), 3)));
        // "SCAN t" (older SQLite: "SCAN TABLE t"); an index or a virtual
        // table says "USING" or "VIRTUAL".
        scan = detail.startsWith("SCAN ") && !detail.contains(" USING ") &&
               !detail.contains("VIRTUAL");
    }
    return steps == 1 && scan;
}

int CSQliteSQL::SetSQLForWrite(const QStringList& keyColumns, const QStringList& valueColumns,
                               const QStringList& blobColumns)
{
    d->insert.reset();
    d->update.reset();
    d->remove.reset();
    d->keyColumns = keyColumns;
    d->valueColumns = valueColumns;
    d->blobColumns = blobColumns;
    sqlite3* db = d->db.Handle();
    if (!db)
        return SQLERR_NOT_OPEN;
    const QStringList all = keyColumns + valueColumns + blobColumns;
    if (all.isEmpty() || hasEmptyName(all))
        return SQLERR_ARGUMENTS;

    const QString table = quoteName(d->table);
    QStringList marks;
    for (qsizetype i = 0; i < all.size(); ++i)
        marks.append(QStringLiteral("?"));
    int rc =
        prepareOne(db,
                   QLatin1String("INSERT INTO ") + table + QLatin1String(" (") +
                       quoteNames(all).join(QLatin1String(", ")) + QLatin1String(") VALUES (") +
                       marks.join(QLatin1String(", ")) + QLatin1Char(')'),
                   d->insert);
    if (rc != 0 || keyColumns.isEmpty())
        return rc;

    const QString where = QLatin1String(" WHERE ") +
                          quoteNames(keyColumns).join(QLatin1String(" = ? AND ")) +
                          QLatin1String(" = ?");
    rc = prepareOne(db, QLatin1String("DELETE FROM ") + table + where, d->remove);
    const QStringList set = valueColumns + blobColumns;
    if (rc != 0 || set.isEmpty())
        return rc;
    return prepareOne(db,
                      QLatin1String("UPDATE ") + table + QLatin1String(" SET ") +
                          quoteNames(set).join(QLatin1String(" = ?, ")) + QLatin1String(" = ?") +
                          where,
                      d->update);
}

int CSQliteSQL::ExecWrite(const QStringList& keyValues, const QStringList& values,
                          const QStringList& blobFiles, int mode)
{
    const bool keysFit = keyValues.size() == d->keyColumns.size();
    const bool restFits =
        values.size() == d->valueColumns.size() && blobFiles.size() == d->blobColumns.size();
    sqlite3_stmt* stmt = nullptr;
    int rc = 0;
    switch (mode) {
    case SQLWRITE_INSERT:
        if (!keysFit || !restFits)
            return SQLERR_ARGUMENTS;
        if (!(stmt = d->insert.get()))
            return SQLERR_NOT_PREPARED;
        d->binder.Prepare({&keyValues, &values});
        rc = d->binder.Bind(stmt, keyValues, 1);
        if (rc == 0)
            rc = d->binder.Bind(stmt, values, int(keyValues.size()) + 1);
        if (rc == 0)
            rc = bindBlobFiles(d->db, stmt, blobFiles, int(keyValues.size() + values.size()) + 1);
        break;
    case SQLWRITE_UPDATE:
        if (!keysFit || !restFits)
            return SQLERR_ARGUMENTS;
        if (!(stmt = d->update.get()))
            return SQLERR_NOT_PREPARED;
        d->binder.Prepare({&values, &keyValues});
        rc = d->binder.Bind(stmt, values, 1);
        if (rc == 0)
            rc = bindBlobFiles(d->db, stmt, blobFiles, int(values.size()) + 1);
        if (rc == 0)
            rc = d->binder.Bind(stmt, keyValues, int(values.size() + blobFiles.size()) + 1);
        break;
    case SQLWRITE_DELETE:
        if (!keysFit)
            return SQLERR_ARGUMENTS;
        if (!(stmt = d->remove.get()))
            return SQLERR_NOT_PREPARED;
        d->binder.Prepare({&keyValues});
        rc = d->binder.Bind(stmt, keyValues, 1);
        break;
    default:
        return SQLERR_ARGUMENTS;
    }
    if (rc != 0) {
        sqlite3_clear_bindings(stmt);
        return rc;
    }
    rc = stepOnce(stmt);
    // Callers insert when an update finds no row, so "nothing matched" must
    // fail there; a delete of no row has done what was asked (a save deletes
    // child rows first, and a record may have none).
    if (rc == 0 && mode == SQLWRITE_UPDATE && sqlite3_changes64(sqlite3_db_handle(stmt)) == 0)
        return SQLERR_NO_ROW;
    return rc;
}

int CSQliteSQL::ExecInsertUtf8(const QByteArrayView* texts, qsizetype count,
                               const QStringList& blobFiles)
{
    if (count != d->keyColumns.size() + d->valueColumns.size() ||
        blobFiles.size() != d->blobColumns.size())
        return SQLERR_ARGUMENTS;
    sqlite3_stmt* stmt = d->insert.get();
    if (!stmt)
        return SQLERR_NOT_PREPARED;
    int rc = SQLITE_OK;
    for (qsizetype i = 0; i < count && rc == SQLITE_OK; ++i) {
        // A null pointer would bind NULL: an empty value is empty text.
        const char* bytes = texts[i].isEmpty() ? "" : texts[i].data();
        rc = sqlite3_bind_text(stmt, int(i) + 1, bytes, int(texts[i].size()), SQLITE_STATIC);
    }
    if (rc == SQLITE_OK)
        rc = bindBlobFiles(d->db, stmt, blobFiles, int(count) + 1);
    if (rc != 0) {
        sqlite3_clear_bindings(stmt);
        return rc;
    }
    return stepOnce(stmt);
}

int CSQliteSQL::SetSQLForBlobRead(const QStringList& blobColumns, const QString& where)
{
    d->blobRead.reset();
    d->blobReadColumns = int(blobColumns.size());
    if (!d->db.Handle())
        return SQLERR_NOT_OPEN;
    if (blobColumns.isEmpty() || hasEmptyName(blobColumns))
        return SQLERR_ARGUMENTS;
    QString sql = QLatin1String("SELECT ") + quoteNames(blobColumns).join(QLatin1String(", ")) +
                  QLatin1String(" FROM ") + quoteName(d->table);
    if (!where.trimmed().isEmpty())
        sql += QLatin1String(" WHERE ") + where;
    return prepareOne(d->db.Handle(), sql, d->blobRead);
}

namespace {

// Writes a file beside its target and renames it over it: a reader sees the
// old file or the whole new one. No sync to disk: blob files are working
// copies (an export packs them at once), and a thousand syncs would cost
// seconds.
bool writeReplacing(const QString& path, const char* bytes, qint64 size)
{
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath());
    QTemporaryFile file(info.absolutePath() + QStringLiteral("/.blob-XXXXXX"));
    if (!file.open() || file.write(bytes, size) != size || !file.flush())
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                        QFileDevice::ReadOther);
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(path).constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}

} // namespace

int CSQliteSQL::ExecBlobRead(const QStringList& keyValues, const QStringList& files)
{
    if (files.size() != d->blobReadColumns)
        return d->blobRead ? SQLERR_ARGUMENTS : SQLERR_NOT_PREPARED;
    return ExecBlobRead(keyValues, [&](int column, const char* bytes, qint64 size) {
        if (files[column].isEmpty())
            return true;
        const QString path = d->db.ResolveBlobPath(files[column]);
        // No stale file may stand in for a blob that is not there.
        if (!bytes)
            return !QFileInfo::exists(path) || QFile::remove(path);
        return writeReplacing(path, bytes, size);
    });
}

int CSQliteSQL::ExecBlobRead(const QStringList& keyValues, const BlobSink& sink)
{
    sqlite3_stmt* stmt = d->blobRead.get();
    if (!stmt)
        return SQLERR_NOT_PREPARED;
    if (keyValues.size() != sqlite3_bind_parameter_count(stmt))
        return SQLERR_ARGUMENTS;
    int rc = bindTexts(stmt, keyValues, 1);
    if (rc == 0) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_DONE)
            rc = SQLERR_NO_ROW;
        else if (rc == SQLITE_ROW)
            rc = 0;
    }
    for (int i = 0; rc == 0 && i < d->blobReadColumns; ++i) {
        const bool null = sqlite3_column_type(stmt, i) == SQLITE_NULL;
        // An empty blob reads as a null pointer too; its size tells it apart.
        const char* bytes = null ? nullptr : static_cast<const char*>(sqlite3_column_blob(stmt, i));
        const qint64 size = null ? 0 : sqlite3_column_bytes(stmt, i);
        if (!null && !bytes)
            bytes = "";
        if (!sink(i, bytes, size))
            rc = SQLERR_FILE;
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    return rc;
}

int CSQliteSQL::ExecSQL(const QString& sql)
{
    Statement stmt;
    int rc = prepareOne(d->db.Handle(), sql, stmt);
    if (rc != 0 || !stmt)
        return rc;
    while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    }
    return rc == SQLITE_DONE ? 0 : rc;
}

int CSQliteSQL::StartTransaction()
{
    // IMMEDIATE takes the write lock now: two connections that both read
    // first and write later would otherwise fail at once instead of waiting.
    return d->exec("BEGIN IMMEDIATE");
}

int CSQliteSQL::ExecCommit()
{
    if (!d->db.InTransaction())
        return d->db.Handle() ? SQLERR_NO_TRANSACTION : SQLERR_NOT_OPEN;
    return d->exec("COMMIT");
}

int CSQliteSQL::SetSavepoint()
{
    return d->step(0, "SAVEPOINT korvane_part");
}

int CSQliteSQL::ReleaseSavepoint()
{
    return d->step(1, "RELEASE korvane_part");
}

int CSQliteSQL::RollbackToSavepoint()
{
    const int rc = d->step(2, "ROLLBACK TO korvane_part");
    return rc != 0 ? rc : ReleaseSavepoint();
}

int CSQliteSQL::ExecRollback()
{
    if (!d->db.InTransaction())
        return d->db.Handle() ? SQLERR_NO_TRANSACTION : SQLERR_NOT_OPEN;
    return d->exec("ROLLBACK");
}

CSQTableInfoArray* CSQliteSQL::GetTableInfo(int& err)
{
    d->tableInfo.clear();
    err = 0;
    Statement stmt;
    err = prepareOne(d->db.Handle(),
                     QStringLiteral("SELECT name, type, \"notnull\", pk FROM pragma_table_info(?)"),
                     stmt);
    if (err != 0)
        return &d->tableInfo;
    err = bindTexts(stmt.get(), {d->table}, 1);
    CSQRowReader reader;
    QStringList row;
    int rc = SQLITE_ROW;
    while (err == 0 && (rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
        if (!reader.ReadRow(stmt.get(), row)) {
            err = SQLITE_NOMEM;
            break;
        }
        CSQTableInfo info;
        info.m_strName = row[0];
        parseDeclaredType(row[1], info);
        info.m_nNotNull = row[2].toInt() != 0 ? 1 : 0;
        info.m_nPrimaryKey = row[3].toInt() != 0 ? 1 : 0;
        d->tableInfo.append(info);
    }
    if (err == 0 && rc != SQLITE_DONE)
        err = rc;
    if (err == 0 && d->tableInfo.isEmpty())
        err = SQLERR_NO_TABLE;
    if (err != 0)
        d->tableInfo.clear();
    return &d->tableInfo;
}
