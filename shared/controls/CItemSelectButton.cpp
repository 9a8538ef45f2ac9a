#include "shared/controls/CItemSelectButton.h"

#include "shared/dialogs/CSelectCustomItemDlg.h"
#include "platform/MessageBox.h"

#include <QMouseEvent>

CItemSelectButton::CItemSelectButton(QWidget* parent) : CItemSetButton(parent) {}

CItemSelectButton::~CItemSelectButton() = default;

void CItemSelectButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_bReadOnly || !m_pSQliteDB) {
        event->accept();
        return;
    }
    QString deptCode;
    {
        CSelectCustomItemDlg dept(SELITDLG_TALL, nullptr);
        dept.m_pSQliteDB = m_pSQliteDB;
        dept.m_nSelectType = CSelectCustomItemDlg::SELECT_DEPT;
        dept.SetDialogDefaultText();
        if (dept.DoModal() != platform::IDOK)
            return;
        deptCode = dept.m_strSelectCode;
    }
    CSelectCustomItemDlg item(SELITDLG_TALL, nullptr);
    item.m_pSQliteDB = m_pSQliteDB;
    item.m_nSelectType = CSelectCustomItemDlg::SELECT_ITEM;
    item.m_strDeptCode = deptCode;
    item.SetDialogDefaultText();
    if (item.DoModal() != platform::IDOK)
        return;
    m_strSelectCode = item.m_strSelectCode;
    m_strSelectName = item.m_strSelectName;
    setText(m_strSelectName);
    CItemSetButton::mouseDoubleClickEvent(event);
}
