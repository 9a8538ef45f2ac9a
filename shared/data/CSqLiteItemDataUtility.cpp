#include "shared/data/CSqLiteItemDataUtility.h"

#include "shared/config/CBasePath.h"
#include "shared/data/CSqLiteUtility.h"

#include "stroven/Stroven.h"

#include <algorithm>

namespace {

const QString kCreated = QStringLiteral("CREATEDATETIME");
const QString kUpdated = QStringLiteral("UPDATEDATETIME");
const QString kOptionsTable = QStringLiteral("CSB001");

QString equals(const QString& column, const QString& value)
{
    return QStringLiteral("%1='%2'").arg(column, CSqLiteUtility::EscapeSQLValue(value));
}

} // namespace

int CSqLiteItemDataUtility::AllocList(CSQliteDB* db, const QString& table,
                                      const QStringList& columns, const QString& where,
                                      const QString& order, CStringArrayPtrList& out)
{
    if (!db)
        return 0;
    int err = 0;
    return CSqLiteUtility::AllocStringArrayListPtr(*db, table, columns, where, order, out, err);
}

int CSqLiteItemDataUtility::AllocDeptList(CSQliteDB* db, CStringArrayPtrList& out)
{
    return AllocList(db, QStringLiteral("CIA002"),
                     {QStringLiteral("ITEMDEPTCODE"), QStringLiteral("ITEMDEPTNAME")}, QString(),
                     QStringLiteral("ITEMDEPTCODE"), out);
}

int CSqLiteItemDataUtility::AllocItemList(CSQliteDB* db, CStringArrayPtrList& out,
                                          const QString& deptCode)
{
    const QString where =
        deptCode.isEmpty()
            ? QString()
            : QStringLiteral("ITEMDEPTCODE = '%1'").arg(CSqLiteUtility::EscapeSQLValue(deptCode));
    return AllocList(db, QStringLiteral("CIA001"),
                     {QStringLiteral("ITEMCODE"), QStringLiteral("ITEMNAME")}, where,
                     QStringLiteral("ITEMCODE"), out);
}

int CSqLiteItemDataUtility::AllocSetMenuList(CSQliteDB* db, CStringArrayPtrList& out)
{
    return AllocList(db, QStringLiteral("CIB001"),
                     {QStringLiteral("SETITEMCODE"), QStringLiteral("SETITEMNAME")}, QString(),
                     QStringLiteral("SETITEMCODE"), out);
}

int CSqLiteItemDataUtility::AllocFuncList(CSQliteDB* db, CStringArrayPtrList& out)
{
    return AllocList(db, QStringLiteral("CSB002, CSM018"),
                     {QStringLiteral("CSB002.FUNCKEYCODE"), QStringLiteral("CSB002.FUNCKEYNAME"),
                      QStringLiteral("CSB002.FUNCTIONCODE")},
                     QStringLiteral("CSB002.FUNCTIONCODE=CSM018.FUNCTIONCODE AND "
                                    "CSM018.FUNCTIONTYPE='10000000000000000000'"),
                     QStringLiteral("CSB002.FUNCTIONCODE"), out);
}

void CSqLiteItemDataUtility::FreeListData(CStringArrayPtrList& list)
{
    CSqLiteUtility::FreeStringArrayListPtr(list);
}

QString CSqLiteItemDataUtility::ReadValue(CSQliteDB* db, const QString& table,
                                          const QString& column, const QString& where, bool* failed)
{
    if (failed)
        *failed = false;
    if (!db)
        return QString();
    int err = 0;
    QStringList row;
    const int found =
        CSqLiteUtility::GetStringArray(*db, table, {column}, where, QString(), row, err);
    if (found < 0 && failed)
        *failed = true;
    return found == 1 ? row.value(0) : QString();
}

QString CSqLiteItemDataUtility::GetUnitPrice(CSQliteDB* db, const QString& itemCode,
                                             const QString& column)
{
    if (!db)
        return QString();
    // The column name comes from the caller and goes into the SQL as a name,
    // so only a column the table really has is read.
    const QString table = QStringLiteral("CIA001");
    CSQliteSQL sql(*db, table);
    int err = 0;
    const CSQTableInfoArray* info = sql.GetTableInfo(err);
    const bool known = err == 0 && std::any_of(info->begin(), info->end(), [&](const auto& c) {
                           return c.m_strName.compare(column, Qt::CaseInsensitive) == 0;
                       });
    if (!known)
        return QString();
    return ReadValue(db, table, column, equals(QStringLiteral("ITEMCODE"), itemCode));
}

QString CSqLiteItemDataUtility::GetFuncKeyName(CSQliteDB* db, const QString& code)
{
    return ReadValue(db, QStringLiteral("CSB002"), QStringLiteral("FUNCKEYNAME"),
                     equals(QStringLiteral("FUNCKEYCODE"), code));
}

QString CSqLiteItemDataUtility::GetFunctionCode(CSQliteDB* db, const QString& code)
{
    return ReadValue(db, QStringLiteral("CSB002"), QStringLiteral("FUNCTIONCODE"),
                     equals(QStringLiteral("FUNCKEYCODE"), code));
}

QString CSqLiteItemDataUtility::GetDiscountTarget(CSQliteDB* db, const QString& code)
{
    return ReadValue(db, QStringLiteral("CSB003"), QStringLiteral("VALUE"),
                     equals(QStringLiteral("FUNCKEYCODE"), code) +
                         QStringLiteral(" AND FUNCSETCODE='ST.TARGET'"));
}

QString CSqLiteItemDataUtility::GetCustGroupSubCode(CSQliteDB* db, const QString& groupCode,
                                                    const QString&)
{
    return ReadValue(db, QStringLiteral("CMP002"), QStringLiteral("CUSTGROUPSUBCODE"),
                     equals(QStringLiteral("CUSTGROUPCODE"), groupCode) +
                         QStringLiteral(" AND CUSTGROUPSETCODE='CAMPAIGN.DISCOUNT'"));
}

QString CSqLiteItemDataUtility::GetCustGroupValue(CSQliteDB* db, const QString& groupCode,
                                                  const QString&)
{
    return ReadValue(db, QStringLiteral("CMP002"), QStringLiteral("VALUE"),
                     equals(QStringLiteral("CUSTGROUPCODE"), groupCode) +
                         QStringLiteral(" AND CUSTGROUPSETCODE='CAMPAIGN.DISCOUNT'"));
}

bool CSqLiteItemDataUtility::GetFuncKeyRange(CSQliteDB* db, QString& start, QString& end)
{
    bool startFailed = false;
    bool endFailed = false;
    start = ReadValue(db, kOptionsTable, QStringLiteral("VALUE"),
                      equals(QStringLiteral("OPSETCODE"),
                             QStringLiteral("SALES.REG.NUMBERING.FUNCKEYCODE.START")),
                      &startFailed);
    end = ReadValue(
        db, kOptionsTable, QStringLiteral("VALUE"),
        equals(QStringLiteral("OPSETCODE"), QStringLiteral("SALES.REG.NUMBERING.FUNCKEYCODE.END")),
        &endFailed);
    return db && !startFailed && !endFailed;
}

bool CSqLiteItemDataUtility::GetFloatingDept(CSQliteDB* db, QStringList& out)
{
    if (!db)
        return true;
    for (int n = 1; n <= 10; ++n) {
        const QString code = QStringLiteral("FLOATINGDEPT%1").arg(n, 2, 10, QLatin1Char('0'));
        int err = 0;
        QStringList row;
        if (CSqLiteUtility::GetStringArray(*db, kOptionsTable, {QStringLiteral("VALUE")},
                                           equals(QStringLiteral("OPSETCODE"), code), QString(),
                                           row, err) == 1)
            out << row.value(0);
    }
    return true;
}

bool CSqLiteItemDataUtility::SaveRow(CSQliteDB& db, const QString& table, bool exists, int existErr,
                                     const QStringList& keyColumns, const QStringList& keyValues,
                                     QStringList valueColumns, QStringList values, int& err,
                                     bool renewCreation)
{
    // A test that failed says nothing about the row; inserting would hide
    // the failure or write a second row.
    if (existErr != 0) {
        err = existErr;
        return false;
    }
    const QString now = GetTimestampOfNow();
    if (!exists || renewCreation) {
        valueColumns << kCreated;
        values << now;
    }
    valueColumns << kUpdated;
    values << now;
    if (exists)
        return CSqLiteUtility::UpdateOneRecord(db, table, keyColumns, valueColumns, keyValues,
                                               values, err);
    return CSqLiteUtility::InsertOneRecord(db, table, keyColumns, valueColumns, keyValues, values,
                                           err);
}

bool CSqLiteItemDataUtility::SaveRecordCSA007(CSQliteDB& db, const QString& itemCode,
                                              const QString& ctrlType, const QString& ctrlCode,
                                              const QString& priceCode,
                                              const QString& floatingPrice, int& err)
{
    const QStringList keys{QStringLiteral("ITEMCODE"), QStringLiteral("CTRLTYPE"),
                           QStringLiteral("CTRLCODE"), QStringLiteral("PRICECODE")};
    const QStringList keyValues{itemCode, ctrlType, ctrlCode, priceCode};
    int existErr = 0;
    const bool exists = CSqLiteUtility::IsExistDataValue4(
        db, QStringLiteral("CSA007"), keys[0], keyValues[0], keys[1], keyValues[1], keys[2],
        keyValues[2], keys[3], keyValues[3], existErr);
    // A floating price row gets both time stamps on every save: the register
    // and stored archives take its creation time as the time the price was set.
    return SaveRow(db, QStringLiteral("CSA007"), exists, existErr, keys, keyValues,
                   {QStringLiteral("FLOATINGPRICE"), QStringLiteral("REMARKS")},
                   {floatingPrice, QString()}, err, true);
}

bool CSqLiteItemDataUtility::DeleteRecordCSA007(CSQliteDB& db, const QString& itemCode,
                                                const QString& ctrlType, const QString& ctrlCode,
                                                const QString& priceCode, int& err)
{
    return CSqLiteUtility::DeleteRecord(db, QStringLiteral("CSA007"),
                                        {QStringLiteral("ITEMCODE"), QStringLiteral("CTRLTYPE"),
                                         QStringLiteral("CTRLCODE"), QStringLiteral("PRICECODE")},
                                        {itemCode, ctrlType, ctrlCode, priceCode}, err);
}

bool CSqLiteItemDataUtility::SaveRecordCSB002(CSQliteDB& db, const QString& code,
                                              const QString& name, const QString& functionCode,
                                              int& err)
{
    int existErr = 0;
    const bool exists = CSqLiteUtility::IsExistDataValue(
        db, QStringLiteral("CSB002"), QStringLiteral("FUNCKEYCODE"), code, existErr);
    return SaveRow(
        db, QStringLiteral("CSB002"), exists, existErr, {QStringLiteral("FUNCKEYCODE")}, {code},
        {QStringLiteral("FUNCKEYNAME"), QStringLiteral("FUNCTIONCODE"), QStringLiteral("REMARKS")},
        {name, functionCode, QString()}, err);
}

bool CSqLiteItemDataUtility::SaveRecordCSB003(CSQliteDB& db, const QString& code,
                                              const QString& setCode, const QString& value,
                                              int& err)
{
    int existErr = 0;
    const bool exists = CSqLiteUtility::IsExistDataValue2(
        db, QStringLiteral("CSB003"), QStringLiteral("FUNCKEYCODE"), code,
        QStringLiteral("FUNCSETCODE"), setCode, existErr);
    return SaveRow(db, QStringLiteral("CSB003"), exists, existErr,
                   {QStringLiteral("FUNCKEYCODE"), QStringLiteral("FUNCSETCODE")}, {code, setCode},
                   {QStringLiteral("VALUE"), QStringLiteral("REMARKS")}, {value, QString()}, err);
}

bool CSqLiteItemDataUtility::SaveRecordCMP002(CSQliteDB& db, const QString& groupCode,
                                              const QString& setCode, const QString& subCode,
                                              const QString& value, int& err)
{
    int existErr = 0;
    const bool exists = CSqLiteUtility::IsExistDataValue2(
        db, QStringLiteral("CMP002"), QStringLiteral("CUSTGROUPCODE"), groupCode,
        QStringLiteral("CUSTGROUPSETCODE"), setCode, existErr);
    return SaveRow(
        db, QStringLiteral("CMP002"), exists, existErr,
        {QStringLiteral("CUSTGROUPCODE"), QStringLiteral("CUSTGROUPSETCODE")}, {groupCode, setCode},
        {QStringLiteral("CUSTGROUPSUBCODE"), QStringLiteral("VALUE")}, {subCode, value}, err);
}

bool CSqLiteItemDataUtility::DeleteRecordCMP002(CSQliteDB& db, const QString& groupCode,
                                                const QString& setCode, int& err)
{
    return CSqLiteUtility::DeleteRecord(
        db, QStringLiteral("CMP002"),
        {QStringLiteral("CUSTGROUPCODE"), QStringLiteral("CUSTGROUPSETCODE")}, {groupCode, setCode},
        err);
}

bool CSqLiteItemDataUtility::SaveRecordCMB001(CSQliteDB& db, const QString& setKey,
                                              const QString& setValue, int& err)
{
    int existErr = 0;
    const bool exists = CSqLiteUtility::IsExistDataValue(
        db, QStringLiteral("CMB001"), QStringLiteral("SETKEY"), setKey, existErr);
    return SaveRow(db, QStringLiteral("CMB001"), exists, existErr, {QStringLiteral("SETKEY")},
                   {setKey}, {QStringLiteral("SETVALUE")}, {setValue}, err);
}
