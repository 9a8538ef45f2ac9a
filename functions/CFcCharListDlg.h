#pragma once

#include "functions/CFkListDlg.h"

namespace kesmond {

class CFcCharDetailDlg;

// The register's character strings (table CSB007), each with the title of
// its code; a text is changed in the text dialog. Rows the data marks as
// hidden are not shown, and strings are neither added nor deleted.
class CFcCharListDlg : public CFkListDlg
{
    Q_OBJECT

public:
    CFcCharListDlg(CDataManager* dataManager, uint templateId, QWidget* parent, int windowKind);
    ~CFcCharListDlg() override;

signals:
    // The text dialog of a row is about to run (tests drive it from here).
    void textDialogOpening(kesmond::CFcCharDetailDlg* dialog);

protected:
    bool ReadList(int& err) override;
    void SetUpList() override;
    void OnOK() override;

private:
    // The height of a row whose text has that many lines.
    int RowHeight(int lines) const;
    // Rows first to last (all by default) as high as their texts.
    void FitRowsToText(int first = 0, int last = -1);
};

} // namespace kesmond
