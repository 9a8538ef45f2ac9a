#include "goods/CListDlgEasy.h"

#include "goods/CListFileCommands.h"
#include "goods/CMainListCtrlEasy.h"
#include "goods/CRadioGroupBox.h"
#include "goods/base/CRecordListModel.h"
#include "goods/CResDispDlg.h"
#include "goods/CSelectRadioDlg.h"

#include "shared/controls/CColorButton.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/CProgramLang.h"

#include "platform/MessageBox.h"

#include <QAction>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSettings>
#include <QTimer>

namespace brelkin {

namespace {

const int kKeyTab = CSelectRadioDlg::KeyTab;

// Row height: the text's height and five edge widths.
constexpr int kEdgeHeight = 2;

} // namespace

CListDlgEasy::CListDlgEasy(CDataManager* dataManager, uint templateId, QWidget* parent,
                           int windowKind, bool winpos)
    : CListDlg(dataManager, templateId, parent, windowKind, winpos, new CMainListCtrlEasy),
      m_pEasyList(static_cast<CMainListCtrlEasy*>(List()))
{
    // No click timer: a click only moves the current cell.
    SetInPlaceEditing(false);
    SetSystemMenuItems(false);
    // Room for the option and a second row of buttons below the list.
    layout()->setContentsMargins(11, 11, 11, 120);
    for (const auto& [id, key] : {std::pair<uint, const char*>{IDC_HELP, "CRDM_PR_HELP"},
                                  {IDC_FLOATINGPRICE, "CRDC_PR_SETFLOATINGPRICE"},
                                  {IDC_INSERT, "CRDC_PR_INSERT"},
                                  {IDC_DELETE, "CRDC_PR_DELETE"}})
        if (QWidget* button = FindControlById(this, id))
            qobject_cast<CColorButton*>(button)->setText(QLatin1String(key));
    for (const auto& [id, key] : {std::pair<uint, const char*>{IDC_EXPORT, "CRDC_EXPORT"},
                                  {IDC_IMPORT, "CRDC_IMPORT"},
                                  {IDC_ALLDELETE, "CRDC_ALLDELETE"},
                                  {IDC_PRINT, "CRDC_PRINT"},
                                  {IDC_SEARCH, "CRDC_SEARCH"}})
        AddButton(id, QLatin1String(key))->setAutoDefault(false);

    m_pOptionGroup = new CRadioGroupBox(this);
    SetControlId(m_pOptionGroup, IDC_OPTION_GROUP);
    m_pOptionGroup->setTitle(QStringLiteral("CRDC_STATIC_PRLISTLABEL"));
    m_pEditDirect = new QRadioButton(QStringLiteral("CRDC_RADIO_PR_DBLCK_EDITDIRECT"));
    SetControlId(m_pEditDirect, IDC_DBLCK_EDITDIRECT);
    m_pShowDialog = new QRadioButton(QStringLiteral("CRDC_RADIO_PR_DBLCK_SHOWDIALOG"));
    SetControlId(m_pShowDialog, IDC_DBLCK_SHOWDIALOG);
    auto* options = new QHBoxLayout(m_pOptionGroup);
    options->addWidget(m_pEditDirect);
    options->addWidget(m_pShowDialog);
    connect(m_pEditDirect, &QRadioButton::clicked, this,
            [this] { OnCommand(IDC_DBLCK_EDITDIRECT); });
    connect(m_pShowDialog, &QRadioButton::clicked, this,
            [this] { OnCommand(IDC_DBLCK_SHOWDIALOG); });

    // Window shortcuts; the context menu shows the same commands.
    auto command = [this](const char* key, const QKeySequence& keys, uint id) {
        auto* action = new QAction(QLatin1String(key), this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
        addAction(action);
        return action;
    };
    m_pSelectAll =
        command("CRD_PR_SELECT_ALLLISTITEM", QKeySequence(Qt::CTRL | Qt::Key_A), ID_SELECT_ALL);
    m_pCopy = command("CRD_PR_SELECT_COPYITEM", QKeySequence(Qt::CTRL | Qt::Key_C), ID_COPY);
    m_pPaste = command("CRD_PR_SELECT_PASTEITEM", QKeySequence(Qt::CTRL | Qt::Key_V), ID_PASTE);

    m_pFileCommands = std::make_unique<CListFileCommands>(dataManager, this, windowKind,
                                                          [this] { ReloadRecords(); });
    m_pFileCommands->SetFocusWindow(m_pEasyList);

    connect(m_pEasyList, &CMainListCtrlEasy::currentCellChanged, this,
            [this](int row, int column) { SetEditCell(row, column); });
    resize(800, 560);
}

CListDlgEasy::~CListDlgEasy() = default;

bool CListDlgEasy::OnInitDialog()
{
    const bool result = CListDlg::OnInitDialog();
    for (QAction* action : {m_pSelectAll, m_pCopy, m_pPaste})
        action->setText(GetLangString(action->text()));
    for (uint id : {uint(IDC_PRINT), uint(IDC_SEARCH), uint(IDC_STATUS)})
        if (QWidget* button = FindControlById(this, id)) {
            button->setEnabled(false);
            button->hide();
        }
    const QFontMetrics metrics(m_pEasyList->font());
    const int textHeight = metrics.boundingRect(QStringLiteral("X")).height();
    if (textHeight > 0)
        m_pEasyList->SetRowHeight(metrics.height() + 5 * kEdgeHeight);

    QSettings settings;
    const int action =
        settings.value(QLatin1String(kProfileSection) + u'/' + QLatin1String(kProfileKey), 0)
            .toInt();
    (action != 0 ? m_pShowDialog : m_pEditDirect)->setChecked(true);
    m_pEasyList->SetDblClkAction(action != 0 ? CMainListCtrlEasy::ACTION_RECORD_EDITOR
                                             : CMainListCtrlEasy::ACTION_EDIT_IN_PLACE);
    PlaceOptionGroup();
    return result;
}

void CListDlgEasy::resizeEvent(QResizeEvent* event)
{
    CListDlg::resizeEvent(event);
    if (!isMinimized())
        PlaceOptionGroup();
}

void CListDlgEasy::PlaceOptionGroup()
{
    if (!m_pOptionGroup)
        return;
    m_pOptionGroup->adjustSize();
    m_pOptionGroup->move(24, height() - 104);
}

void CListDlgEasy::SetDblClkAction(int action)
{
    QSettings settings;
    settings.setValue(QLatin1String(kProfileSection) + u'/' + QLatin1String(kProfileKey), action);
    m_pEasyList->SetDblClkAction(action);
}

bool CListDlgEasy::OnCommand(uint id)
{
    switch (id) {
    case ID_SELECT_ALL:
        SelectAll();
        return true;
    case ID_COPY:
        Copy();
        return true;
    case ID_PASTE:
        Paste();
        return true;
    case IDC_DBLCK_EDITDIRECT:
        SetDblClkAction(CMainListCtrlEasy::ACTION_EDIT_IN_PLACE);
        return true;
    case IDC_DBLCK_SHOWDIALOG:
        SetDblClkAction(CMainListCtrlEasy::ACTION_RECORD_EDITOR);
        return true;
    case IDC_ALLDELETE:
        DeleteAll();
        return true;
    case IDC_EXPORT:
        m_pFileCommands->ExportList();
        return true;
    case IDC_IMPORT:
        m_pFileCommands->ImportList();
        return true;
    }
    return CListDlg::OnCommand(id);
}

void CListDlgEasy::DeleteAll()
{
    OnSysCommand(SC_DATADELETE);
}

void CListDlgEasy::SelectAll()
{
    if (!Model())
        return;
    m_pEasyList->selectAll();
    const int rows = Model()->rowCount();
    const int columns = Model()->columnCount();
    if (rows > 0 && columns > 0)
        m_pEasyList->SetCellSelection({0, 0, columns - 1, rows - 1});
}

void CListDlgEasy::Copy()
{
    CloseInPlaceEdit();
    if (!Model())
        return;
    const CellRange& cells = m_pEasyList->CellSelection();
    QList<int> columnMap;
    for (int c = 0; c < Model()->columnCount(); ++c)
        columnMap << Model()->ColumnIndex(c);
    m_pFileCommands->CopyCells(
        QRect(QPoint(cells.left, cells.top), QPoint(cells.right, cells.bottom)), columnMap);
}

void CListDlgEasy::Paste()
{
    CloseInPlaceEdit();
    const CellRange& cells = m_pEasyList->CellSelection();
    QRect selection(QPoint(cells.left, cells.top), QPoint(cells.right, cells.bottom));
    if (!m_pFileCommands->PasteCells(selection) || !Model())
        return;
    const int lastRow = Model()->rowCount() - 1;
    const int lastColumn = Model()->columnCount() - 1;
    if (lastRow >= 0 && lastColumn >= 0 && selection.left() >= 0 && selection.top() >= 0)
        m_pEasyList->SetCellSelection(
            {std::min(selection.left(), lastColumn), std::min(selection.top(), lastRow),
             std::min(selection.right(), lastColumn), std::min(selection.bottom(), lastRow)});
}

void CListDlgEasy::OnRowSelectedAlone(int row)
{
    SetEditCell(row, 0);
    m_pEasyList->SetCellSelection({0, row, 0, row});
}

void CListDlgEasy::OnOK()
{
    CListDlg::OnOK();
    m_pEasyList->setFocus();
}

void CListDlgEasy::OnListDoubleClick()
{
    const int first = FirstSelectedRow();
    EnableButton(platform::IDOK, first >= 0);
    if (!m_pEditDirect->isChecked()) {
        QTimer::singleShot(0, this, [this] { accept(); });
        m_pEasyList->viewport()->update();
        return;
    }
    QItemSelectionModel* rows = m_pEasyList->selectionModel();
    if (EditRow() >= 0 && rows->isRowSelected(EditRow())) {
        CellRange cells = m_pEasyList->CellSelection();
        if (!cells.IsNone()) {
            if (QGuiApplication::keyboardModifiers().testFlag(Qt::ShiftModifier)) {
                // Shift reaches the current row from the block.
                if (EditRow() > cells.bottom) {
                    if (cells.top == cells.bottom)
                        cells.top = EditRow();
                    cells.bottom = EditRow();
                } else if (EditRow() < cells.top) {
                    if (cells.top == cells.bottom)
                        cells.bottom = EditRow();
                    cells.top = EditRow();
                }
            }
            QItemSelection block(Model()->index(cells.top, 0), Model()->index(cells.bottom, 0));
            rows->select(block, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        }
        CListDlg::StartInPlaceEdit();
    }
    m_pEasyList->viewport()->update();
}

void CListDlgEasy::StartInPlaceEdit()
{
    CListDlg::StartInPlaceEdit();
    const bool open = InPlaceControl() || RadioPopup();
    m_pEasyList->SetInPlaceEditOpen(open);
    if (EditRow() >= 0 && EditColumn() >= 0)
        m_pEasyList->SetCellSelection({EditColumn(), EditRow(), EditColumn(), EditRow()});
}

bool CListDlgEasy::EndInPlaceEdit(int mode)
{
    const bool saved = CListDlg::EndInPlaceEdit(mode);
    m_pEasyList->SetInPlaceEditOpen(false);
    return saved;
}

void CListDlgEasy::ShowContextMenu(const QPoint& position)
{
    if (InPlaceControl() || RadioPopup())
        return;
    QMenu menu(this);
    menu.addAction(m_pCopy);
    menu.addAction(m_pPaste);
    menu.addSeparator();
    menu.addAction(m_pSelectAll);
    menu.exec(m_pEasyList->viewport()->mapToGlobal(position));
}

bool CListDlgEasy::HandleListKey(const QKeyEvent* event)
{
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    int key = event->key();
    switch (key) {
    case Qt::Key_Tab:
        key = shift ? Qt::Key_Left : Qt::Key_Right;
        break;
    case Qt::Key_Backtab:
        key = Qt::Key_Left;
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = shift ? Qt::Key_Up : Qt::Key_Down;
        break;
    default:
        break;
    }
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        m_pEasyList->MoveCellCursor(key);
        return true;
    case Qt::Key_F2: {
        const CellRange& cells = m_pEasyList->CellSelection();
        if (cells.IsNone() || !Model())
            return true;
        SetEditCell(cells.top, cells.left);
        m_pEasyList->selectionModel()->setCurrentIndex(Model()->index(cells.top, 0),
                                                       QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
        StartInPlaceEdit();
        return true;
    }
    default:
        break;
    }
    // Typing does nothing on the list: no search, no jump.
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace();
}

bool CListDlgEasy::HandleInPlaceKey(QWidget* target, const QKeyEvent* event)
{
    const int key = event->key();
    auto moveLater = [this](bool back) {
        // After this key: the control goes back to the page first.
        QTimer::singleShot(0, this, [this, back] {
            if (InPlaceControl())
                MoveInPlaceEdit(0, kKeyTab, back);
        });
    };
    if (key == Qt::Key_Escape) {
        CloseInPlaceEdit();
        m_pEasyList->setFocus();
        return true;
    }
    if (key != Qt::Key_Left && key != Qt::Key_Right)
        return false;
    if (qobject_cast<QComboBox*>(target)) {
        moveLater(key == Qt::Key_Left);
        return true;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(target)) {
        if (edit->hasSelectedText())
            return false;
        if (key == Qt::Key_Left && edit->cursorPosition() == 0) {
            moveLater(true);
            return true;
        }
        if (key == Qt::Key_Right && edit->cursorPosition() == edit->text().size()) {
            moveLater(false);
            return true;
        }
    }
    return false;
}

bool CListDlgEasy::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (event->type() == QEvent::KeyPress && widget && widget->window() == this) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (InPlacePage() && (InPlaceControl() || RadioPopup())) {
            if (HandleInPlaceKey(widget, keyEvent))
                return true;
        } else if (!InPlacePage() && (widget == m_pEasyList || widget == m_pEasyList->viewport())) {
            if (HandleListKey(keyEvent))
                return true;
        }
    }
    return CListDlg::eventFilter(watched, event);
}

} // namespace brelkin
