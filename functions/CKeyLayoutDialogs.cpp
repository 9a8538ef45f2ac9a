#include "functions/CKeyLayoutDialogs.h"

#include "functions/CFcKeyLayMatrixDlg.h"
#include "functions/CFcKeyLaySetBtnDlg.h"
#include "functions/CFcKeyLaySetMsgDlg.h"
#include "functions/CFcKeyLaySetPageDlg.h"
#include "functions/keylayout/CKeyLayoutEditor.h"

#include "platform/MessageBox.h"

namespace kesmond {

void CKeyLayoutDialogs::SetSession(CSQliteDB* db, CKeyLayoutReads* reads, CKeyLayoutEditor* editor,
                                   const CFcKeyLayCSB023* geometry)
{
    m_pDB = db;
    m_pReads = reads;
    m_pEditor = editor;
    m_pGeometry = geometry;
}

bool CKeyLayoutDialogs::EditKey(QWidget* parent, CButtonProperty& copy, CButtonStyleMgr& images)
{
    CFcKeyLaySetBtnDlg dialog(parent);
    dialog.m_pDB = m_pDB;
    dialog.m_pRecord = &copy;
    dialog.m_pImages = &images;
    dialog.m_pReads = m_pReads;
    dialog.m_pSheetRows = m_pEditor ? &m_pEditor->SheetRows() : nullptr;
    return dialog.DoModal() == platform::IDOK;
}

bool CKeyLayoutDialogs::EditSection(QWidget* parent, CButtonProperty& copy)
{
    CFcKeyLaySetMsgDlg dialog(parent);
    dialog.m_pRecord = &copy;
    return dialog.DoModal() == platform::IDOK;
}

bool CKeyLayoutDialogs::EditPage(QWidget* parent, CButtonProperty& tab, CButtonStyleMgr& images,
                                 const CFcKeyLayCSB023& geometry)
{
    CFcKeyLaySetPageDlg dialog(parent);
    dialog.m_pDB = m_pDB;
    dialog.m_pRecord = &tab;
    dialog.m_pImages = &images;
    dialog.m_pReads = m_pReads;
    dialog.m_pGeometry = &geometry;
    return dialog.DoModal() == platform::IDOK;
}

bool CKeyLayoutDialogs::EditGrid(QWidget* parent, int& columns, int& rows)
{
    CFcKeyLayMatrixDlg dialog(parent);
    dialog.m_pGeometry = m_pGeometry;
    dialog.m_nColumns = columns;
    dialog.m_nRows = rows;
    if (dialog.DoModal() != platform::IDOK)
        return false;
    columns = dialog.m_nColumns;
    rows = dialog.m_nRows;
    return true;
}

} // namespace kesmond
