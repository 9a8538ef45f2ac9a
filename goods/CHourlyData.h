#pragma once

#include <QString>
#include <QSet>

#include <memory>

class CSQliteDB;
class CSQliteSQL;

namespace brelkin {

// The targets of the hourly report (table CSB014), on a connection of its
// own to the work database. A save rewrites the whole table in one
// transaction: the old rows go inside it, so a failed save leaves the old
// targets.
class CHourlyData
{
public:
    enum : int { KindDepartment = 0, KindItem = 1 };

    // database: the work database (never created here); "" for the local
    // data folder's "SETTING.DB".
    explicit CHourlyData(const QString& database = QString());
    virtual ~CHourlyData();
    CHourlyData(const CHourlyData&) = delete;
    CHourlyData& operator=(const CHourlyData&) = delete;

    // Reads the item ("14") and department ("15") targets; other types are
    // left out. False with the database status on failure.
    bool ReadTargets(int& status);
    // Kind 1 looks among the items, any other kind among the departments.
    bool IsTarget(int kind, const QString& code) const;

    // BeginSave, AddTarget for each target in order, EndSave: the rows get
    // running numbers from "001" and the save's one time stamp. A failure
    // anywhere makes EndSave roll back and fail; status is the first
    // failure's.
    bool BeginSave(int& status);
    bool AddTarget(int kind, const QString& code, int& status);
    bool EndSave(int& status);

private:
    bool Open(int& status);

    QString m_strDatabase;
    std::unique_ptr<CSQliteDB> m_pDB;
    std::unique_ptr<CSQliteSQL> m_pWriter;
    int m_nNextNumber = 1;
    QString m_strTimestamp;
    QSet<QString> m_itemCodes;
    QSet<QString> m_deptCodes;
    bool m_bAllWritten = false;
    int m_nFirstFailure = 0;
};

} // namespace brelkin
