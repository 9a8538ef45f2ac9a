#pragma once

// The base of this program's windows: the suite's dialog base with the
// program's button table, plus what a sub-window needs to edit preference
// items safely: the menu's items (not owned), its own working copies and a
// file dropped on one of its edits.

#include "goods/base/CMainDlg.h"
#include "monitor/CMonWindowState.h"

#include <QString>

class QLineEdit;

namespace mervolt {

class CXmlDataArray;

class CMainDlg : public ::CMainDlg
{
    Q_OBJECT

public:
    CMainDlg(QWidget* parent, uint templateId, int windowKind);
    ~CMainDlg() override;

    // The menu's preference items; a sub-window without them closes itself.
    void SetMenuItems(CXmlDataArray* items) { m_pMenuItems = items; }
    CXmlDataArray* MenuItems() const { return m_pMenuItems; }
    CXmlDataArray& OwnItems() { return m_state.OwnItems(); }
    CMonWindowState& State() { return m_state; }

    void SetDroppedPath(const QString& path) { m_state.SetDroppedPath(path); }
    const QString& DroppedPath() const { return m_state.DroppedPath(); }
    // A file dropped on a picture preview of the window; nothing here.
    virtual void OnDropFile(const QString& path);

    // Item operations: each closes the window (queued) and does nothing else
    // when there are no menu items.
    // The menu's value into the own item, then into the control; a telop
    // slot shows its file's text (an empty value takes the default file).
    void ShowItemInControl(QLineEdit* control, const QString& type, const QString& key);
    // The own item's value into the menu's item.
    void PutOwnItemToMenu(const QString& type, const QString& key);
    // out := the own item's value ("" when it cannot be had).
    void GetOwnItemValue(QString& out, const QString& type, const QString& key);
    // The menu's value into the own item and out.
    void TakeMenuItem(QString& out, const QString& type, const QString& key);

    // Marks the menu (the window's owner) modified.
    void SetMenuModified();
    // What the menu does when a sub-window was confirmed; nothing here.
    virtual void OnSubWindowConfirmed();

    // Chooses (the dropped file, else the file dialog), checks and copies a
    // media file into the work copy of folder; the edit shows its name.
    bool SelectMediaFile(const QString& filter, qint64 sizeLimit, const QString& key,
                         const QString& folder, QLineEdit* edit, const QString& permitted);
    bool DeleteMediaFile(const QString& key, const QString& folder, QLineEdit* edit);
    // Removes the work copy and ends the window with IDCANCEL.
    void CancelAndDiscardTemporary();

protected:
    bool OnInitDialog() override;
    // True (and the window closing) when there are no menu items.
    bool CloseWithoutMenuItems();

private:
    CXmlDataArray* m_pMenuItems = nullptr;
    CMonWindowState m_state;
};

} // namespace mervolt
