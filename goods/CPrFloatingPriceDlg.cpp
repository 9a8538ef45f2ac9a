#include "goods/CPrFloatingPriceDlg.h"

#include "goods/CColumnDataFloatingPrice.h"
#include "goods/CPrColumnDataListFloatingPrice.h"
#include "goods/UnlistedLabelKey.h"
#include "goods/base/CRecordListModel.h"
#include "goods/FloatingPriceText.h"
#include "goods/base/CMainListCtrl.h"
#include "goods/base/ProgramMessage.h"
#include "goods/base/WindowPlacement.h"

#include "shared/controls/CColorButton.h"
#include "shared/controls/EditSize.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace brelkin {

namespace {

const QColor kFallbackGrey(176, 176, 176);

// The price cells draw a fallback price grey.
class CFloatingPriceModel : public CRecordListModel
{
public:
    using CRecordListModel::CRecordListModel;
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::ForegroundRole || !index.isValid())
            return CRecordListModel::data(index, role);
        auto* column = dynamic_cast<CColumnDataFloatingPrice*>(ColumnData(index.column()));
        if (!column)
            return {};
        CRecordListModel::data(index, Qt::DisplayRole); // the lookup sets the flag
        return column->m_nUnitPriceFallback == 1 ? QVariant(kFallbackGrey) : QVariant();
    }
};

} // namespace

CPrFloatingPriceDlg::CPrFloatingPriceDlg(CDataManager* manager, uint templateId, QWidget* parent,
                                         int windowKind)
    : CMainDlgEx(manager, templateId, parent, windowKind)
{
    auto* message = new QLabel(QStringLiteral("CRDC_PR_STATIC_UNITPRICE_ST_MESSAGE"), this);
    SetControlId(message, IDC_MESSAGE);
    m_pLevel = new QComboBox(this);
    SetControlId(m_pLevel, IDC_LEVEL);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(11, 11, 11, 46); // the button row below
    layout->addWidget(m_pList, 1);
    layout->addWidget(message);
    layout->addWidget(m_pLevel, 0, Qt::AlignLeft);
    AddButton(IDC_HELP, QStringLiteral("CRD_HELP"))->setAutoDefault(false);
    AddButton(platform::IDCANCEL, QStringLiteral("CRD_BACK"))->setAutoDefault(false);
    resize(760, 480);
    m_clickTimer.setSingleShot(true);
    connect(&m_clickTimer, &QTimer::timeout, this, [this] {
        if (m_pList->selectionModel() &&
            m_pList->selectionModel()->isRowSelected(m_nEditRow, QModelIndex()))
            BeginInPlaceEdit(m_nEditRow, m_nEditColumn);
    });
    // Presses anywhere end an open edit, keys in it move it.
    qApp->installEventFilter(this);
}

CPrFloatingPriceDlg::~CPrFloatingPriceDlg()
{
    qApp->removeEventFilter(this);
}

CPrColumnDataListFloatingPrice* CPrFloatingPriceDlg::PriceList() const
{
    return static_cast<CPrColumnDataListFloatingPrice*>(m_pManager->GetColumnDataList());
}

CColumnDataFloatingPrice* CPrFloatingPriceDlg::PriceColumn(int listColumn) const
{
    return dynamic_cast<CColumnDataFloatingPrice*>(m_pModel->ColumnData(listColumn));
}

bool CPrFloatingPriceDlg::OnInitDialog()
{
    CMainDlg::OnInitDialog();
    CPrColumnDataListFloatingPrice* list = PriceList();
    int err = 0;
    bool shown = false;
    if (!OpenWindowData([list](int& status) { return list->ReadRecords(status); }, err, shown)) {
        if (!shown)
            ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD2_FAILED"),
                               platform::MessageIcon::Warning, platform::MessageButtons::Ok, err);
        EndAfterFailure();
        return true;
    }
    const QFont font = m_pList->font();
    m_pModel = new CFloatingPriceModel(PriceList(), &m_pManager->m_arrRecords, this);
    m_pModel->SetUnlistedLabelKeys(&IsUnlistedLabelKey);
    m_pList->setModel(m_pModel);
    m_pModel->BuildColumns();
    const int w = GetEditOneCharRect(font, m_pList).width();
    for (int c = 0; c < m_pModel->columnCount(); ++c)
        m_pList->SetColumnWidthShowingTitle(c, (m_pModel->ColumnChars(c) + 2) * w);
    connect(m_pList, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        m_clickTimer.stop();
        DropInPlaceEdit();
        m_nEditRow = index.row();
        m_nEditColumn = index.column();
        m_clickTimer.start(QApplication::doubleClickInterval() + 10);
    });
    connect(m_pList, &CMainListCtrl::scrollStarting, this, [this] { EndInPlaceEdit(true); });
    for (int k = 1; k <= 10; ++k)
        m_pLevel->addItem(GetLangString(QStringLiteral("CRDC_PR_UNITPRICE%1").arg(k)));
    m_pLevel->setCurrentIndex(0);
    connect(m_pLevel, &QComboBox::activated, this, &CPrFloatingPriceDlg::SetLevel);
    if (FocusControl(IDC_LIST) && m_pModel->rowCount() > 0)
        m_pList->selectRow(0);
    RestoreWindowPlacement(this);
    return true;
}

void CPrFloatingPriceDlg::SetLevel(int index)
{
    if (index < 0 || index >= 10)
        return;
    EndInPlaceEdit(true);
    PriceList()->SetPriceColumn(index == 0 ? QStringLiteral("UNITPRICE")
                                           : QStringLiteral("UNITPRICE%1").arg(index + 1));
    ReloadRecords();
}

void CPrFloatingPriceDlg::ReloadRecords()
{
    const int remembered = m_pList->currentIndex().row();
    m_pManager->m_arrRecords.RemoveAll();
    int err = 0;
    const bool read = PriceList()->ReadRecords(err);
    m_pModel->Reload();
    if (!read)
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD2_FAILED"),
                           platform::MessageIcon::Warning, platform::MessageButtons::Ok, err);
    const int count = m_pModel->rowCount();
    if (FocusControl(IDC_LIST) && count > 0)
        m_pList->selectRow(remembered >= 0 && remembered < count ? remembered : 0);
}

void CPrFloatingPriceDlg::BeginInPlaceEdit(int row, int column)
{
    DropInPlaceEdit();
    CColumnDataFloatingPrice* price = row >= 0 ? PriceColumn(column) : nullptr;
    if (!price || row >= m_pModel->rowCount())
        return; // the name column is never edited
    m_nEditRow = row;
    m_nEditColumn = column;
    m_pList->selectRow(row);
    const QModelIndex cell = m_pModel->index(row, column);
    m_pList->scrollTo(cell);
    m_pEdit = new QLineEdit(m_pList->viewport());
    SetControlId(m_pEdit, IDC_PRICE);
    // The text the cell shows: the stored price, or "*" and the fallback.
    m_strPreEditValue = price->GetDescript(m_pModel->RecordValue(row, column));
    m_pEdit->setText(m_strPreEditValue);
    m_pEdit->setGeometry(m_pList->visualRect(cell));
    m_pEdit->show();
    m_pEdit->setFocus(Qt::OtherFocusReason);
    m_pEdit->selectAll();
}

void CPrFloatingPriceDlg::DropInPlaceEdit()
{
    if (!m_pEdit)
        return;
    QLineEdit* edit = m_pEdit;
    m_pEdit = nullptr;
    edit->hide();
    edit->deleteLater();
    m_strPreEditValue.clear();
}

bool CPrFloatingPriceDlg::EndInPlaceEdit(bool skipUnchanged)
{
    if (!m_pEdit)
        return true;
    const QString text = m_pEdit->text();
    const QString preEdit = m_strPreEditValue;
    DropInPlaceEdit();
    CColumnDataFloatingPrice* price = PriceColumn(m_nEditColumn);
    if (!price || m_nEditRow < 0 || m_nEditRow >= m_pModel->rowCount())
        return false;
    int err = 0;
    const QString code = m_pModel->RecordValue(m_nEditRow, m_nEditColumn);
    const bool stored = StoreFloatingPrice(*m_pManager->m_pSQliteDB, *price, code, text, preEdit,
                                           skipUnchanged, err);
    // The cell shows what the table holds, whatever happened.
    m_pList->viewport()->update();
    if (!stored) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
        return false;
    }
    return true;
}

void CPrFloatingPriceDlg::MoveToNextCell(bool skipUnchanged, int key, bool shift)
{
    EndInPlaceEdit(skipUnchanged);
    const int step = shift ? -1 : 1;
    int row = m_nEditRow;
    int column = m_nEditColumn;
    const int lastColumn = m_pModel->columnCount() - 1;
    const int rows = m_pModel->rowCount();
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        column += step;
        if (column > lastColumn) {
            if (row + 1 >= rows)
                column = lastColumn; // the last cell stays
            else {
                column = 1;
                ++row;
            }
        } else if (column < 1) {
            if (row <= 0)
                column = 1;
            else {
                column = lastColumn;
                --row;
            }
        }
    } else if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (row + step >= 0 && row + step < rows)
            row += step;
    }
    BeginInPlaceEdit(row, column);
}

bool CPrFloatingPriceDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (m_pEdit && event->type() == QEvent::KeyPress && watched == m_pEdit) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            MoveToNextCell(false, key->key(),
                           key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier));
            return true;
        case Qt::Key_Escape:
            DropInPlaceEdit(); // Escape drops the edit
            return true;
        default:
            break;
        }
    }
    if (m_pEdit && event->type() == QEvent::MouseButtonPress && watched != m_pEdit &&
        watched->isWidgetType() && !qobject_cast<QLineEdit*>(watched))
        EndInPlaceEdit(true);
    return CMainDlg::eventFilter(watched, event);
}

void CPrFloatingPriceDlg::closeEvent(QCloseEvent* event)
{
    // As a press elsewhere would: the open edit is saved.
    EndInPlaceEdit(true);
    CMainDlg::closeEvent(event);
}

} // namespace brelkin
