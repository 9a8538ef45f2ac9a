#include "shared/dialogs/CSelectItemDlg.h"

#include "shared/lang/CSarvikApp.h"
#include "shared/dialogs/CSelectItemModel.h"
#include "shared/controls/FindControlById.h"
#include "platform/MessageBox.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

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

CSelectItemDlg::CSelectItemDlg(_E_SELITDLG layout, QWidget* parent) : QDialog(parent)
{
    const Layout& l = layout == SELITDLG_SHORT ? kShort : kTall;
    const QFontMetrics metrics(font());
    const int unitX = metrics.averageCharWidth();
    const int unitY = metrics.height();
    const auto px = [unitX, unitY](const QRect& r) {
        return QRect(r.x() * unitX / 4, r.y() * unitY / 8, r.width() * unitX / 4,
                     r.height() * unitY / 8);
    };
    setFixedSize(l.size.width() * unitX / 4, l.size.height() * unitY / 8);

    m_model = new CSelectItemModel(&m_listItems, this);
    m_listCtrl = new QTableView(this);
    SetControlId(m_listCtrl, kListId);
    m_listCtrl->setGeometry(px(l.list));
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

    m_okButton = new QPushButton(QStringLiteral("CRD_OK"), this);
    SetControlId(m_okButton, platform::IDOK);
    m_okButton->setGeometry(px(l.ok));
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &CSelectItemDlg::OnOK);
    auto* cancel = new QPushButton(QStringLiteral("CRD_CANCEL"), this);
    SetControlId(cancel, platform::IDCANCEL);
    cancel->setGeometry(px(l.cancel));
    connect(cancel, &QPushButton::clicked, this, &CSelectItemDlg::reject);
}

CSelectItemDlg::~CSelectItemDlg() = default;

int CSelectItemDlg::DoModal()
{
    return exec();
}

void CSelectItemDlg::setVisible(bool visible)
{
    if (visible && !m_bInitDone) {
        m_bInitDone = true;
        OnInitDialog();
    }
    QDialog::setVisible(visible);
}

void CSelectItemDlg::reject()
{
    done(platform::IDCANCEL);
}

void CSelectItemDlg::TranslateTexts()
{
    CSarvikApp::Instance().LangDatas().SetWinLangTextAllChildren(QStringLiteral("Sarvik"), this);
}

bool CSelectItemDlg::OnInitDialog()
{
    TranslateTexts();
    m_listCtrl->setShowGrid(true);
    const int fontHeight = QFontMetrics(m_listCtrl->font()).height();
    m_listCtrl->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_listCtrl->verticalHeader()->setDefaultSectionSize(fontHeight + 2 * kEdge + 2);
    m_model->SetHeaders(m_arrColumnNames);
    m_model->Reload();
    for (int i = 0; i < m_arrColumnNames.size(); ++i)
        m_listCtrl->setColumnWidth(i, int(m_arrColumnWidths.value(i, 0)));
    setWindowTitle(m_strTitle);
    return true;
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
