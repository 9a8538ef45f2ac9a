#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>

class QEvent;
class QModelIndex;

namespace brelkin {

class CPageDlg;
class IListInPlaceHost;
class CSelectRadioDlg;

// The list window's in-place cell editor: a hidden page of the record lends
// the column's own control (or the radio popup) to lie over the cell; ending
// it saves the record and the same value into every other selected row.
// Enter moves by rows, Tab by columns; Escape ends the cell edit only.
class CListInPlaceEditor : public QObject
{
    Q_OBJECT

public:
    // The window's StartInPlaceEdit and EndInPlaceEdit open and end the
    // editor, so that a window kind can follow them.
    explicit CListInPlaceEditor(IListInPlaceHost& window);
    ~CListInPlaceEditor() override;

    // Off: a click never opens the editor.
    void SetClickToEdit(bool enable) { m_bClickToEdit = enable; }
    // A single click opens the editor once the double-click time has passed.
    void OnClick(const QModelIndex& index);
    // A double click or a menu came first: no editor for that click.
    void CancelClick(bool doubleClick);

    void Start();
    // Mode 0 saves, mode 1 only a changed value; true when it saved.
    bool End(int mode);
    bool ApplyToSelectedRows(const QString& value);
    // Key 0x0D (Enter) moves by rows, 0x09 (Tab) by columns, any other only
    // keeps the row; shift moves backwards. Mode as End.
    void Move(int mode, int key, bool shift);
    // Mode 1 ends an open editor, saving a changed value.
    void EndByScroll();
    // Drops an editor without saving.
    void Discard();
    // Mouse presses and keys anywhere in the window end or move an open
    // editor; true when the event is eaten.
    bool FilterEvent(QObject* watched, QEvent* event);

    QWidget* Control() const { return m_pInPlaceCtrl; }
    CSelectRadioDlg* RadioPopup() const { return m_pRadioPopup; }
    CPageDlg* Page() const { return m_pPage; }
    int Row() const { return m_nEditRow; }
    int Column() const { return m_nEditColumn; }
    void SetCell(int row, int column)
    {
        m_nEditRow = row;
        m_nEditColumn = column;
    }

private:
    void OnClickTimer();
    QRect EditCellRect();
    // Puts the lent control back on its page.
    void ReturnControl();

    IListInPlaceHost& m_host;
    QWidget& m_window;
    bool m_bClickToEdit = true;
    int m_nEditRow = -1;
    int m_nEditColumn = -1;
    bool m_bBusy = false;
    CPageDlg* m_pPage = nullptr;
    QWidget* m_pInPlaceCtrl = nullptr;
    QWidget* m_pInPlaceCtrlParent = nullptr;
    QWidget* m_pEditedCtrl = nullptr;
    int m_nEditedListColumn = -1;
    CSelectRadioDlg* m_pRadioPopup = nullptr;
    bool m_bDblClick = false;
    QString m_strPreEditValue;
    QTimer m_clickTimer;
};

} // namespace brelkin
