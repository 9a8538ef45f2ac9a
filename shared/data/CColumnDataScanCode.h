#pragma once

#include "shared/data/CColumnData.h"

#include <memory>

// An item's scan code, which no other item may carry (the goods program
// checks it; the monitor's item-image list only shows it).
class CColumnDataScanCode : public CColumnData
{
public:
    // table: the table whose rows are searched for the same code.
    CColumnDataScanCode(const QString& column, const QString& labelKey, uint ctrlId,
                        uint labelCtrlId, const QString& table);
    ~CColumnDataScanCode() override;

    // Checks the control's text against every item but the one the page
    // shows (its code is in control 23019 beside the edit).
    bool CheckControlValue(QWidget* control) override;
    // TRUE when no row but the one of keyName = keyValue holds value; an
    // empty value always passes.
    bool CheckItemValue(QString keyName, QString keyValue, QString value) override;
    // Drops the statement (before its connection closes).
    void FreeResorce() override;

    std::unique_ptr<CSQliteSQL> m_pSQL; // made on first use; reads through the index
    QString m_strTable;

private:
    // 1 when a row but keyValue's own holds value, 0 when none, -1 when the
    // read fails (a missing index among the causes). preparedKey: the key
    // column sql's read is prepared for ("" none).
    int HeldByAnother(CSQliteSQL& sql, QString& preparedKey, const QString& keyName,
                      const QString& keyValue, const QString& value);
    // The index on the column that keeps a check from reading every row.
    QString IndexName() const;
    void MakeIndex();

    QString m_strPreparedKey; // the key column m_pSQL's read is prepared for
};
