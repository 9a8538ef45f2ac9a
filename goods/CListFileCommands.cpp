#include "goods/CListFileCommands.h"

#include "goods/CListRowImport.h"
#include "goods/CResDispDlg.h"
#include "goods/CSelectExportColumn.h"
#include "goods/CTextImpExp.h"
#include "goods/ListFileTables.h"
#include "goods/base/ProgramMessage.h"

#include "shared/controls/CWaitCursor.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"

#include "platform/FileChooser.h"

#include <QRect>

namespace brelkin {

namespace {

const QString kErrorEnd = QStringLiteral("CRDS_ERR_ERROREND");
const QString kLineBreak = QStringLiteral("\r\n");

} // namespace

CListFileCommands::CListFileCommands(CDataManager* dataManager, QWidget* window, int windowKind,
                                     std::function<void()> refreshList)
    : m_pDataManager(dataManager), m_pWindow(window), m_nWindowKind(windowKind),
      m_refreshList(std::move(refreshList))
{
}

CListFileCommands::~CListFileCommands() = default;

QString CListFileCommands::ChooseFile(bool save)
{
    platform::FileChoice file;
    file.kind = save ? platform::FileChoice::Kind::Save : platform::FileChoice::Kind::Open;
    file.parent = m_pWindow;
    const QString extension = GetLangString(QStringLiteral("CRDS_FILTER_TXTEXT"));
    file.startPath =
        GetLangString(m_pDataManager->m_strWindowNameKey) + QLatin1Char('.') + extension;
    file.filter = GetLangString(QStringLiteral("CRDS_FILTER_TXTALL"));
    file.defaultSuffix = extension;
    // A list exported over another file replaces it only when asked to.
    file.confirmOverwrite = true;
    const QString path = platform::chooseFile(file);
    Focus();
    return path;
}

void CListFileCommands::Focus()
{
    if (m_pFocusWindow)
        m_pFocusWindow->setFocus();
}

void CListFileCommands::NewLog()
{
    delete m_pLog.data();
    m_pLog = new CResDispDlg();
    m_pLog->SetFocusWindow(m_pFocusWindow);
    m_pLog->CreateModeless(m_pWindow);
}

bool CListFileCommands::ExportList()
{
    QString lastColumn;
    if (m_nWindowKind == 1) {
        CSelectExportColumn choice(m_pWindow);
        if (choice.DoModal() != platform::IDOK)
            return false;
        if (choice.GetChoice() == 0)
            lastColumn = QStringLiteral("UNUSABLEFLG");
    }
    const QString path = ChooseFile(true);
    if (path.isEmpty())
        return false;
    CTextImpExp data;
    {
        CWaitCursor wait;
        BuildExportTable(m_pDataManager, data, 1, int(m_pDataManager->m_arrRecords.GetSize()),
                         lastColumn);
    }
    // Exported rows lead with their code: a refused value names its record.
    if (!data.CheckListValues(m_pWindow, {}))
        return false;
    const bool written = data.WriteListFile(path);
    if (written) {
        ShowProgramMessage(m_pWindow, QStringLiteral("CRDS_ERR_SUCCESSEND"),
                           platform::MessageIcon::Information);
    } else {
        QString text = GetLangString(kErrorEnd);
        if (!data.ErrorString().isEmpty())
            text += kLineBreak + kLineBreak + data.ErrorString();
        ShowProgramMessageText(m_pWindow, kErrorEnd, text, platform::MessageIcon::Warning,
                               platform::MessageButtons::Ok);
    }
    Focus();
    return written;
}

bool CListFileCommands::ImportList()
{
    const QString path = ChooseFile(false);
    if (path.isEmpty())
        return false;
    NewLog();
    // The rows are read as they are imported.
    CTextImpExp data;
    CListRowImport import(m_pDataManager);
    const bool opened = data.OpenListFile(path);
    if (!opened || !import.IsListHeader(data.m_arrHeader)) {
        delete m_pLog.data();
        RefuseListFile(data, opened, path);
        Focus();
        return false;
    }
    const bool ok = import.RunInLog(data, *m_pLog);
    if (m_refreshList)
        m_refreshList();
    return ok;
}

void CListFileCommands::RefuseListFile(const CTextImpExp& data, bool opened, const QString& path)
{
    if (opened) {
        ShowProgramMessage(m_pWindow, QStringLiteral("CRDS_PR_ERROR_NOTLISTFILE"),
                           platform::MessageIcon::Warning, platform::MessageButtons::Ok, path);
        return;
    }
    if (data.GetReadFault() == CTextImpExp::ReadFault::Encoding) {
        ShowProgramMessage(m_pWindow, QStringLiteral("CRDS_PR_ERROR_LISTENCODING"),
                           platform::MessageIcon::Warning, platform::MessageButtons::Ok, path);
        return;
    }
    QString text = GetLangString(kErrorEnd);
    text += data.ErrorString().isEmpty()
                ? kLineBreak + GetLangString(QStringLiteral("CRDS_PR_ERROR_TXTFILE"))
                : kLineBreak + kLineBreak + data.ErrorString();
    ShowProgramMessageText(m_pWindow, kErrorEnd, text, platform::MessageIcon::Warning,
                           platform::MessageButtons::Ok);
}

bool CListFileCommands::CopyCells(const QRect& selection, const QList<int>& columnMap)
{
    if (selection.left() < 0 || selection.top() < 0 || selection.right() < 0 ||
        selection.bottom() < 0)
        return true;
    CTextImpExp data;
    BuildCopyTable(m_pDataManager, data, selection.top() + 1, selection.bottom() + 1, columnMap,
                   selection.left(), selection.right());
    // The copied cells need not hold the code: name each row's record.
    QStringList codes;
    const CStringArrayPtrArray& records = m_pDataManager->m_arrRecords;
    for (int r = std::max(selection.top(), 0);
         r <= selection.bottom() && r < records.GetSize() && codes.size() < data.GetRowCount(); ++r)
        codes << records.GetAt(r)->value(0);
    if (!data.CheckListValues(m_pWindow, codes))
        return false;
    return data.CopyRowsToClipboard(m_pFocusWindow);
}

bool CListFileCommands::PasteCells(QRect& selection)
{
    if (selection.left() < 0 || selection.top() < 0)
        return true;
    CTextImpExp data;
    if (!data.PasteRowsFromClipboard(m_pFocusWindow))
        return false;
    return PasteRows(data, selection);
}

bool CListFileCommands::PasteRows(CTextImpExp& data, QRect& selection)
{
    CWaitCursor wait;
    PreparePasteRows(m_pDataManager, data, selection);
    NewLog();
    CListRowImport import(m_pDataManager);
    import.RunInLog(data, *m_pLog);
    if (m_refreshList)
        m_refreshList();
    return true;
}

} // namespace brelkin
