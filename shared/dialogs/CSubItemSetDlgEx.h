#pragma once

#include "shared/dialogs/CSubItemSetDlg.h"

class CColumnData;

// The one-value dialog driven by a column descriptor: in the drop-down form
// the column fills the list with its candidates and reads the choice by its
// own rules. Without a column it is the plain dialog.
class CSubItemSetDlgEx : public CSubItemSetDlg
{
    Q_OBJECT

public:
    explicit CSubItemSetDlgEx(QWidget* parent = nullptr);
    CSubItemSetDlgEx(QWidget* parent, E_DlgTypeTag form, int allInOne);
    ~CSubItemSetDlgEx() override;

    // Not owned.
    void SetColumnData(CColumnData* column) { m_pColumnData = column; }

    bool SetValueImportTextData(const QString& text, int allowEmpty,
                                CErrDataInfo::DataErrTypetag& errorType,
                                QString& errorKey) override;

protected:
    bool SetValueToControl() override;
    bool GetValueToControl() override;

private:
    bool DrivenByColumn() const;

    CColumnData* m_pColumnData = nullptr;
};
