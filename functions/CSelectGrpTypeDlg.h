#pragma once

#include "shared/dialogs/CSarvikDialog.h"

#include <QString>

class CSQliteDB;

namespace kesmond {

class CButtonProperty;
class CButtonStyleMgr;
class CImageDataCSB012;
class CKeyLayoutReads;
class CListBoxGrpType;

// A key or tab style taken in the style chooser.
struct ChosenStyle
{
    QString controlType, theme, code;
    int foreColor = 0, backColor = 0, optionColor = 0;
};

// The style chooser: the 15 styles of a family drawn as samples; OK or a
// double-click takes the selected one.
class CSelectGrpTypeDlg : public CSarvikDialog
{
    Q_OBJECT
public:
    enum : uint { IDD = 3032, IDC_LIST = 23190 };

    explicit CSelectGrpTypeDlg(QWidget* parent = nullptr);
    ~CSelectGrpTypeDlg() override;

    CListBoxGrpType* List() const { return m_pList; }

    CKeyLayoutReads* m_pReads = nullptr;  // not owned
    CButtonStyleMgr* m_pImages = nullptr; // not owned
    int m_nKind = 0;                      // 0 item keys, 1 function keys, 2 tabs
    int m_nForeColor = 0;
    int m_nBackColor = 0;
    int m_nOptionColor = 0;
    ChosenStyle m_result;

protected:
    bool OnInitDialog() override;
    void SetLangTexts() override;
    void OnOK() override;

private:
    // False for an entry with no style behind it.
    bool TakeStyle(int row);

    CListBoxGrpType* m_pList;
};

// Runs the chooser of a kind with the key's colours; false when cancelled.
bool RunStyleChooser(QWidget* parent, CKeyLayoutReads* reads, CButtonStyleMgr* images, int kind,
                     const CButtonProperty& key, ChosenStyle& style);

// The new background a chosen style gives: a copy of the current one (when
// there is one) that takes the style's image, marked changed and extracted;
// the key takes the style's colours. The caller owns the record; it is never
// one of the cache's resident records.
CImageDataCSB012* NewStyleBackground(CSQliteDB* db, const CImageDataCSB012* current,
                                     CKeyLayoutReads& reads, const ChosenStyle& style,
                                     CButtonProperty& key);

} // namespace kesmond
