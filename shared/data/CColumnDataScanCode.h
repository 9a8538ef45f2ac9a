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

    std::unique_ptr<CSQliteSQL> m_pSQL; // made on first use
    QString m_strTable;

private:
    // The index on the column that keeps a check from reading every row.
    void MakeIndex();
    bool m_bIndexKept = false;
};
