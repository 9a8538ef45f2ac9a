#pragma once

class CDataManager;
class CMainListCtrl;
class CRecordListModel;
class QWidget;

namespace brelkin {

class CPageDlg;

// What the in-place cell editor asks of the list window it edits in, so
// that the editor needs nothing else of the window.
class IListInPlaceHost
{
public:
    // Parents the lent control and the radio popup; the messages' owner.
    virtual QWidget& Window() = 0;
    virtual CDataManager* DataManager() const = 0;
    virtual CRecordListModel* Model() const = 0;
    virtual CMainListCtrl* List() const = 0;
    // The window's own steps around an edit, so that a window kind can
    // follow them.
    virtual void StartInPlaceEdit() = 0;
    virtual bool EndInPlaceEdit(int mode) = 0;
    // The hidden page that lends its control to the editor.
    virtual CPageDlg* CreatePageDlg() = 0;

protected:
    ~IListInPlaceHost() = default;
};

} // namespace brelkin
