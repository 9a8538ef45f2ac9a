#pragma once

// The fixed queries and writes on the settings tables that several windows
// share: the code/name lists of the choosers, an item's price, floating
// prices, function keys, options and a few key/value settings. Every value
// reaches SQL bound or escaped.

#include "shared/data/CStringArrayPtrList.h"

#include <QString>
#include <QStringList>

class CSQliteDB;

class CSqLiteItemDataUtility
{
public:
    // Lists: rows appended to out (free with FreeListData); the number of
    // rows, -1 on a failed query, 0 without a database.
    static int AllocDeptList(CSQliteDB* db, CStringArrayPtrList& out);
    // Every item when deptCode is empty.
    static int AllocItemList(CSQliteDB* db, CStringArrayPtrList& out, const QString& deptCode);
    static int AllocSetMenuList(CSQliteDB* db, CStringArrayPtrList& out);
    // Function keys of the selectable function type: key code, name, function code.
    static int AllocFuncList(CSQliteDB* db, CStringArrayPtrList& out);
    static void FreeListData(CStringArrayPtrList& list);

    // Single values: "" for a missing row or a failed query.
    // column must be a column of CIA001; any other name gives "".
    static QString GetUnitPrice(CSQliteDB* db, const QString& itemCode, const QString& column);
    static QString GetFuncKeyName(CSQliteDB* db, const QString& code);
    static QString GetFunctionCode(CSQliteDB* db, const QString& code);
    static QString GetDiscountTarget(CSQliteDB* db, const QString& code);
    static QString GetCustGroupSubCode(CSQliteDB* db, const QString& groupCode,
                                       const QString& unused = {});
    static QString GetCustGroupValue(CSQliteDB* db, const QString& groupCode,
                                     const QString& unused = {});

    // Options: each "" when its row is missing; false when a query fails.
    static bool GetFuncKeyRange(CSQliteDB* db, QString& start, QString& end);
    // Values of the floating-department options 01 to 10 that exist, in order.
    static bool GetFloatingDept(CSQliteDB* db, QStringList& out);

    // Update when the row exists, else insert. An update keeps the row's
    // CREATEDATETIME; a failed existence test fails the save.
    static bool SaveRecordCSA007(CSQliteDB& db, const QString& itemCode, const QString& ctrlType,
                                 const QString& ctrlCode, const QString& priceCode,
                                 const QString& floatingPrice, int& err);
    static bool DeleteRecordCSA007(CSQliteDB& db, const QString& itemCode, const QString& ctrlType,
                                   const QString& ctrlCode, const QString& priceCode, int& err);
    static bool SaveRecordCSB002(CSQliteDB& db, const QString& code, const QString& name,
                                 const QString& functionCode, int& err);
    static bool SaveRecordCSB003(CSQliteDB& db, const QString& code, const QString& setCode,
                                 const QString& value, int& err);
    static bool SaveRecordCMP002(CSQliteDB& db, const QString& groupCode, const QString& setCode,
                                 const QString& subCode, const QString& value, int& err);
    static bool DeleteRecordCMP002(CSQliteDB& db, const QString& groupCode, const QString& setCode,
                                   int& err);
    static bool SaveRecordCMB001(CSQliteDB& db, const QString& setKey, const QString& setValue,
                                 int& err);

private:
    static int AllocList(CSQliteDB* db, const QString& table, const QStringList& columns,
                         const QString& where, const QString& order, CStringArrayPtrList& out);
    static QString ReadValue(CSQliteDB* db, const QString& table, const QString& column,
                             const QString& where, bool* failed = nullptr);
    // exists: the result of the existence test run by the caller (err set).
    // An update keeps "CREATEDATETIME" unless renewCreation is set.
    static bool SaveRow(CSQliteDB& db, const QString& table, bool exists, int existErr,
                        const QStringList& keyColumns, const QStringList& keyValues,
                        QStringList valueColumns, QStringList values, int& err,
                        bool renewCreation = false);
};
