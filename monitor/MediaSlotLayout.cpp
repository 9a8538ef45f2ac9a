#include "monitor/MediaSlotLayout.h"

#include "monitor/CDDropEdit.h"

#include "shared/controls/CColorButton.h"
#include "shared/controls/CEcrEdit.h"
#include "shared/dialogs/CDialogTemplate.h"

#include "platform/MessageBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace mervolt {

void AddSlotRow(CDialogTemplate& tmpl, const MonMediaSlot& slot, const QString& labelKey, int y)
{
    tmpl.Add<QLabel>(0, labelKey, 15, y + 2, 44, 10);
    if (slot.kind == MonMediaSlot::Telop) {
        tmpl.Add<CEcrEdit>(slot.editId, QString(), 60, y, 345, 12);
        return;
    }
    tmpl.Add<CDDropEdit>(slot.editId, QString(), 60, y, 215, 12);
    tmpl.Add<QPushButton>(slot.selectId, QStringLiteral("CRDC_BUTTON_SELECT"), 280, y - 1, 60, 14);
    tmpl.Add<QPushButton>(slot.deleteId, QStringLiteral("CRDC_BUTTON_DELETE"), 345, y - 1, 60, 14);
}

void AddGroup(CDialogTemplate& tmpl, const QString& key, int y, int height)
{
    tmpl.Add<QGroupBox>(0, key, 7, y, kMediaDlgWidth - 14, height);
}

void AddExplanation(CDialogTemplate& tmpl, uint id, const QString& key, int y)
{
    auto* label = tmpl.Add<QLabel>(id, key, 15, y, kMediaDlgWidth - 30, 10);
    label->setWordWrap(true);
}

void AddBottomButtons(CMainDlg& window)
{
    window.AddButton(CMainDlg::IDC_HELP, QStringLiteral("CRDM_MO_HELP"));
    window.AddButton(platform::IDOK, QStringLiteral("CRD_OK"))->setDefault(true);
    window.AddButton(platform::IDCANCEL, QStringLiteral("CRD_CANCEL"));
}

void LetGrow(QWidget* window)
{
    window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

} // namespace mervolt
