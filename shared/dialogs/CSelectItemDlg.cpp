#include "shared/dialogs/CSelectItemDlg.h"

#include "shared/lang/CSarvikApp.h"
#include "shared/dialogs/CSelectItemModel.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "platform/MessageBox.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include <algorithm>

namespace {

// Geometry of the two layouts in dialog units: size, list, OK and Cancel.
struct Layout
{
    QSize size;
    QRect list, ok, cancel;
};

const Layout kTall{{234, 341}, {7, 7, 220, 300}, {81, 317, 70, 17}, {157, 317, 70, 17}};
const Layout kShort{{234, 153}, {7, 7, 220, 114}, {81, 129, 70, 17}, {157, 129, 70, 17}};

// A frame edge, as the system metric of the old platform gives it.
constexpr int kEdge = 2;

} // namespace

CSelectItemDlg::CSelectItemDlg(QWidget* parent) : CSelectItemDlg(SELITDLG_TALL, parent) {}

CSelectItemDlg::CSelectItemDlg(_E_SELITDLG layout, QWidget* parent) : CSarvikDialog(parent)
{
    const Layout& l = layout == SELITDLG_SHORT ? kShort : kTall;
    CDialogTemplate tmpl(this, 9, l.size.width(), l.size.height());

    m_model = new CSelectItemModel(&m_listItems, this);
    m_listCtrl = tmpl.Add<QTableView>(kListId, QString(), l.list.x(), l.list.y(), l.list.width(),
                                      l.list.height());
    m_listCtrl->setModel(m_model);
    m_listCtrl->setSelectionMode(QAbstractItemView::SingleSelection);
    m_listCtrl->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_listCtrl->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_listCtrl->setSortingEnabled(false);
    m_listCtrl->verticalHeader()->hide();
    m_listCtrl->horizontalHeader()->setSectionsClickable(false);
    m_listCtrl->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    connect(m_listCtrl, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            OnOK();
    });

    AddOkCancel(tmpl, l.ok.x(), l.ok.y(), l.cancel.x(), l.cancel.y(), l.ok.width(), l.ok.height());
}

CSelectItemDlg::~CSelectItemDlg() = default;

bool CSelectItemDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    m_listCtrl->setShowGrid(true);
    m_listCtrl->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_listCtrl->verticalHeader()->setDefaultSectionSize(
        RowHeight(QFontMetrics(m_listCtrl->font())));
    m_model->SetHeaders(m_arrColumnNames);
    m_model->Reload();
    for (int i = 0; i < m_arrColumnNames.size(); ++i)
        m_listCtrl->setColumnWidth(i, int(m_arrColumnWidths.value(i, 0)));
    // The code column shows every code whole, however wide its texts set it:
    // items without a name are told apart by their code alone.
    if (!m_arrColumnNames.isEmpty() && m_arrColumnWidths.value(0, 0) > 0)
        m_listCtrl->setColumnWidth(0, std::max(m_listCtrl->columnWidth(0), CellsNeed(0)));
    // A name wider than its column takes what the list has to spare.
    if (m_arrColumnNames.size() > 1) {
        const int need = CellsNeed(1);
        const int width = m_listCtrl->columnWidth(1);
        if (need > width)
            m_listCtrl->setColumnWidth(1, width + std::clamp(need - width, 0, SpareWidth()));
    }
    setWindowTitle(m_strTitle);
    return true;
}

int CSelectItemDlg::RowHeight(const QFontMetrics& metrics, int lines)
{
    return lines * metrics.height() + 2 * kEdge + 2;
}

int CSelectItemDlg::CellsNeed(int column) const
{
    const QFontMetrics metrics(m_listCtrl->font());
    int widest = 0;
    for (int row = 0; row < m_model->rowCount(); ++row)
        widest = std::max(widest,
                          metrics.horizontalAdvance(m_model->index(row, column).data().toString()));
    return widest +
           2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_listCtrl) + 1) + 2;
}

int CSelectItemDlg::SpareWidth() const
{
    // Worked out from the list's own size: its scroll bars come up only once
    // it is shown.
    const int frame = 2 * m_listCtrl->frameWidth();
    int inside = m_listCtrl->width() - frame;
    const int rows = m_model->rowCount() * m_listCtrl->verticalHeader()->defaultSectionSize();
    if (rows > m_listCtrl->height() - frame - m_listCtrl->horizontalHeader()->sizeHint().height())
        inside -= m_listCtrl->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_listCtrl);
    return inside - m_listCtrl->horizontalHeader()->length();
}

void CSelectItemDlg::OnOK()
{
    const QModelIndexList selected = m_listCtrl->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return; // nothing chosen: the dialog stays open
    const QStringList* row = m_listItems.GetAt(selected.first().row());
    if (row) {
        m_strSelectCode = row->value(0);
        m_strSelectName = row->value(1);
    }
    done(platform::IDOK);
}
