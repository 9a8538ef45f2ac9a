#include "monitor/CMainDlg.h"

#include "monitor/CXmlDataArray.h"
#include "monitor/SignageFolder.h"
#include "monitor/TelopFile.h"

#include "shared/controls/CEcrEdit.h"
#include "shared/lang/CProgramLang.h"

#include <QLineEdit>
#include <QMetaObject>

namespace mervolt {

namespace {

void SetEditText(QLineEdit* control, const QString& text)
{
    if (!control)
        return;
    // CEcrEdit's own setter keeps its limit rule (a longer text stays whole).
    if (auto* edit = qobject_cast<CEcrEdit*>(control))
        edit->SetText(text);
    else
        control->setText(text);
}

} // namespace

CMainDlg::CMainDlg(QWidget* parent, uint templateId, int windowKind)
    : ::CMainDlg(parent, templateId, windowKind), m_state(this)
{
}

CMainDlg::~CMainDlg() = default;

bool CMainDlg::OnInitDialog()
{
    return ::CMainDlg::OnInitDialog();
}

void CMainDlg::OnDropFile(const QString&) {}

void CMainDlg::OnSubWindowConfirmed() {}

bool CMainDlg::CloseWithoutMenuItems()
{
    if (m_pMenuItems)
        return false;
    QMetaObject::invokeMethod(this, &QDialog::reject, Qt::QueuedConnection);
    return true;
}

void CMainDlg::ShowItemInControl(QLineEdit* control, const QString& type, const QString& key)
{
    if (CloseWithoutMenuItems())
        return;
    CXmlItem* menu = m_pMenuItems->FindOrAddItem(type, key);
    CXmlItem* own = OwnItems().FindOrAddItem(type, key);
    if (!menu || !own)
        return;
    own->m_strValue = menu->m_strValue;
    const QString folder = TelopFolderOf(key);
    if (folder.isEmpty()) {
        SetEditText(control, menu->m_strValue);
        return;
    }
    // A value that names no file of the folder takes the default file too.
    if (!IsBareFileName(menu->m_strValue))
        own->m_strValue = CreateDefaultTelopFile(key);
    SetEditText(control, ReadTelopFile(folder, menu->m_strValue));
}

void CMainDlg::PutOwnItemToMenu(const QString& type, const QString& key)
{
    if (CloseWithoutMenuItems())
        return;
    CXmlItem* menu = m_pMenuItems->FindOrAddItem(type, key);
    CXmlItem* own = OwnItems().FindOrAddItem(type, key);
    if (menu && own)
        menu->m_strValue = own->m_strValue;
}

void CMainDlg::GetOwnItemValue(QString& out, const QString& type, const QString& key)
{
    out.clear();
    if (CloseWithoutMenuItems())
        return;
    if (CXmlItem* own = OwnItems().FindOrAddItem(type, key))
        out = own->m_strValue;
}

void CMainDlg::TakeMenuItem(QString& out, const QString& type, const QString& key)
{
    out.clear();
    if (CloseWithoutMenuItems())
        return;
    CXmlItem* own = OwnItems().FindOrAddItem(type, key);
    if (!own)
        return;
    if (CXmlItem* menu = m_pMenuItems->FindOrAddItem(type, key))
        own->m_strValue = menu->m_strValue;
    out = own->m_strValue;
}

void CMainDlg::SetMenuModified()
{
    // A sub-window's owner is the menu.
    for (QWidget* owner = parentWidget(); owner; owner = owner->parentWidget()) {
        if (auto* menu = qobject_cast<CMainDlg*>(owner)) {
            menu->OnSubWindowConfirmed();
            return;
        }
    }
}

bool CMainDlg::SelectMediaFile(const QString& filter, qint64 sizeLimit, const QString& key,
                               const QString& folder, QLineEdit* edit, const QString& permitted)
{
    QString text = edit ? edit->text() : QString();
    if (!m_state.SelectMediaFile(filter, sizeLimit, key, folder, text, permitted))
        return false;
    SetEditText(edit, text);
    return true;
}

bool CMainDlg::DeleteMediaFile(const QString& key, const QString& folder, QLineEdit* edit)
{
    QString text = edit ? edit->text() : QString();
    if (!m_state.DeleteMediaFile(key, folder, text))
        return false;
    SetEditText(edit, text);
    return true;
}

void CMainDlg::CancelAndDiscardTemporary()
{
    EndDialog(m_state.CancelAndDiscardTemporary());
}

} // namespace mervolt
