#include "goods/CHourlyListDlg.h"

#include "goods/CHourlyData.h"
#include "goods/CHourlyListModel.h"
#include "goods/base/CMainListCtrl.h"
#include "goods/base/ProgramMessage.h"
#include "goods/base/WindowPlacement.h"

#include "shared/config/CBasePath.h"
#include "shared/config/PitchFontName.h"
#include "shared/controls/CColorButton.h"
#include "shared/controls/EditSize.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "shared/program/CMainWndCtrl.h"

#include <QHeaderView>
#include <QLabel>
#include <QResizeEvent>
#include <QTimer>

namespace brelkin {

namespace {

const QString kDatabaseName = QStringLiteral("\\SETTING.DB");
constexpr uint kRight = 1;
constexpr uint kLeft = 2;
constexpr int kCheckBoxWidth = 16;

} // namespace

CHourlyListDlg::CHourlyListDlg(CDataManager* departments, CDataManager* items, uint templateId,
                               QWidget* parent, int windowKind)
    : CMainDlg(parent, templateId, windowKind), m_pDepartments(departments), m_pItems(items)
{
    CDialogTemplate tmpl(this, 9, 462, 313);
    setWindowTitle(QStringLiteral("CRDD_PR_LIST_HOURLY"));
    m_pList = new CMainListCtrl(this);
    SetControlId(m_pList, IDC_LIST);
    m_pList->setGeometry(tmpl.Map(1, 9, 461, 248));
    m_pList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pCount = tmpl.Add<QLabel>(IDC_ITEMCOUNT, QStringLiteral("CRDC_PR_STATIC_ITEMCOUNT"), 10, 263,
                                440, 10);
    const struct
    {
        uint id;
        const char* key;
        int x;
        int width;
    } buttons[] = {{IDC_HELP, "CRDM_PR_HELP", 74, 50},
                   {IDC_SELECT, "CRDC_PR_BUTTON_SELECT", 224, 50},
                   {IDC_CLEAR, "CRDC_PR_BUTTON_CLEAR", 275, 50},
                   {platform::IDOK, "CRD_OK", 326, 50},
                   {platform::IDCANCEL, "CRD_CANCEL", 377, 46}};
    for (const auto& b : buttons) {
        CColorButton* button = AddButton(b.id, QLatin1String(b.key));
        button->setGeometry(tmpl.Map(b.x, 293, b.width, 14));
        button->setAutoDefault(false);
    }
    qobject_cast<QPushButton*>(FindControlById(this, platform::IDOK))->setDefault(true);
    // A main window: it may grow beyond the template.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

CHourlyListDlg::~CHourlyListDlg() = default;

void CHourlyListDlg::EndAfterFailure()
{
    m_bFailed = true;
    QTimer::singleShot(0, this, [this] { EndDialog(platform::IDCANCEL); });
}

bool CHourlyListDlg::ReadAll()
{
    m_pData = std::make_unique<CHourlyData>(m_strTargetDatabase);
    int status = 0;
    const QString folder = CBasePath::GetLocalTemporaryPath();
    if (!WorkDatabaseExists() || !m_pDepartments->CreateSQLiteDB(folder) ||
        !m_pItems->CreateSQLiteDB(folder)) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD_FAILED"),
                           platform::MessageIcon::Error);
        return false;
    }
    bool ok = m_pData->ReadTargets(status);
    for (CDataManager* manager : {m_pDepartments, m_pItems})
        ok = ok && manager->OpenSQLiteDB(kDatabaseName, status) &&
             manager->GetColumnDataList()->ReadRecords(status, QString());
    if (!ok)
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD2_FAILED"),
                           platform::MessageIcon::Warning, platform::MessageButtons::Ok, status);
    return ok;
}

bool CHourlyListDlg::OnInitDialog()
{
    CMainDlg::OnInitDialog();
    setWindowTitle(GetLangString(m_pDepartments->m_strWindowNameKey));
    QFont font = m_pList->font();
    font.setFamily(GetFixPitchFontName());
    m_pList->setFont(font);
    m_pModel =
        new CHourlyListModel(m_pDepartments->GetColumnDataList(), &m_pDepartments->m_arrRecords,
                             m_pItems->GetColumnDataList(), &m_pItems->m_arrRecords, this);
    connect(m_pModel, &CHourlyListModel::markedCountChanged, this,
            &CHourlyListDlg::UpdateCountLabel);
    if (!ReadAll()) {
        m_pList->setModel(m_pModel);
        EndAfterFailure();
        return true;
    }
    m_pModel->MarkRecords(*m_pData);
    m_pList->setModel(m_pModel);
    connect(m_pList->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int section) { m_pModel->ClickColumn(section); });
    BuildListColumns();
    if (FocusControl(IDC_LIST) && m_pModel->rowCount() > 0)
        m_pList->selectionModel()->setCurrentIndex(
            m_pModel->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    UpdateCountLabel();
    // The distances the list and the label keep when the window is resized.
    const QRect list = m_pList->geometry();
    m_listMargins =
        QRect(list.left(), list.top(), width() - list.right(), height() - list.bottom());
    const QRect label = m_pCount->geometry();
    m_nLabelRight = width() - label.right();
    m_nLabelHeight = label.height();
    RestoreWindowPlacement(this);
    return true;
}

void CHourlyListDlg::BuildListColumns()
{
    m_pModel->BuildColumns();
    const int w = GetEditOneCharRect(m_pList->font(), m_pList).width();
    if (w == 0)
        return;
    for (int c = 0; c < m_pModel->columnCount(); ++c)
        m_pList->SetColumnWidthShowingTitle(c, (m_pModel->ColumnChars(c) + 2) * w +
                                                   (c == 0 ? kCheckBoxWidth : 0));
    // The last column takes what the others leave of the list.
    m_pList->horizontalHeader()->setStretchLastSection(true);
}

void CHourlyListDlg::UpdateCountLabel()
{
    m_pCount->setText(FormatLangText(GetLangString(QStringLiteral("CRDS_PR_CHECKED_ITEMCOUNT")),
                                     m_pModel->MarkedCount(), CHourlyListModel::kLimit));
}

QList<int> CHourlyListDlg::SelectedRows() const
{
    QList<int> rows;
    if (m_pList->selectionModel())
        for (const QModelIndex& index : m_pList->selectionModel()->selectedRows())
            rows << index.row();
    std::sort(rows.begin(), rows.end());
    return rows;
}

bool CHourlyListDlg::OnCommand(uint id)
{
    switch (id) {
    case IDC_SELECT:
        if (!m_pModel->MarkRows(SelectedRows()))
            ShowProgramMessage(this, QStringLiteral("CRDS_PR_ERROR_SELECTORVER"),
                               platform::MessageIcon::Warning);
        return true;
    case IDC_CLEAR:
        m_pModel->ClearRows(SelectedRows());
        return true;
    default:
        return CMainDlg::OnCommand(id);
    }
}

void CHourlyListDlg::ColorDialogButtons()
{
    const struct
    {
        uint id;
        QColor color;
        uint align;
        int index;
        int count;
    } rows[] = {
        {IDC_HELP, QColor(211, 191, 255), kLeft, 0, 1},
        {IDC_SELECT, palette().color(QPalette::Button), kRight, 3, 5},
        {IDC_CLEAR, palette().color(QPalette::Button), kRight, 2, 5},
        {platform::IDOK, QColor(191, 201, 255), kRight, 1, 5},
        {platform::IDCANCEL, QColor(255, 191, 191), kRight, 0, 5},
    };
    for (const auto& row : rows) {
        auto* button = qobject_cast<CColorButton*>(FindControlById(this, row.id));
        if (!button)
            continue;
        button->SetColor(row.color);
        button->Adjust(this, row.align, row.index, row.count, 0, false);
    }
}

void CHourlyListDlg::resizeEvent(QResizeEvent* event)
{
    CMainDlg::resizeEvent(event);
    if (isMinimized() || m_listMargins.isNull())
        return;
    const QRect list(QPoint(m_listMargins.left(), m_listMargins.top()),
                     QPoint(width() - m_listMargins.width(), height() - m_listMargins.height()));
    m_pList->setGeometry(list);
    m_pCount->setGeometry(18, list.bottom() + 7, width() - 18 - m_nLabelRight, m_nLabelHeight);
}

void CHourlyListDlg::OnOK()
{
    int status = 0;
    bool ok = m_pData && m_pData->BeginSave(status);
    // Items first, then departments, each in record order.
    for (CDataManager* manager : {m_pItems, m_pDepartments}) {
        const int kind = manager == m_pItems ? CHourlyData::KindItem : CHourlyData::KindDepartment;
        for (const CRecord* record : std::as_const(manager->m_arrRecords))
            if (ok && record && record->value(0) == QLatin1String("1"))
                ok = m_pData->AddTarget(kind, record->value(2), status);
    }
    int endStatus = 0;
    if (m_pData && !m_pData->EndSave(endStatus) && ok) {
        ok = false;
        status = endStatus;
    }
    if (!ok) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, status);
        EndDialog(platform::IDCANCEL);
        return;
    }
    EndDialog(platform::IDOK);
}

void CHourlyListDlg::OnCancel()
{
    CMainWndCtrl::BringMainWndToFront();
    EndDialog(platform::IDCANCEL);
}

void CHourlyListDlg::done(int result)
{
    if (!m_bFailed && isVisible())
        SaveWindowPlacement(this);
    CMainDlg::done(result);
}

} // namespace brelkin
