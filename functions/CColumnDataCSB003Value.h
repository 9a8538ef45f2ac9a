#pragma once

#include "shared/data/CColumnData.h"

namespace kesmond {

// A key's amount or rate, kept as the "VALUE" row of the key's settings in
// table CSB003. The column stands on the key column, so the key's row keeps
// its key; getting the control's value writes the settings row (the page
// deletes the old ones first, in the same transaction).
class CColumnDataCSB003Value : public CColumnData
{
public:
    enum AmountKind { Rate = 0, Amount = 1 };

    CColumnDataCSB003Value(const QString& column, const QString& labelKey, uint ctrlId,
                           uint labelCtrlId, int mayBeEmpty, int amountKind, int size,
                           int decimals);
    ~CColumnDataCSB003Value() override;

    int SetFieldInfo(const CSQTableInfoArray* tableInfo) override;
    QString GetDescript(QString value) override;
    void ReadCandidate(QWidget* control) override;
    void SetControlValue(QWidget* control, const QString& value) override;
    void GetControlValue(QWidget* control, QString& value) override;
    bool CheckControlValue(QWidget* control) override;
    void FreeResorce() override;
    void SaveItemEX(int action) override;

    // Own operations, in their order.
    virtual void ShowStoredValue(QWidget* edit, const QString& stored);
    virtual void ReadEditText(QWidget* edit, QString& text);
    virtual void SetEditDigits(QWidget* edit);

    int AmountKindOf() const { return m_nAmountKind; }
    // Status of the last settings-row write (0 also when none was made).
    int GetLastWriteStatus() const { return m_nLastWriteStatus; }

private:
    int m_nAmountKind;
    QString m_strKeyCode; // key of the row being edited
    int m_nLastWriteStatus = 0;
};

} // namespace kesmond
