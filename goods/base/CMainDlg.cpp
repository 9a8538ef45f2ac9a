#include "goods/base/CMainDlg.h"

#include "goods/base/CEnterKeyFilter.h"
#include "goods/base/ProgramMessage.h"
#include "goods/base/RegisterDialogClass.h"

#include "shared/config/CHelpMgr.h"
#include "shared/controls/CColorButton.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/CProgramLang.h"

#include "platform/MessageBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QScreen>

#include <algorithm>
#include <vector>

namespace {

CButtonTable& buttonTable()
{
    static CButtonTable table;
    return table;
}

constexpr uint kListCtrlId = 23001;

} // namespace

CMainDlg::CMainDlg(QWidget* parent, uint templateId, int windowKind)
    : CSarvikDialog(parent), m_nTemplateId(templateId), m_nWindowKind(windowKind)
{
    if (!parent)
        setObjectName(RegisteredDialogClass());
    new CEnterKeyFilter(this, false);
}

CMainDlg::~CMainDlg() = default;

void CMainDlg::SetButtonTable(const CButtonTable& table)
{
    buttonTable() = table;
}

const CButtonTable& CMainDlg::ButtonTable()
{
    return buttonTable();
}

// The program's own module translates its windows.
void CMainDlg::SetLangTexts()
{
    SetDialogLangTexts(this);
}

bool CMainDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    setMinimumSize(0, 0);
    // A size the window's constructor asked for is a floor: the layout's
    // hint alone shrank the goods list to two columns.
    const bool sized = testAttribute(Qt::WA_Resized);
    const QSize given = size();
    if (layout())
        adjustSize();
    if (sized)
        resize(size().expandedTo(given));
    // The layout's hint knows nothing of the table's buttons: the window is
    // widened until no two of them overlap.
    int width = this->width();
    while (width < kWidestWindow && TableButtonsOverlap(width))
        width += 8;
    if (width > this->width())
        resize(width, height());
    ColorDialogButtons();
    // Never smaller than at start-up.
    setMinimumSize(size());
    return true;
}

bool CMainDlg::TableButtonsOverlap(int width)
{
    const CButtonTable& table = ButtonTable();
    std::vector<QRect> placed;
    for (int i = 0; i < table.count; ++i) {
        const ButtonColorRow& row = table.rows[i];
        // A button the window hides (the image editor's Help) takes no place.
        const auto* button = qobject_cast<CColorButton*>(FindControlById(this, row.ctrlId));
        if (!button || button->isHidden() ||
            (table.shown && !table.shown(row.ctrlId, m_nWindowKind)))
            continue;
        const ButtonPlacement place =
            m_bEditorLayout && row.editor
                ? *row.editor
                : ButtonPlacement{row.align, row.index, row.count, row.row};
        const auto rect = CColorButton::AdjustRect(QRect(0, 0, width, height()), 0, place.align,
                                                   place.index, place.count, place.row, false);
        if (!rect)
            continue;
        for (const QRect& other : placed)
            if (other.adjusted(-kButtonGap, 0, kButtonGap, 0).intersects(*rect))
                return true;
        placed.push_back(*rect);
    }
    return false;
}

void CMainDlg::ColorDialogButtons()
{
    const CButtonTable& table = ButtonTable();
    for (int i = 0; i < table.count; ++i) {
        const ButtonColorRow& row = table.rows[i];
        QWidget* control = FindControlById(this, row.ctrlId);
        if (!control)
            continue;
        if (table.shown && !table.shown(row.ctrlId, m_nWindowKind)) {
            control->setEnabled(false);
            control->hide();
            continue;
        }
        auto* button = qobject_cast<CColorButton*>(control);
        if (!button)
            continue;
        button->SetColor(row.color.value_or(palette().color(QPalette::Button)));
        const ButtonPlacement place =
            m_bEditorLayout && row.editor
                ? *row.editor
                : ButtonPlacement{row.align, row.index, row.count, row.row};
        button->Adjust(this, place.align, place.index, place.count, place.row, false);
    }
}

bool CMainDlg::OnCommand(uint id)
{
    switch (id) {
    case IDC_CLOSE:
        EndDialog(platform::IDCANCEL);
        return true;
    case IDC_HELP:
        CHelpMgr::ShowHelpToolManual(this);
        return true;
    case IDC_NOTHING:
        return true;
    }
    return false;
}

CColorButton* CMainDlg::AddButton(uint id, const QString& key)
{
    auto* button = new CColorButton(this);
    SetControlId(button, id);
    button->setText(key);
    button->resize(112, 28);
    connect(button, &QPushButton::clicked, this, [this, id] {
        if (id == platform::IDOK)
            accept();
        else if (id == platform::IDCANCEL)
            reject();
        else
            OnCommand(id);
    });
    return button;
}

bool CMainDlg::FocusControl(uint id)
{
    QWidget* control = FindControlById(this, id);
    if (control && id == kListCtrlId) {
        const auto* view = qobject_cast<QAbstractItemView*>(control);
        if (view && (!view->model() || view->model()->rowCount() == 0))
            control = nullptr;
    }
    if (!control)
        control = FindControlById(this, platform::IDCANCEL);
    if (!control)
        return false;
    control->setFocus(Qt::OtherFocusReason);
    return true;
}

void CMainDlg::resizeEvent(QResizeEvent* event)
{
    CSarvikDialog::resizeEvent(event);
    if (!isMinimized())
        ColorDialogButtons();
}

void CMainDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        OnCommand(IDC_HELP);
        return;
    }
    CSarvikDialog::keyPressEvent(event);
}

void CMainDlg::ConfirmSaveAndEnd(const std::function<bool()>& save)
{
    if (ShowProgramMessage(this, QStringLiteral("CRDS_CMN_COMFIRM_SAVE"),
                           platform::MessageIcon::Warning,
                           platform::MessageButtons::OkCancel) != platform::IDOK)
        return;
    if (!save()) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETWRITE_FAILED"),
                           platform::MessageIcon::Error);
        return;
    }
    EndDialog(platform::IDOK);
}

void CMainDlg::KeepOnScreen()
{
    if (!isVisible() || !screen())
        return;
    const QRect area = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    QPoint to = frame.topLeft();
    to.setX(std::max(area.left(), std::min(to.x(), area.right() + 1 - frame.width())));
    to.setY(std::max(area.top(), std::min(to.y(), area.bottom() + 1 - frame.height())));
    if (to != frame.topLeft())
        move(to);
}
