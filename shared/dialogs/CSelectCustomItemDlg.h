#pragma once

#include "shared/dialogs/CSelectItemDlg.h"

class CSQliteDB;

// A chooser that fills itself from the work database by kind: 1 departments,
// 2 items of m_strDeptCode, 3 set menus, 4 function keys.
class CSelectCustomItemDlg : public CSelectItemDlg
{
    Q_OBJECT
public:
    enum SelectType : int {
        SELECT_NONE = 0,
        SELECT_DEPT = 1,
        SELECT_ITEM = 2,
        SELECT_SETMENU = 3,
        SELECT_FUNCKEY = 4,
    };

    explicit CSelectCustomItemDlg(QWidget* parent = nullptr);
    CSelectCustomItemDlg(_E_SELITDLG layout, QWidget* parent);
    ~CSelectCustomItemDlg() override;

    // The caption and the columns of the kind from the language file;
    // appends to the columns already set, so call it once.
    void SetDialogDefaultText();
    // The default texts, then each non-empty argument in place of its text.
    void SetDialogCustomText(const QString& title, const QString& column1, const QString& column2);

    CSQliteDB* m_pSQliteDB = nullptr;
    QString m_strDeptCode;
    int m_nSelectType = SELECT_NONE;

protected:
    bool OnInitDialog() override;
};
