#pragma once

// "datarec": one row of the table its "tabinfo" chose. Its items are the
// table's columns (keys, other columns, blob columns, each in table order);
// the end of the element inserts the row.

#include "archive/CCrxRecord.h"
#include "archive/CrxGrammarNames.h"

class CCrxDb;
class CCrxRowQueue;
class CCrxSql;

class CCrxRecord_datarec : public CCrxRecord
{
public:
    CCrxRecord_datarec() : CCrxRecord(crxname::kDatarec) {}
    explicit CCrxRecord_datarec(const QString& name) : CCrxRecord(name) {}

    // Opens the row on the database's row queue: its text values go there
    // as they are read.
    CrxResult OnBegin(CrxParseContext& context) override;
    CrxResult OnStartChild(QByteArrayView name, CrxParseContext& context) override;
    CrxResult OnCharacters(QByteArrayView text) override;
    CrxResult OnEnd(QByteArrayView name, CrxParseContext& context) override;

    // Export: items for the section's source table and its row read, then
    // one element per row (blob columns as files).
    CrxResult BeginExport(CrxExportContext& context) override;
    CrxResult WriteExport(CrxExportContext& context) override;

    // One item per column of the statement's table, counted into its three
    // column groups: 0, CRX_E_NO_DB, CRX_E_NO_STATEMENT or CRX_E_TABLE_INFO.
    // An empty table name gives no items.
    virtual CrxResult BuildColumns(CCrxSql& statement);
    // Forgets the values of the previous row.
    virtual void ResetValues();

    CrxResult PrepareWriteStatement(CCrxDb& db);
    // Queues the row opened on the database's row queue: 0, a blob path
    // code, or the first row failure of the queue.
    CrxResult WriteRow(CCrxDb& db);
    // The blob file of an item: a file inside the unpacked "blob" folder, or
    // empty (no data) when the reference is empty or names no file. A value
    // that names nothing inside "blob" (text, a path leaving it) gives no
    // data too, and counts in the detail's blobValuesNotReferences; nothing
    // outside is read. CRX_E_PATH_TOO_LONG for a path past the limit.
    QString ResolveBlobPath(CCrxDb& db, const CCrxItem& item, CrxResult& code);

    const QString& AttachedTable() const { return m_strAttachedTable; }

protected:
    // baserec makes items for the key columns only.
    virtual bool KeysOnly() const { return false; }
    // Text values stay UTF-8, as they are bound; blob references are
    // widened to be resolved.
    void StoreValue(CCrxItem& item) override;

    // Blob file counter of the export.
    int m_nBlobCounter = 0;

private:
    // Numbers the items a row binds as texts, in the insert's order.
    void NumberTexts();
    // A value read straight into the row: a text that is no blob reference.
    static bool IntoRow(const CCrxItem& item) { return item.m_nText >= 0 && !item.IsBlobColumn(); }

    QString m_strAttachedTable;
    CCrxDb* m_pAttachedDb = nullptr;
    qsizetype m_nTexts = 0;
    // The queue of the row being read, nullptr when none is.
    CCrxRowQueue* m_pRows = nullptr;
};
