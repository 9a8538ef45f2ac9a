#include "goods/base/CTabbedDlg.h"

#include "shared/controls/FindControlById.h"

#include "platform/MessageBox.h"

#include <QTabWidget>

CTabbedDlg::CTabbedDlg(QWidget* parent, uint templateId, int windowKind)
    : CMainDlg(parent, templateId, windowKind)
{
}

CTabbedDlg::~CTabbedDlg() = default;

void CTabbedDlg::SetTabControl(QTabWidget* tab)
{
    m_pTab = tab;
    SetControlId(m_pTab, IDC_TAB);
}

void CTabbedDlg::SetTabOrder(QWidget* first)
{
    QWidget* last = first;
    for (int i = 0; i < m_pTab->count(); ++i) {
        QWidget* page = m_pTab->widget(i);
        for (QWidget* w = page->nextInFocusChain(); page->isAncestorOf(w);
             w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                last = w;
    }
    for (uint id : {uint(platform::IDOK), uint(platform::IDCANCEL), uint(IDC_HELP)}) {
        QWidget* button = FindControlById(this, id);
        QWidget::setTabOrder(last, button);
        last = button;
    }
}

void CTabbedDlg::ShowPage(int index)
{
    m_pTab->setCurrentIndex(index);
    QWidget* page = m_pTab->widget(index);
    // A hidden control would take the focus out of sight.
    for (QWidget* w = page ? page->nextInFocusChain() : nullptr; w && page->isAncestorOf(w);
         w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(page)) {
            w->setFocus(Qt::TabFocusReason);
            return;
        }
}

void CTabbedDlg::OnOK()
{
    for (int i = 0; i < m_pTab->count(); ++i) {
        const unsigned id = CheckPage(i);
        if (QWidget* control = id ? FindControlById(m_pTab->widget(i), id) : nullptr) {
            m_pTab->setCurrentIndex(i);
            control->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    ConfirmSaveAndEnd([this] { return SaveAllPages(); });
}
