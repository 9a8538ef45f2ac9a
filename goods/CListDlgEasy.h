#pragma once

#include "goods/CListDlg.h"

#include <memory>

class QAction;
class QRadioButton;

namespace brelkin {

class CListFileCommands;
class CMainListCtrlEasy;
class CRadioGroupBox;

// The easy list window: the mode's records worked like a spreadsheet by
// keyboard. Cells are selected and moved over with the keys and the mouse,
// edited in place with F2, Enter, Tab and the arrows, and a double click
// either edits the cell or opens the record editor, as the option below the
// list says (kept in the profile). The record operations are the standard
// list window's.
class CListDlgEasy : public CListDlg
{
    Q_OBJECT

public:
    enum : uint {
        IDC_OPTION_GROUP = 23205,
        IDC_DBLCK_EDITDIRECT = 23077,
        IDC_DBLCK_SHOWDIALOG = 23078,
        IDC_PRINT = 23027,
        IDC_SEARCH = 23028,
    };
    enum : uint { ID_SELECT_ALL = 36001, ID_COPY = 36006, ID_PASTE = 36007 };
    // Where the double-click option is kept.
    static constexpr const char* kProfileSection = "ITEMSETTTING";
    static constexpr const char* kProfileKey = "DBLCLKACTION";

    CListDlgEasy(CDataManager* dataManager, uint templateId, QWidget* parent, int windowKind,
                 bool winpos);
    ~CListDlgEasy() override;

    CMainListCtrlEasy* EasyList() const { return m_pEasyList; }
    bool OnCommand(uint id) override;

    // Every row and the whole cell area.
    void SelectAll();
    // The cell selection to the clipboard as rows of tab-separated texts.
    void Copy();
    // The clipboard's rows into the records from the selection's top left
    // cell, through the result log; the selection then covers them.
    void Paste();
    CListFileCommands* FileCommands() const { return m_pFileCommands.get(); }
    // Opens the editor on the current cell; the cell selection follows.
    void StartInPlaceEdit() override;
    bool EndInPlaceEdit(int mode) override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnListDoubleClick() override;
    void OnRowSelectedAlone(int row) override;
    void ShowContextMenu(const QPoint& position) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetDblClkAction(int action);
    void PlaceOptionGroup();
    // Keys of the list while no editor is open; true when eaten.
    bool HandleListKey(const QKeyEvent* event);
    // Keys of an open editor; true when eaten.
    bool HandleInPlaceKey(QWidget* target, const QKeyEvent* event);
    void DeleteAll();

    CMainListCtrlEasy* m_pEasyList;
    std::unique_ptr<CListFileCommands> m_pFileCommands;
    CRadioGroupBox* m_pOptionGroup = nullptr;
    QRadioButton* m_pEditDirect = nullptr;
    QRadioButton* m_pShowDialog = nullptr;
    QAction* m_pSelectAll = nullptr;
    QAction* m_pCopy = nullptr;
    QAction* m_pPaste = nullptr;
};

} // namespace brelkin
