#include "monitor/CListDlg.h"

#include "monitor/CAddDlg.h"
#include "monitor/CButtonPreview.h"
#include "monitor/CColumnDataListMoLocal.h"
#include "monitor/CDDropEdit.h"
#include "monitor/CItemImageListModel.h"
#include "monitor/CItemImageSlots.h"
#include "monitor/ItemImageWorkCopy.h"
#include "monitor/MediaFileChecks.h"
#include "monitor/MediaSlotLayout.h"
#include "goods/base/ProgramMessage.h"
#include "monitor/SignageFolder.h"

#include "goods/base/CMainListCtrl.h"
#include "goods/base/CMainListHeaderCtrl.h"
#include "goods/base/WindowPlacement.h"
#include "shared/config/CBasePath.h"
#include "shared/config/PitchFontName.h"
#include "shared/controls/EditSize.h"
#include "shared/data/CDataManager.h"
#include "shared/data/NumberOfText.h"
#include "shared/data/ReadImageFile.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>

namespace mervolt {

namespace {

constexpr qint64 kMegabyte = 1024 * 1024;
// The row height's margin: two system edges and six pixels.
constexpr int kRowMargin = 2 * 2 + 6;

} // namespace

CListDlg::CListDlg(CDataManager* dataManager, QWidget* parent)
    : CMainDlg(parent, IDD, 0), m_pDataManager(dataManager)
{
    CDialogTemplate tmpl(this, 9, 547, 334);
    m_pList = tmpl.Add<CMainListCtrl>(IDC_LIST, QString(), 7, 7, 380, 296);
    m_pList->setHorizontalHeader(new CMainListHeaderCtrl(Qt::Horizontal, m_pList));
    tmpl.Add<QLabel>(IDC_PREVIEW_CAPTION, QStringLiteral("CRDC_MO_STATIC_PREVIEW"), 395, 7, 145,
                     10);
    m_pPreview = tmpl.Add<CButtonPreview>(IDC_PREVIEW, QString(), 395, 19, 145, 110);
    m_pPreview->setObjectName(QStringLiteral("PreviewArea"));
    m_pSize = tmpl.Add<QLabel>(IDC_IMAGESIZE, QString(), 395, 132, 145, 10);
    m_pExplain =
        tmpl.Add<QLabel>(IDC_EXPLAIN, QStringLiteral("CRDC_MO_STATIC_EXPLAIN"), 395, 148, 145, 120);
    m_pExplain->setWordWrap(true);
    m_pExplain->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_pDefault = tmpl.Add<QPushButton>(
        IDC_DEFAULT_IMAGE, QStringLiteral("CRDC_BUTTON_DEFAULT_ITEMIMAGE"), 395, 272, 145, 16);
    m_pDefault->setAutoDefault(false);
    AddButton(IDC_HELP, QStringLiteral("CRDM_MO_HELP"));
    AddButton(IDC_INSERT, QStringLiteral("CRDC_MO_INSERT"));
    AddButton(IDC_DELETE, QStringLiteral("CRDC_MO_DELETE"));
    AddButton(IDC_UPDATE, QStringLiteral("CRDC_MO_UPDATE"));
    AddButton(platform::IDOK, QStringLiteral("CRD_OK"));
    AddButton(platform::IDCANCEL, QStringLiteral("CRD_CANCEL"));
    for (uint id : {uint(IDC_HELP), uint(IDC_INSERT), uint(IDC_DELETE), uint(IDC_UPDATE),
                    uint(platform::IDOK), uint(platform::IDCANCEL)})
        if (auto* button = qobject_cast<QPushButton*>(FindControlById(this, id)))
            button->setAutoDefault(false);

    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setShowGrid(true);
    m_pList->setContextMenuPolicy(Qt::NoContextMenu);
    // Tab leaves the list for the buttons, as in the other windows.
    m_pList->setTabKeyNavigation(false);
    m_pList->verticalHeader()->hide();
    m_pList->setAcceptDrops(true);
    m_pList->viewport()->setAcceptDrops(true);
    m_pList->viewport()->installEventFilter(this);
    m_pDefault->installEventFilter(this);

    const auto clicked = [this](uint id, void (CListDlg::*handler)()) {
        if (auto* button = qobject_cast<QPushButton*>(FindControlById(this, id)))
            connect(button, &QPushButton::clicked, this, handler);
    };
    clicked(IDC_INSERT, &CListDlg::OnInsert);
    clicked(IDC_DELETE, &CListDlg::OnDelete);
    clicked(IDC_UPDATE, &CListDlg::OnUpdate);
    clicked(IDC_DEFAULT_IMAGE, &CListDlg::OnDefaultImageClicked);
    // A double-click acts as Update, after the click has selected the row.
    connect(m_pList, &QAbstractItemView::doubleClicked, this,
            [this] { QMetaObject::invokeMethod(this, &CListDlg::OnUpdate, Qt::QueuedConnection); });
    connect(m_pList->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        if (!m_pModel || !m_pModel->ClickColumn(section))
            return;
        ShowPictureOf(SelectedRow());
        m_pList->viewport()->update();
    });
}

CListDlg::~CListDlg()
{
    if (m_pModel)
        SaveWindowPlacement(this);
    m_pList->setModel(nullptr);
}

int CListDlg::exec()
{
    if (m_bOpenFailed)
        return m_nFailCode;
    return CMainDlg::exec();
}

void CListDlg::Fail(int code)
{
    // What the opening made of the work copy goes with it.
    if (m_bWorkCopyMade)
        State().CancelAndDiscardTemporary();
    m_bOpenFailed = true;
    m_nFailCode = code;
    // Also when the window is shown without DoModal.
    QTimer::singleShot(0, this, [this, code] { EndDialog(code); });
}

bool CListDlg::OnInitDialog()
{
    SetDialogLangTexts(this);
    m_nLimit = int(NumberOfText(
        GetLangString(m_nListMode == 1 ? QStringLiteral("CRDS_MO_LIMITCOUNT_ITEMIMAGE")
                                       : QStringLiteral("CRDS_MO_LIMITCOUNT_RECOMMENDIMAGE"))));
    m_pDefault->setVisible(m_nListMode == 1);
    CMainDlg::OnInitDialog();
    setWindowTitle(GetLangString(m_pDataManager->m_strWindowNameKey));

    QFont font = m_pList->font();
    font.setFamily(GetFixPitchFontName());
    m_pList->setFont(font);
    m_pList->verticalHeader()->setMinimumSectionSize(1);
    m_pList->verticalHeader()->setDefaultSectionSize(QFontMetrics(font).height() + kRowMargin);
    if (QWidget* insert = FindControlById(this, IDC_INSERT))
        insert->setVisible(m_nRegistered != 1);

    if (CloseWithoutMenuItems())
        return false;
    int width = 0;
    if (!CItemImageSlots::ReadCodeWidth(GetLangString(QStringLiteral("CRDS_MO_COLUNWIDTH_1")),
                                        width)) {
        ShowProgramMessage(this, "CRDS_MO_ERR_SETTING", platform::MessageIcon::Warning);
        Fail(2);
        return false;
    }
    SplitPermitList(this, m_permitted);
    m_nSizeLimit =
        NumberOfText(GetLangString(QStringLiteral("CRDS_MO_LIMITSIZE_IMAGE"))) * kMegabyte;
    m_bWorkCopyMade = true;
    if (!PrepareItemImageWorkCopy(m_nListMode, m_nLimit, *MenuItems(), OwnItems())) {
        ShowProgramMessage(this, "CRDS_MO_MSG_E_COPYFILE", platform::MessageIcon::Error);
        Fail(2);
        return false;
    }
    m_pSlots = std::make_unique<CItemImageSlots>(
        OwnItems(), m_nListMode, width, m_nLimit,
        GetSignagePath(signage::Temporary, CItemImageSlots::PictureFolder(m_nListMode)),
        m_permitted);

    m_pColumns = static_cast<CColumnDataListMoLocal*>(m_pDataManager->GetColumnDataList());
    m_pColumns->m_nRegistered = m_nRegistered;
    m_pColumns->m_nMaxRows = m_nLimit;
    m_pColumns->m_pItems = &OwnItems();
    m_pColumns->m_nListMode = m_nListMode;
    if (!OpenRows())
        return false;

    m_pModel = std::make_unique<CItemImageListModel>(m_pColumns, &m_pDataManager->m_arrRecords,
                                                     m_nRegistered == 1);
    m_pList->setModel(m_pModel.get());
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CListDlg::OnSelectionChanged);
    BuildColumns();
    SetMarksAtOpening();

    QString explain =
        GetLangString(m_nListMode == 1 ? QStringLiteral("CRDS_MO_STATIC_EXPLAIN_ITEMIMAGE")
                                       : QStringLiteral("CRDS_MO_STATIC_EXPLAIN_RECOMMEND"));
    if (m_nRegistered != 1)
        explain += u'\n' + GetLangString(QStringLiteral("CRDS_MO_STATIC_EXPLAIN_ADDNOREGDATA"));
    m_pExplain->setText(explain);

    if (m_pModel->rowCount() > 0) {
        SelectRow(0);
        m_pList->setFocus();
    } else {
        FocusControl(platform::IDCANCEL);
    }
    RestoreWindowPlacement(this);
    return true;
}

bool CListDlg::OpenRows()
{
    if (m_nRegistered != 1) {
        // No database here (closing one would free the columns too).
        m_pColumns->m_pDataManager = m_pDataManager;
        m_pColumns->m_pRecords = &m_pDataManager->m_arrRecords;
        int err = 0;
        m_pColumns->ReadRecords(err, QString());
        return true;
    }
    const QString folder = CBasePath::GetLocalTemporaryPath();
    if (!WorkDatabaseExists() || !m_pDataManager->CreateSQLiteDB(folder)) {
        ShowProgramMessage(this, "CRDS_CMN_ERR_SETREAD_FAILED", platform::MessageIcon::Error);
        Fail(2);
        return false;
    }
    int err = 0;
    if (!m_pDataManager->OpenSQLiteDB(QStringLiteral("\\SETTING.DB"), err) ||
        !m_pColumns->ReadRecords(err, QString())) {
        ShowProgramMessage(this, "CRDS_CMN_ERR_SETREAD2_FAILED", platform::MessageIcon::Warning,
                           platform::MessageButtons::Ok, err);
        Fail(2);
        return false;
    }
    return true;
}

void CListDlg::BuildColumns()
{
    m_pModel->BuildColumns();
    const int w = GetEditOneCharRect(m_pList->font(), m_pList).width();
    for (int c = 0; c < m_pModel->columnCount(); ++c)
        m_pList->SetColumnWidthShowingTitle(c, (m_pModel->ColumnChars(c) + 2) * w);
    WidenColumnsToCells();
}

// Codes a table declares without a width, and names longer than declared,
// still show whole.
void CListDlg::WidenColumnsToCells()
{
    for (int c = 0; c < m_pModel->columnCount(); ++c)
        m_pList->WidenColumnToCells(c);
}

void CListDlg::SetMarksAtOpening()
{
    m_pModel->SortRecords(CItemImageListModel::CodeColumn, true);
    // The column shows the mark or nothing, never what REMARKS holds.
    for (int row = 0; row < m_pModel->rowCount(); ++row)
        m_pModel->SetMark(row, false);
    for (int slot = 1; slot <= m_nLimit; ++slot) {
        const QString code = m_pSlots->CodeOfSlot(slot);
        if (code.isEmpty())
            continue;
        const int row = m_pModel->FindRowByCode(code);
        if (row >= 0)
            m_pModel->SetMark(row, true);
    }
    if (m_nRegistered == 1)
        m_pSlots->ResolveCodesWithoutItem(
            this, [this](const QString& code) { return m_pModel->FindRowByCode(code) >= 0; });
}

int CListDlg::SelectedRow() const
{
    if (!m_pList->selectionModel())
        return -1;
    const QModelIndexList rows = m_pList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CListDlg::SelectRow(int row)
{
    if (!m_pModel || row < 0 || row >= m_pModel->rowCount())
        return;
    const QModelIndex index = m_pModel->index(row, 0);
    m_pList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
    m_pList->scrollTo(index);
}

void CListDlg::OnSelectionChanged()
{
    m_bDefaultTarget = false;
    ShowPictureOf(SelectedRow());
}

void CListDlg::ClearPreview()
{
    m_pSize->clear();
    m_pPreview->m_image = QImage();
    m_pPreview->update();
}

void CListDlg::ShowPicture(const QString& path)
{
    ClearPreview();
    QImage image;
    if (!ReadImageFile(path, image))
        return;
    m_pPreview->m_image = image;
    m_pSize->setText(FormatLangText(GetLangString(QStringLiteral("CRDS_MO_LABEL_IMAGESIZE")),
                                    image.width(), image.height()));
    m_pPreview->update();
}

void CListDlg::ShowPictureOf(int row)
{
    const int slot = row >= 0 ? m_pSlots->SlotOfCode(m_pModel->Code(row)) : 0;
    if (slot == 0) {
        ClearPreview();
        return;
    }
    const QString file = m_pSlots->FileValue(slot);
    if (!IsBareFileName(file)) {
        ClearPreview();
        return;
    }
    ShowPicture(GetSignagePath(signage::Temporary, CItemImageSlots::PictureFolder(m_nListMode)) +
                u'/' + file);
}

void CListDlg::OnInsert()
{
    if (m_nRegistered == 1 || !m_pModel)
        return;
    m_pList->clearSelection();
    if (m_pModel->rowCount() >= m_nLimit) {
        ShowProgramMessage(this, "CRDS_MO_WRN_SELECT_OVER", platform::MessageIcon::Warning);
        return;
    }
    CAddDlg add(m_pDataManager, QStringLiteral("CRDS_MO_CLMN_PLUCODE"), this);
    if (add.DoModal() != platform::IDOK)
        return;
    const QString code = add.GetNewCode();
    if (m_pModel->FirstRowOf(code) >= 0) {
        ShowProgramMessage(this, "CRDS_CMN_ERR_EXIST_FAILED", platform::MessageIcon::Warning);
        return;
    }
    m_pModel->AppendCode(code);
    WidenColumnsToCells();
    // The new code is the one the user picks a picture for next.
    SelectRow(m_pModel->rowCount() - 1);
    m_pList->setFocus();
}

void CListDlg::OnUpdate()
{
    const int row = SelectedRow();
    if (row < 0) {
        ShowProgramMessage(this, "CRDS_MO_NOSELECT", platform::MessageIcon::Warning);
        return;
    }
    QString path, fileName, extension;
    if (!State().ShowSelectFileDialog(GetLangString(QStringLiteral("CRDD_MO_SEL_PNGFILE")), path,
                                      fileName, extension))
        return;
    SetPicture(row, path);
}

void CListDlg::SetPicture(int row, const QString& path)
{
    if (!m_pSlots->CheckPictureFile(this, path, m_nSizeLimit, false))
        return;
    m_pList->scrollTo(m_pModel->index(row, 0));
    const QString code = m_pModel->Code(row);
    QString name = m_pModel->Value(row, CItemImageListModel::NameColumn);
    if (m_nRegistered != 1) {
        name.clear();
        m_pModel->SetValue(row, CItemImageListModel::NameColumn, QString());
    }
    if (!m_pSlots->SetPicture(this, code, name, path, MediaExtensionOf(MediaFileNameOf(path))))
        return;
    const int first = m_pModel->FirstRowOf(code);
    m_pModel->SetMark(first, true);
    SelectRow(first);
    ShowPictureOf(first);
}

void CListDlg::OnDelete()
{
    const int row = SelectedRow();
    if (row < 0) {
        ShowProgramMessage(this, "CRDS_MO_NOSELECT", platform::MessageIcon::Warning);
        return;
    }
    if (m_nRegistered == 1 && !m_pModel->HasMark(row))
        return;
    const QString code = m_pModel->Code(row);
    if (ShowProgramMessage(this, "CRDS_MO_DELETE", platform::MessageIcon::Warning,
                           platform::MessageButtons::OkCancel, code) != platform::IDOK)
        return;
    if (!m_pSlots->DeletePicture(this, code))
        return;
    ClearPreview();
    const int first = m_pModel->FirstRowOf(code);
    m_pModel->SetMark(first, false);
    if (m_nRegistered != 1) {
        m_pModel->RemoveRecord(row);
        return;
    }
    SelectRow(first);
}

void CListDlg::OnDefaultImageFocus()
{
    if (m_nListMode != 1)
        return;
    m_pList->clearSelection();
    const QString work =
        GetSignagePath(signage::Temporary, CItemImageSlots::PictureFolder(m_nListMode));
    const QString name = GetLangString(QStringLiteral("CRDC_FILENAME_DEFAULT_ITEMIMAGE"));
    for (const QString& extension : m_permitted) {
        const QString path = work + u'/' + name + u'.' + extension;
        if (!CheckMediaPathLength(this, path))
            break;
        if (QFileInfo::exists(path))
            ShowPicture(path);
    }
    m_bDefaultTarget = true;
}

void CListDlg::OnDefaultImageClicked()
{
    if (m_nListMode != 1)
        return;
    QString path, fileName, extension;
    if (!State().ShowSelectFileDialog(GetLangString(QStringLiteral("CRDS_MO_SEL_PNGFILE")), path,
                                      fileName, extension))
        return;
    SetDefaultImage(path);
}

void CListDlg::SetDefaultImage(const QString& path)
{
    if (m_pSlots->CheckPictureFile(this, path, m_nSizeLimit, true) &&
        m_pSlots->SetDefaultImage(this, path, MediaExtensionOf(MediaFileNameOf(path)))) {
        const QSignalBlocker quiet(m_pList->selectionModel());
        m_pList->clearSelection();
        ShowPicture(m_pSlots->DefaultImagePath());
    }
    m_bDefaultTarget = true;
}

void CListDlg::OnDropFile(const QString& path)
{
    if (m_bDefaultTarget) {
        SetDefaultImage(path);
        return;
    }
    const int row = SelectedRow();
    if (row < 0) {
        ShowProgramMessage(this, "CRDS_MO_NOSELECT", platform::MessageIcon::Warning);
        return;
    }
    SetPicture(row, path);
}

void CListDlg::DropOnRow(int row, const QString& path)
{
    if (row >= 0)
        SelectRow(row);
    OnDropFile(path);
}

bool CListDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_pDefault && event->type() == QEvent::FocusIn)
        OnDefaultImageFocus();
    if (watched == m_pList->viewport()) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            AcceptFileDrag(static_cast<QDragMoveEvent*>(event));
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList paths = DroppedLocalFiles(drop->mimeData());
            if (!paths.isEmpty()) {
                drop->acceptProposedAction();
                DropOnRow(m_pList->indexAt(drop->position().toPoint()).row(), paths.first());
            }
            return true;
        }
    }
    return CMainDlg::eventFilter(watched, event);
}

void CListDlg::OnOK()
{
    if (!MenuItems() || !m_pSlots) {
        CloseWithoutMenuItems();
        return;
    }
    if (!CommitItemImageWorkCopy(m_nListMode, m_nLimit, *MenuItems(), OwnItems())) {
        ShowProgramMessage(this, "CRDS_MO_MSG_E_COPYFILE", platform::MessageIcon::Error);
        return;
    }
    SetMenuModified();
    EndDialog(platform::IDOK);
}

void CListDlg::OnCancel()
{
    CancelAndDiscardTemporary();
}

} // namespace mervolt
