#include "goods/CListInPlaceEditor.h"

#include "goods/CPageDlg.h"
#include "goods/CSelectRadioDlg.h"
#include "goods/IListInPlaceHost.h"
#include "goods/base/CMainListCtrl.h"
#include "goods/base/CRecordListModel.h"
#include "goods/base/ListIndex.h"
#include "goods/base/ProgramMessage.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "shared/program/CMainWndCtrl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include <algorithm>

namespace brelkin {

namespace {

const int kKeyTab = CSelectRadioDlg::KeyTab;
const int kKeyReturn = CSelectRadioDlg::KeyReturn;

} // namespace

CListInPlaceEditor::CListInPlaceEditor(IListInPlaceHost& window)
    : m_host(window), m_window(window.Window())
{
    m_clickTimer.setSingleShot(true);
    connect(&m_clickTimer, &QTimer::timeout, this, &CListInPlaceEditor::OnClickTimer);
}

CListInPlaceEditor::~CListInPlaceEditor()
{
    Discard();
}

void CListInPlaceEditor::OnClick(const QModelIndex& index)
{
    if (!m_bClickToEdit)
        return;
    m_clickTimer.stop();
    m_nEditRow = index.row();
    m_nEditColumn = index.column();
    m_bDblClick = false;
    m_strPreEditValue.clear();
    Discard();
    m_clickTimer.start(QApplication::doubleClickInterval() + 10);
}

void CListInPlaceEditor::CancelClick(bool doubleClick)
{
    m_clickTimer.stop();
    if (doubleClick)
        m_bDblClick = true;
}

void CListInPlaceEditor::OnClickTimer()
{
    m_clickTimer.stop();
    CMainListCtrl* list = m_host.List();
    if (!m_bDblClick && m_nEditRow >= 0 && list->selectionModel() &&
        list->selectionModel()->isRowSelected(m_nEditRow))
        m_host.StartInPlaceEdit();
}

void CListInPlaceEditor::ReturnControl()
{
    if (!m_pInPlaceCtrl)
        return;
    m_pInPlaceCtrl->hide();
    m_pInPlaceCtrl->setParent(m_pInPlaceCtrlParent);
    m_pInPlaceCtrl = nullptr;
}

void CListInPlaceEditor::Discard()
{
    if (m_pRadioPopup) {
        m_pRadioPopup->disconnect(this);
        m_pRadioPopup->hide();
        m_pRadioPopup->deleteLater();
        m_pRadioPopup = nullptr;
    }
    ReturnControl();
    delete m_pPage;
    m_pPage = nullptr;
    m_pEditedCtrl = nullptr;
}

QRect CListInPlaceEditor::EditCellRect()
{
    CMainListCtrl* list = m_host.List();
    const QModelIndex index = m_host.Model()->index(m_nEditRow, m_nEditColumn);
    QRect rect = list->visualRect(index);
    const QRect client = list->viewport()->rect();
    QScrollBar* bar = list->horizontalScrollBar();
    if (rect.right() > client.right())
        bar->setValue(bar->value() + rect.right() - client.right());
    else if (rect.left() < client.left())
        bar->setValue(bar->value() - (client.left() - rect.left()));
    rect = list->visualRect(index);
    return QRect(list->viewport()->mapTo(&m_window, rect.topLeft()), rect.size());
}

void CListInPlaceEditor::Start()
{
    CRecordListModel* model = m_host.Model();
    if (m_bBusy || !model)
        return;
    m_bBusy = true;
    CMainListCtrl* listCtrl = m_host.List();
    CDataManager* manager = m_host.DataManager();
    if (m_nEditRow >= 0 && m_nEditRow < model->rowCount() && m_nEditColumn > 0 &&
        m_nEditColumn < model->columnCount()) {
        const QModelIndex index = model->index(m_nEditRow, m_nEditColumn);
        listCtrl->scrollTo(index);
        listCtrl->selectionModel()->setCurrentIndex(index, QItemSelectionModel::Select |
                                                               QItemSelectionModel::Rows);
        Discard();
        m_pPage = m_host.CreatePageDlg();
        m_pPage->BindPage(manager, GetRecordNo(m_nEditRow), false);
        m_pPage->hide();
        const CColumnDataList* list = manager->GetColumnDataList();
        const int columnIndex = model->ColumnIndex(m_nEditColumn);
        CColumnData* column = columnIndex >= 0 ? list->m_ppColumnData[columnIndex] : nullptr;
        QWidget* control = nullptr;
        if (manager->m_nPageCount > 0 && m_pPage->Create(manager->m_pPageDlgIDs[0], &m_window))
            control = m_pPage->Control(column);
        if (!control) {
            Discard();
        } else {
            m_pPage->hide();
            m_pEditedCtrl = control;
            m_nEditedListColumn = columnIndex;
            column->GetPreEditValue(control, m_strPreEditValue);
            if (CMainWndCtrl::IsRadioButton(control)) {
                m_pRadioPopup = new CSelectRadioDlg(&m_window);
                m_pRadioPopup->setWindowFlag(Qt::Tool);
                m_pRadioPopup->Setup(&m_window, m_pPage, control,
                                     GetLangString(column->m_strLabelKey));
                connect(
                    m_pRadioPopup, &CSelectRadioDlg::SelectRadioDlgClose, this,
                    [this](int mode, int lParam) {
                        Move(mode, lParam & 0xFFFF, (lParam >> 16) & 1);
                    },
                    Qt::QueuedConnection);
                m_pRadioPopup->Create();
            } else {
                m_pInPlaceCtrlParent = control->parentWidget();
                control->hide();
                control->setParent(&m_window);
                m_pInPlaceCtrl = control;
            }
            const QRect rect = EditCellRect();
            if (m_pInPlaceCtrl) {
                m_pInPlaceCtrl->setGeometry(rect);
                m_pInPlaceCtrl->show();
                m_pInPlaceCtrl->raise();
                m_pInPlaceCtrl->setFocus();
                if (auto* edit = qobject_cast<QLineEdit*>(m_pInPlaceCtrl))
                    edit->selectAll();
                if (CMainWndCtrl::IsOwnerDrawButton(m_pInPlaceCtrl)) {
                    // Its own selection dialog opens on a double click.
                    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(1, 1),
                                    m_pInPlaceCtrl->mapToGlobal(QPointF(1, 1)), Qt::LeftButton,
                                    Qt::LeftButton, Qt::NoModifier);
                    QApplication::sendEvent(m_pInPlaceCtrl, &dbl);
                    listCtrl->setFocus();
                }
            } else if (m_pRadioPopup) {
                m_pRadioPopup->move(m_window.mapToGlobal(rect.bottomLeft()));
                m_pRadioPopup->show();
                m_pRadioPopup->raise();
                m_pRadioPopup->activateWindow();
            }
        }
    }
    m_bBusy = false;
}

bool CListInPlaceEditor::End(int mode)
{
    if (!m_pPage)
        return true;
    ReturnControl();
    bool result = false;
    QString value;
    if (m_pEditedCtrl && m_pPage->CheckInput(nullptr, nullptr) == 0) {
        CColumnData* column =
            m_host.DataManager()->GetColumnDataList()->m_ppColumnData[m_nEditedListColumn];
        column->GetPreEditValue(m_pEditedCtrl, value);
        int err = 0;
        if (mode == 0 || value != m_strPreEditValue)
            result = m_pPage->SaveData(nullptr, err);
    }
    Discard();
    if (result) {
        m_host.Model()->RowChanged(m_nEditRow);
        ApplyToSelectedRows(value);
    }
    m_host.List()->viewport()->update();
    m_strPreEditValue.clear();
    return result;
}

bool CListInPlaceEditor::ApplyToSelectedRows(const QString& value)
{
    CMainListCtrl* listCtrl = m_host.List();
    CRecordListModel* model = m_host.Model();
    QList<int> rows;
    for (const QModelIndex& index : listCtrl->selectionModel()->selectedRows())
        if (index.row() != m_nEditRow)
            rows << index.row();
    std::sort(rows.begin(), rows.end());
    if (rows.isEmpty())
        return true;
    QList<uint> recordNos;
    for (int row : rows)
        recordNos << uint(GetRecordNo(row));
    CColumnDataList* list = m_host.DataManager()->GetColumnDataList();
    int err = 0;
    int failed = 0;
    QString errMsg;
    const bool updated =
        list->UpdateOneColumnDatas(m_nEditedListColumn, recordNos, value, err, failed, errMsg);
    emit model->dataChanged(model->index(0, 0),
                            model->index(model->rowCount() - 1, model->columnCount() - 1));
    if (!updated || err != 0) {
        if (!errMsg.isEmpty()) {
            const CRecord* record = list->CachedRecord(failed + 1);
            ShowProgramMessageText(
                &m_window, QString(),
                errMsg + QStringLiteral(" (%1)").arg(record ? record->value(0) : QString()),
                platform::MessageIcon::Warning, platform::MessageButtons::Ok);
        } else {
            ShowProgramMessage(&m_window, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                               platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
        }
        return false;
    }
    listCtrl->raise();
    listCtrl->setFocus();
    return true;
}

void CListInPlaceEditor::Move(int mode, int key, bool shift)
{
    m_host.EndInPlaceEdit(mode);
    if (mode == 1)
        return;
    CMainListCtrl* listCtrl = m_host.List();
    CRecordListModel* model = m_host.Model();
    listCtrl->clearSelection();
    const int step = shift ? -1 : 1;
    int rowStep = 0;
    int columnStep = 0;
    if (key == kKeyReturn) {
        rowStep = step;
    } else if (key == kKeyTab) {
        columnStep = step;
    } else {
        if (m_nEditRow >= 0 && m_nEditRow < model->rowCount())
            listCtrl->selectionModel()->setCurrentIndex(model->index(m_nEditRow, m_nEditColumn),
                                                        QItemSelectionModel::Select |
                                                            QItemSelectionModel::Rows);
        return;
    }
    const int n = model->columnCount();
    const int count = model->rowCount();
    if (columnStep != 0) {
        const int c = m_nEditColumn + columnStep;
        if (c == 0) {
            if (m_nEditRow > 0) {
                m_nEditColumn = n - 1;
                rowStep = -1;
            }
        } else if (c == n) {
            if (m_nEditRow < count - 1) {
                m_nEditColumn = 1;
                rowStep = 1;
            }
        } else {
            m_nEditColumn = c;
        }
    }
    if (rowStep != 0 && m_nEditRow + rowStep >= 0 && m_nEditRow + rowStep != count)
        m_nEditRow += rowStep;
    if (m_nEditColumn == 1)
        listCtrl->horizontalScrollBar()->setValue(0);
    m_host.StartInPlaceEdit();
}

void CListInPlaceEditor::EndByScroll()
{
    if (m_bBusy)
        return;
    if (m_pInPlaceCtrl)
        m_host.EndInPlaceEdit(1);
    else if (m_pRadioPopup)
        Move(1, 0, false);
}

bool CListInPlaceEditor::FilterEvent(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !m_pPage || widget->window() != &m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        if (!CMainWndCtrl::IsEditORComboBox(widget))
            EndByScroll();
        break;
    case QEvent::KeyPress: {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = keyEvent->key();
        if (m_pInPlaceCtrl && CMainWndCtrl::IsEditORComboBox(widget) &&
            (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab ||
             key == Qt::Key_Backtab)) {
            const bool shift =
                key == Qt::Key_Backtab || keyEvent->modifiers().testFlag(Qt::ShiftModifier);
            const int code = key == Qt::Key_Return || key == Qt::Key_Enter ? kKeyReturn : kKeyTab;
            // After this key's handling: the control goes back to the page.
            QTimer::singleShot(0, this, [this, code, shift] {
                if (m_pInPlaceCtrl)
                    Move(0, code, shift);
            });
            return true;
        }
        // Escape leaves the cell unwritten and ends its editor only: the
        // dialog must not see it, or it would close the window.
        if (m_pInPlaceCtrl && key == Qt::Key_Escape &&
            (widget == m_pInPlaceCtrl || m_pInPlaceCtrl->isAncestorOf(widget))) {
            QTimer::singleShot(0, this, [this] {
                if (!m_pInPlaceCtrl)
                    return;
                Discard();
                m_strPreEditValue.clear();
                m_host.List()->viewport()->update();
                m_host.List()->setFocus();
            });
            return true;
        }
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace brelkin
