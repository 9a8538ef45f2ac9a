#include "functions/CFcColumnDataList.h"

#include "functions/CFcColumnDataCSB011.h"
#include "functions/CFcColumnDataCSB022.h"
#include "functions/FcDialogIds.h"

#include "goods/base/SaveInTransaction.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CSqLiteUtility.h"

namespace kesmond {

namespace {

const QString kCreateDateTime = QStringLiteral("CREATEDATETIME");
const QString kUpdateDateTime = QStringLiteral("UPDATEDATETIME");

} // namespace

CFcColumnDataList::CFcColumnDataList(const QString& table, CColumnData** columns,
                                     int functionKeyFlag)
    : CColumnDataList(table, columns), m_nFunctionKeyFlag(functionKeyFlag)
{
    // Column 0 holds the running number; the second key column is the key.
    m_nKeyIndex = 1;
}

CFcColumnDataList::~CFcColumnDataList() = default;

void CFcColumnDataList::ChooseTables()
{
    if (!m_pSQliteDB)
        return;
    int err = 0;
    m_strMasterTable =
        CSqLiteUtility::IsExistDataOfTable(*m_pSQliteDB, QStringLiteral("CSM018"), err)
            ? QStringLiteral("CSM018")
            : QStringLiteral("CSM009");
    m_strFuncListTable =
        CSqLiteUtility::IsExistDataOfTable(*m_pSQliteDB, QStringLiteral("CSB022"), err)
            ? QStringLiteral("CSB022")
            : QStringLiteral("CSB011");
    const bool newLayout = m_strFuncListTable == QLatin1String("CSB022");
    m_arrListTypes = FcListTypes(newLayout);
    if (newLayout)
        m_pListAccess = std::make_unique<CFcColumnDataCSB022>(m_pSQliteDB);
    else
        m_pListAccess = std::make_unique<CFcColumnDataCSB011>(m_pSQliteDB);
    m_pListAccess->SetCurrentList(m_strCurrentList);
}

bool CFcColumnDataList::ReadListIds(int& err)
{
    err = 0;
    if (!m_pListAccess)
        ChooseTables();
    if (!m_pListAccess) {
        err = SQLERR_NOT_OPEN;
        return false;
    }
    return m_pListAccess->ReadListIds(err, m_arrListTypes);
}

void CFcColumnDataList::SetCurrentList(const QString& listId)
{
    m_strCurrentList = listId;
    if (m_pListAccess)
        m_pListAccess->SetCurrentList(listId);
}

QString CFcColumnDataList::GetMasterTable()
{
    if (m_strMasterTable.isEmpty())
        ChooseTables();
    return m_strMasterTable;
}

void CFcColumnDataList::SetReadColumnsData(QStringList& columns)
{
    for (int i = 0; i < m_nColumnCount; ++i) {
        const QString& name = m_ppColumnData[i]->m_strColumnName;
        columns << (name.contains(u'.') ? name : m_strTableName + u'.' + name);
    }
}

bool CFcColumnDataList::ReadRecords(int& err, QString)
{
    err = 0;
    if (m_nColumnCount == 0)
        return true;
    if (!m_pSQliteDB || !m_pRecords)
        return false;
    EmptyCache();
    const bool listKeys = m_nFunctionKeyFlag != 1;
    // A list's keys in the list's order; a type without its list has none.
    if (listKeys && (m_strCurrentList.isEmpty() || !m_pListAccess))
        return true;
    const QString joined = listKeys ? m_strFuncListTable : GetMasterTable();
    QString where;
    QString order;
    QStringList params;
    if (!listKeys) {
        where = m_strTableName + QStringLiteral(".FUNCTIONCODE = ") + joined +
                QStringLiteral(".FUNCTIONCODE");
        order = m_strTableName + QStringLiteral(".FUNCKEYCODE");
    } else {
        where = m_pListAccess->ItemJoin();
        order = joined + u'.' + m_pListAccess->KeyOrderColumn();
        params << m_strCurrentList;
    }
    CSQliteSQL reader(*m_pSQliteDB, m_strTableName + QStringLiteral(", ") + joined);
    QStringList columns;
    SetReadColumnsData(columns);
    ParkedRows parked = TakeParkedRows();
    const bool read = CSqLiteUtility::ReadBatches(reader, columns, where, params, order, 0, err,
                                                  [&](CSQRowArray& rows) {
                                                      for (QStringList* row : rows)
                                                          AppendRecord(std::move(*row), parked);
                                                      return true;
                                                  });
    if (!read) {
        EmptyCache();
        return false;
    }
    for (qsizetype i = 0; i < m_pRecords->GetSize(); ++i)
        if (CRecord* row = m_pRecords->GetAt(i); row && !row->isEmpty())
            row->replace(0, QString::number(i + 1));
    return true;
}

bool CFcColumnDataList::DeleteRecord(QStringList& row, int& err)
{
    err = 0;
    CColumnData* key = KeyColumn();
    if (!m_pSQliteDB || !key)
        return false;
    if (!CSqLiteUtility::DeleteRecord(*m_pSQliteDB, m_strTableName, {key->m_strColumnName},
                                      {row.value(m_nKeyIndex)}, err))
        return false;
    for (int i = 0; i < m_nColumnCount; ++i)
        m_ppColumnData[i]->SaveItemEX(1);
    return ReadRecords(err, QString());
}

bool CFcColumnDataList::HasFunctionProperties()
{
    if (!m_pSQliteDB)
        return false;
    int err = 0;
    CSQliteSQL sql(*m_pSQliteDB, QStringLiteral("CSM015"));
    const CSQRowArray* rows = CSqLiteUtility::ReadRows(sql, {QStringLiteral("FUNCTIONCODE")},
                                                       QString(), {}, QString(), 1, err);
    return rows && !rows->isEmpty();
}

bool CFcColumnDataList::IsFunctionInMaster(const QString& code)
{
    if (!m_pSQliteDB)
        return false;
    int err = 0;
    CSQliteSQL sql(*m_pSQliteDB, GetMasterTable());
    const CSQRowArray* rows =
        CSqLiteUtility::ReadRows(sql, {QStringLiteral("FUNCTIONCODE")},
                                 QStringLiteral("FUNCTIONCODE = ?"), {code}, QString(), 1, err);
    return rows && !rows->isEmpty();
}

bool CFcColumnDataList::ReadFunctionChoices(int& err, QList<QStringList>& out,
                                            const QString& functionCode, const QString& propertyId,
                                            const QString& value)
{
    err = 0;
    out.clear();
    if (propertyId.isEmpty())
        return true;
    if (!m_pSQliteDB)
        return false;
    QString where = QStringLiteral("FUNCTIONCODE = ? AND FUNCSETCODEID = ?");
    QStringList params{functionCode, propertyId};
    if (!value.isEmpty()) {
        where += QStringLiteral(" AND FUNCSETVALUE = ?");
        params << value;
    }
    CSQliteSQL sql(*m_pSQliteDB, QStringLiteral("CSM014"));
    const CSQRowArray* rows = CSqLiteUtility::ReadRows(
        sql, {QStringLiteral("FUNCSETVALUE"), QStringLiteral("FUNCSETNAME")}, where, params,
        QStringLiteral("LISTNUMBER"), 0, err);
    if (!rows)
        return false;
    for (const QStringList* row : *rows)
        out << QStringList{row->value(0), row->value(1)};
    return true;
}

bool CFcColumnDataList::DeleteSetValues(int& err, const QString& key)
{
    err = 0;
    if (!m_pSQliteDB)
        return false;
    return CSqLiteUtility::DeleteRecord(*m_pSQliteDB, QStringLiteral("CSB003"),
                                        {QStringLiteral("FUNCKEYCODE")}, {key}, err);
}

CFcColumnDataList::AddResult CFcColumnDataList::AddListKey(int& err, QString& key)
{
    err = 0;
    key.clear();
    if (!m_pSQliteDB || !m_pListAccess) {
        err = SQLERR_NOT_OPEN;
        return AddResult::InsertFailed;
    }
    for (int i = 0; i < m_nColumnCount; ++i) {
        CColumnData* column = m_ppColumnData[i];
        if (column->m_nCtrlID == IDC_FC_NAME)
            column->SetDefaultValue(QString());
        else if (column->m_nCtrlID == IDC_FC_FUNCTION)
            column->SetDefaultValue(QStringLiteral("000001"));
    }
    const QString newKey = CSqLiteUtility::FindUniqueRecordRange(
        *m_pSQliteDB, m_strTableName, QStringLiteral("FUNCKEYCODE"), 6, 0, 50000, 99999, err);
    if (newKey.isEmpty())
        return AddResult::InsertFailed;
    m_pListAccess->SetCurrentList(m_strCurrentList);
    const QString id = m_pListAccess->NewItemId();
    if (id.isEmpty())
        return AddResult::InsertFailed;
    AddResult failure = AddResult::InsertFailed;
    err = SaveInTransaction(*m_pSQliteDB, 1, [&](size_t, int& status) {
        if (!m_pListAccess->AddItem(status, id, newKey)) {
            failure = AddResult::SaveFailed;
            return false;
        }
        QStringList row{newKey, newKey};
        return InsertRecord(row, status);
    });
    if (err != 0) {
        // The cache may hold the row the rollback took back.
        int readErr = 0;
        ReadRecords(readErr, QString());
        return failure;
    }
    key = newKey;
    return AddResult::Added;
}

bool CFcColumnDataList::RemoveListKey(int& err, const QString& key)
{
    err = 0;
    if (!m_pSQliteDB || !m_pListAccess) {
        err = SQLERR_NOT_OPEN;
        return false;
    }
    m_pListAccess->SetCurrentList(m_strCurrentList);
    err = SaveInTransaction(*m_pSQliteDB, 1, [&](size_t, int& status) {
        if (!m_pListAccess->RemoveItem(status, key))
            return false;
        // A key another list or the key layout still uses keeps its row.
        const bool used = m_pListAccess->IsKeyUsed(status, key);
        if (status != 0)
            return false;
        if (used)
            return true;
        QStringList row{key, key};
        return DeleteRecord(row, status) && DeleteSetValues(status, key);
    });
    if (err != 0) {
        int readErr = 0;
        ReadRecords(readErr, QString());
        return false;
    }
    return true;
}

} // namespace kesmond
