#pragma once

#include "functions/CFcListAccess.h"
#include "functions/FcListTypeTable.h"
#include "shared/data/CColumnDataList.h"

#include <QList>
#include <QStringList>

#include <memory>

namespace kesmond {

// The function keys of table CSB002 as the function program lists them:
// with the function-key flag 1 the keys whose function is in the function
// master (CSM018 when it holds rows, else CSM009), otherwise the keys of the
// current function list in its order; column 0 the running number, column 1
// the key. Also the reads of the function properties (CSM015), their choices
// (CSM014) and the key settings (CSB003) the detail pages use.
class CFcColumnDataList : public CColumnDataList
{
public:
    CFcColumnDataList(const QString& table, CColumnData** columns, int functionKeyFlag);
    ~CFcColumnDataList() override;

    bool ReadRecords(int& err, QString order) override;
    bool DeleteRecord(QStringList& row, int& err) override;
    void SetReadColumnsData(QStringList& columns) override;

    // Chooses the function master and the function-list table.
    void ChooseTables();
    QString GetMasterTable();
    QString GetFunctionListTable() const { return m_strFuncListTable; }
    // The list types of the chosen layout, named in the program's language.
    std::vector<FcListType>& ListTypes() { return m_arrListTypes; }
    // The chosen layout's list access (nullptr before ChooseTables).
    CFcListAccess* ListAccess() const { return m_pListAccess.get(); }

    // List operations, forwarded to the chosen layout.
    bool ReadListIds(int& err);
    void SetCurrentList(const QString& listId);
    const QString& GetCurrentList() const { return m_strCurrentList; }
    // Adds a new key (the lowest free code from "050000") at the end of the
    // current list: its item and its CSB002 row in one transaction, the
    // records read again; key the new key.
    enum class AddResult { Added, InsertFailed, SaveFailed };
    AddResult AddListKey(int& err, QString& key);
    // Takes the key off the current list; its CSB002 row and settings go as
    // well when no other row of the list table refers to it. All in one
    // transaction, the records read again.
    bool RemoveListKey(int& err, const QString& key);
    int FunctionKeyFlag() const { return m_nFunctionKeyFlag; }

    // Whether table CSM015 defines any function property.
    bool HasFunctionProperties();
    bool IsFunctionInMaster(const QString& code);
    // The choices {value, name} of one property of a function, by list
    // number; only the one of that value when a value is given. No property
    // id: true and no rows.
    bool ReadFunctionChoices(int& err, QList<QStringList>& out, const QString& functionCode,
                             const QString& propertyId, const QString& value = QString());
    // Deletes every settings row (CSB003) of the key.
    bool DeleteSetValues(int& err, const QString& key);

private:
    QString m_strMasterTable;
    QString m_strFuncListTable;
    std::vector<FcListType> m_arrListTypes;
    std::unique_ptr<CFcListAccess> m_pListAccess;
    QString m_strCurrentList;
    int m_nFunctionKeyFlag;
};

} // namespace kesmond
