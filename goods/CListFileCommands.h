#pragma once

#include <QList>
#include <QPointer>
#include <QString>

#include <functional>

class CDataManager;
class QRect;
class QWidget;

namespace brelkin {

class CResDispDlg;
class CTextImpExp;

// The list-file commands of a list window: the list exported to and imported
// from a list file, cells copied to the clipboard and pasted back. Imports
// and pastes run the row import in the window's one result log.
class CListFileCommands
{
public:
    // refreshList: re-reads and shows the records after an import or paste.
    CListFileCommands(CDataManager* dataManager, QWidget* window, int windowKind,
                      std::function<void()> refreshList);
    ~CListFileCommands();
    CListFileCommands(const CListFileCommands&) = delete;
    CListFileCommands& operator=(const CListFileCommands&) = delete;

    // The window that takes the focus after a file dialog, a message or the
    // log (the list control).
    void SetFocusWindow(QWidget* list) { m_pFocusWindow = list; }
    CResDispDlg* Log() const { return m_pLog; }

    bool ExportList();
    bool ImportList();
    // selection: list columns left to right of list rows top to bottom;
    // columnMap: the column list index of each list column.
    bool CopyCells(const QRect& selection, const QList<int>& columnMap);
    // Pastes the clipboard's rows at the selection's top left cell; the
    // selection then covers the pasted block.
    bool PasteCells(QRect& selection);
    bool PasteRows(CTextImpExp& data, QRect& selection);

private:
    // The file dialog with the list's name, extension and filter; "" when
    // cancelled. The list takes the focus afterwards.
    QString ChooseFile(bool save);
    void NewLog();
    // The one message for a file the import does not read: it cannot be
    // opened (opened false), its text does not decode, or it is no list file
    // of the list.
    void RefuseListFile(const CTextImpExp& data, bool opened, const QString& path);
    void Focus();

    CDataManager* m_pDataManager;
    QPointer<QWidget> m_pWindow;
    int m_nWindowKind;
    std::function<void()> m_refreshList;
    QPointer<QWidget> m_pFocusWindow;
    QPointer<CResDispDlg> m_pLog; // a child of the window
};

} // namespace brelkin
