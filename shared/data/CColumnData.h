#pragma once

// One column of a settings table bound to one dialog control: the column
// (name, type, size, key and NOT NULL facts, default for new rows), its label
// (a language key) and the control that shows and edits its value.
//
// Every settings program derives its own column types from this class, so
// the order of the virtual operations below is part of the library's
// interface: add new ones only at the end.

#include "stroven/Stroven.h"

#include <QString>

class QWidget;

// m_strDefaultValue when new rows get no default for the column.
inline constexpr const char* kNonDefaultValue = "NON DEFAULT VALUE";
// m_strOwnTable when the column has no key/value table of its own.
inline constexpr const char* kNonTableName = "NON TABLE NAME";

// SetFieldInfo results.
enum ColumnInfoResult : int {
    COLUMNINFO_OK = 0,
    COLUMNINFO_NO_TABLE_INFO = 1, // the table information could not be read
    COLUMNINFO_MISSING = 2,       // the table has no column of this name
};

class CColumnData
{
public:
    CColumnData();
    CColumnData(const QString& column, const QString& labelKey, uint ctrlId, uint labelCtrlId);
    CColumnData(const CColumnData&) = delete;
    CColumnData& operator=(const CColumnData&) = delete;

    // Virtual operations, in their fixed order.
    virtual ~CColumnData();
    // Label width and column facts from the table information of the
    // column's table; COLUMNINFO_OK, else the column's facts are unknown.
    virtual int SetFieldInfo(const CSQTableInfoArray* tableInfo);
    // Display text of a stored value.
    virtual QString GetDescript(QString value);
    // Display width in characters.
    virtual int GetDescriptWidth();
    // Fills the control's choices.
    virtual void ReadCandidate(QWidget* control);
    virtual void SetControlValue(QWidget* control, const QString& value);
    virtual void GetControlValue(QWidget* control, QString& value);
    virtual bool CheckControlValue(QWidget* control);
    // Releases candidates and statements.
    virtual void FreeResorce();
    // Checks a value that arrives without a control (bulk update, import).
    virtual bool CheckItemValue(QString keyColumn, QString keyValue, QString value);
    // The control's value as an in-place cell editor takes it.
    virtual void GetPreEditValue(QWidget* control, QString& value);
    // After the list wrote the row (action 0) or deleted it (action 1).
    virtual void SaveItemEX(int action);
    virtual QString GetDefaultValue();
    virtual void SetDefaultValue(QString value);

    int GetType() const { return m_nType; }
    void SetSQliteDB(CSQliteDB* db) { m_pSQliteDB = db; }
    bool HasDefaultValue() { return GetDefaultValue() != QLatin1String(kNonDefaultValue); }
    bool HasOwnTable() const { return m_strOwnTable != QLatin1String(kNonTableName); }

    QString m_strColumnName;
    QString m_strLabelKey;   // "" = no label
    uint m_nCtrlID = 0;      // 0 = no control
    uint m_nLabelCtrlID = 0; // 0 = no label control
    QString m_strErrMsg;     // text of the last failed check
    int m_nLabelWidth = 0;   // label text width in half-width columns
    int m_nPrimaryKey = 0;
    int m_nType = 0; // SQLTYPE_*, 0 until the table information is read
    int m_nSize = 0;
    int m_nDecimals = 0;
    bool m_bNullable = true;
    CSQliteDB* m_pSQliteDB = nullptr; // not owned
    bool m_bVisible = true;
    QString m_strDefaultValue = QLatin1String(kNonDefaultValue);
    int m_nOverrideSize = 0; // non-zero: replaces the table's size and decimals
    int m_nOverrideDecimals = 0;
    int m_nEditLimit = 0; // non-zero: edit text limit in place of m_nSize
    bool m_bNotSave = false;
    QString m_strOwnTable = QLatin1String(kNonTableName);
    QString m_strOwnKeyColumn;
    QString m_strOwnKeyValue;
    QString m_strOwnCreateTime; // CREATEDATETIME as last read, "" = no row yet
    bool m_bOwnTable = false;   // written to m_strOwnTable when the list is saved
};
