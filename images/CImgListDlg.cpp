#include "images/CImgListDlg.h"

#include "images/CGraphicListModel.h"
#include "images/CImgEditDlg.h"
#include "images/CMainImgCtrl.h"
#include "images/GraphicColumns.h"
#include "images/GraphicRows.h"
#include "images/GraphicTypes.h"

#include "goods/base/ProgramMessage.h"

#include "shared/config/CBasePath.h"
#include "shared/config/PitchFontName.h"
#include "shared/controls/CColorButton.h"
#include "shared/controls/CWaitCursor.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CStampImageMgr.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "shared/program/CMainWndCtrl.h"

#include "stroven/Stroven.h"

#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <QTimer>

#include <algorithm>

namespace pellark {

CImgListDlg::CImgListDlg(CSQliteDB* db, QWidget* parent)
    : CMainDlg(parent, IDD), m_pDB(db), m_editor(RunImgEditDlg)
{
    m_records.SetAutoDeleteMember(0);
    setWindowTitle(QStringLiteral("CRDD_IM_IMGLIST"));
    auto* target = new QLabel(QStringLiteral("CRDC_STATIC_PRTIMGTARGET"), this);
    target->setGeometry(12, 8, 400, 20);
    m_pList = new QTableView(this);
    SetControlId(m_pList, IDC_LIST);
    m_pList->setGeometry(12, 30, 616, 150);
    m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->verticalHeader()->hide();
    m_pList->setWordWrap(false);
    auto* preview = new QLabel(QStringLiteral("CRDC_STATIC_PREVIEW"), this);
    preview->setGeometry(12, 188, 400, 20);
    m_pPreview = new CMainImgCtrl(this);
    SetControlId(m_pPreview, IDC_PREVIEW);
    m_pPreview->setGeometry(12, 210, 616, 224);
    for (const auto& [id, key] : {std::pair<uint, const char*>{IDC_HELP, "CRDM_IM_HELP"},
                                  {IDC_DELETE, "CRDC_IM_DELETE"},
                                  {1, "CRD_CHANGE"},
                                  {2, "CRD_BACK"}})
        AddButton(id, QLatin1String(key))->setAutoDefault(false);
    resize(640, 488);

    m_pModel = new CGraphicListModel(GraphicColumnList(), this);
    m_pList->setModel(m_pModel);
    connect(m_pList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CImgListDlg::OnSelectionChanged);
    m_pList->horizontalHeader()->setSectionsClickable(true);
    connect(m_pList->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int section) {
        const int item = SelectedItem();
        const CRecord* selected = m_pModel->Row(item);
        m_pModel->SortByListColumn(section);
        // The selection follows its row.
        for (int row = 0; row < m_pModel->rowCount(); ++row)
            if (m_pModel->Row(row) == selected)
                SelectItem(row);
    });
}

CImgListDlg::~CImgListDlg()
{
    DeletePreviewFile();
    m_records.RemoveAll();
}

void CImgListDlg::EnableButton(uint id, bool enable)
{
    if (QWidget* control = FindControlById(this, id))
        control->setEnabled(enable);
}

void CImgListDlg::EndAfterFailure()
{
    // Ends once the window runs, whether shown or run modally.
    QTimer::singleShot(0, this, [this] { EndDialog(platform::IDCANCEL); });
}

bool CImgListDlg::ReadRows(int& err)
{
    CColumnDataList& columns = GraphicColumnList();
    m_records.RemoveAll();
    columns.SetSQliteDB(m_pDB, &m_records);
    if (!columns.ReadTableInfo(err) || !columns.ReadRecords(err, QString())) {
        m_pModel->SetRows(CStringArrayPtrArray());
        return false;
    }
    m_pModel->SetRows(m_records);
    return true;
}

void CImgListDlg::BuildListColumns()
{
    m_pModel->BuildColumns();
    QFont listFont = m_pList->font();
    listFont.setFamily(GetFixPitchFontName());
    m_pList->setFont(listFont);
    const QFontMetrics metrics(listFont);
    const int charWidth = metrics.horizontalAdvance(QLatin1Char('0'));
    // Each type text and title shows whole, with the cell's margins.
    const int margins = 2 * charWidth;
    const QFontMetrics titleMetrics(m_pList->horizontalHeader()->font());
    // The last column takes the rest of the list.
    for (int column = 0; column + 1 < m_pModel->columnCount(); ++column) {
        int width = std::max(m_pModel->ColumnChars(column) * charWidth,
                             titleMetrics.horizontalAdvance(
                                 m_pModel->headerData(column, Qt::Horizontal).toString()) +
                                 margins);
        for (int row = 0; row < m_pModel->rowCount(); ++row)
            width = std::max(
                width, metrics.horizontalAdvance(m_pModel->index(row, column).data().toString()) +
                           margins);
        m_pList->setColumnWidth(column, width);
    }
    m_pList->horizontalHeader()->setStretchLastSection(true);
    FitListToRows();
}

// The list grows to show its six rows without scrolling; the preview and
// the window move down by as much.
void CImgListDlg::FitListToRows()
{
    const int need = m_pList->horizontalHeader()->sizeHint().height() +
                     m_pModel->rowCount() * m_pList->verticalHeader()->defaultSectionSize() +
                     2 * m_pList->frameWidth();
    const int grow = need - m_pList->height();
    if (grow <= 0)
        return;
    m_pList->resize(m_pList->width(), need);
    for (QWidget* below : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (below != m_pList && below->y() > m_pList->y() && !qobject_cast<CColorButton*>(below))
            below->move(below->x(), below->y() + grow);
    setFixedSize(width(), height() + grow);
}

bool CImgListDlg::OnInitDialog()
{
    CMainDlg::OnInitDialog();
    if (!LoadGraphicRows(this, *m_pDB, m_records)) {
        m_pModel->SetRows(CStringArrayPtrArray());
        EndAfterFailure();
        return true;
    }
    m_pModel->SetRows(m_records);
    BuildListColumns();
    EnableButton(1, false);
    EnableButton(IDC_DELETE, false);
    if (m_pModel->rowCount() > 0) {
        m_pList->setFocus(Qt::OtherFocusReason);
        SelectItem(0);
    } else {
        const CButtonTable& table = ButtonTable();
        for (int i = 0; i < table.count; ++i)
            if (table.rows[i].ctrlId != platform::IDCANCEL && table.rows[i].ctrlId != IDC_HELP)
                EnableButton(table.rows[i].ctrlId, false);
        FocusControl(platform::IDCANCEL);
    }
    return false;
}

int CImgListDlg::SelectedItem() const
{
    const QModelIndexList rows = m_pList->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CImgListDlg::SelectItem(int item)
{
    if (item < 0 || item >= m_pModel->rowCount())
        return;
    const QModelIndex index = m_pModel->index(item, 0);
    m_pList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                          QItemSelectionModel::Rows);
}

void CImgListDlg::OnSelectionChanged()
{
    const int item = SelectedItem();
    EnableButton(1, item >= 0);
    EnableButton(IDC_DELETE, item >= 0);
    if (item >= 0)
        ShowPreview(item);
}

void CImgListDlg::DeletePreviewFile()
{
    if (!m_strPreviewFile.isEmpty())
        QFile::remove(m_strPreviewFile);
    m_strPreviewFile.clear();
}

bool CImgListDlg::ReadGraphicBlob(const QString& key, const QString& fileName, int& status)
{
    status = pellark::ReadGraphicBlob(*m_pDB, key, fileName);
    return status == 0;
}

void CImgListDlg::ShowPreview(int item)
{
    if (item < 0)
        return;
    m_pPreview->ClearImage();
    DeletePreviewFile();
    const CRecord* row = m_pModel->Row(item);
    if (!row)
        return;
    const QString key = row->value(kGraphicCode);
    const QString folder = CBasePath::GetLocalTemporaryPath();
    QString temp;
    int status = 0;
    // The stored name gives only the extension: a name with folders in it
    // never leads the copy out of the local data folder.
    if (!CBasePath::CreateTempFileName(folder, QStringLiteral("QRM"),
                                       CStampImageMgr::TempExtensionOf(row->value(kFileName)),
                                       temp) ||
        !ReadGraphicBlob(key, QFileInfo(temp).fileName(), status)) {
        QFile::remove(temp);
        ShowProgramMessage(this, QStringLiteral("CRDS_IM_ERR_CREATEIMGFILE"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, 0);
        return;
    }
    if (!QFileInfo::exists(temp)) {
        EnableButton(IDC_DELETE, false);
        return;
    }
    m_strPreviewFile = temp;
    if (!m_pPreview->LoadImage(temp, key.trimmed().toInt()))
        ShowProgramMessage(this, QStringLiteral("CRDS_IM_ERR_READIMGFILE"),
                           platform::MessageIcon::Error);
}

bool CImgListDlg::WriteGraphicRow(const QString& key, const QString& fileName,
                                  const QString& blobFile)
{
    CWaitCursor wait;
    int status = WriteGraphicRows(*m_pDB, {{key, fileName, blobFile}});
    if (status != 0) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, status);
        return false;
    }
    const int item = SelectedItem();
    if (!ReadRows(status)) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD2_FAILED"),
                           platform::MessageIcon::Warning, platform::MessageButtons::Ok, status);
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, status);
        EnableButton(1, false);
        EnableButton(IDC_DELETE, false);
        return false;
    }
    if (m_pModel->rowCount() > 0) {
        // Selecting the row again shows its preview afresh.
        m_pList->selectionModel()->clearSelection();
        SelectItem(item);
        EnableButton(IDC_DELETE, !blobFile.isEmpty());
    } else {
        EnableButton(1, false);
        EnableButton(IDC_DELETE, false);
    }
    return true;
}

void CImgListDlg::ChangeImage()
{
    const int item = SelectedItem();
    const CRecord* row = m_pModel->Row(item);
    if (!row || !m_editor)
        return;
    const QString key = row->value(kGraphicCode);
    GraphicEditRequest request;
    request.sourceFile = m_strPreviewFile;
    request.fileName = row->value(kFileName);
    request.code = key.trimmed().toInt();
    GraphicEditResult result;
    if (!m_editor(this, request, result))
        return;
    if (!result.outputFile.isEmpty() && !result.fileName.isEmpty())
        WriteGraphicRow(key, result.fileName, QFileInfo(result.outputFile).fileName());
    // The editor's output is the list's once handed over.
    if (!result.outputFile.isEmpty())
        QFile::remove(result.outputFile);
}

void CImgListDlg::DeleteImage()
{
    const int item = SelectedItem();
    const CRecord* row = m_pModel->Row(item);
    if (!row)
        return;
    const QString key = row->value(kGraphicCode);
    const QString name = GetLangString(QLatin1String(GraphicTypeOf(key.trimmed().toInt()).nameKey));
    if (ShowProgramMessage(this, QStringLiteral("CRDS_IM_DELETE"), platform::MessageIcon::Warning,
                           platform::MessageButtons::OkCancel, name) != platform::IDOK)
        return;
    WriteGraphicRow(key, QString(), QString());
}

bool CImgListDlg::OnCommand(uint id)
{
    if (id == IDC_DELETE) {
        if (QWidget* button = FindControlById(this, IDC_DELETE); button && button->isEnabled())
            DeleteImage();
        return true;
    }
    return CMainDlg::OnCommand(id);
}

void CImgListDlg::OnOK()
{
    // Change: the list stays open.
    if (QWidget* button = FindControlById(this, 1); button && button->isEnabled())
        ChangeImage();
}

void CImgListDlg::OnCancel()
{
    CMainWndCtrl::BringMainWndToFront();
    EndDialog(platform::IDCANCEL);
}

} // namespace pellark
