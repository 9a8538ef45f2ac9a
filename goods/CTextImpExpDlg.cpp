#include "goods/CTextImpExpDlg.h"

#include "goods/base/ProgramMessage.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataDBCombo.h"
#include "shared/data/CColumnDataItemSelectBtn.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CColumnDataStaticCombo.h"
#include "shared/data/CDataManager.h"
#include "shared/dialogs/CCmnImportStateDlg.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/lang/CProgramLang.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QThread>

namespace brelkin {

namespace {

const QString kTextSuffix = QStringLiteral("txt");
const QString kOesSuffix = QStringLiteral("csv");

// The columns whose values the list takes as codes of their width: its key,
// and the choices of a code of another table (a static choice list holds
// values of its own, not codes).
QStringList CodeColumns(const CColumnDataList& list)
{
    QStringList codes;
    for (int i = 0; i < list.m_nColumnCount; ++i) {
        CColumnData* column = list.m_ppColumnData[i];
        const bool choiceOfCode = (dynamic_cast<CColumnDataDBCombo*>(column) &&
                                   !dynamic_cast<CColumnDataStaticCombo*>(column)) ||
                                  dynamic_cast<CColumnDataItemSelectBtn*>(column);
        if (i == list.m_nKeyIndex || choiceOfCode)
            codes.append(column->m_strColumnName);
    }
    return codes;
}

} // namespace

CTextImpExpDlg::CTextImpExpDlg(CDataManager* dataManager, uint command, QWidget* parent)
    : CSarvikDialog(parent), m_pDataManager(dataManager), m_nCommand(command)
{
    CDialogTemplate tmpl(this, 9, 200, 50);
    auto* text = tmpl.Add<QLabel>(IDC_STATIC_TXT_PROC, QStringLiteral("CRDC_PR_STATIC_TXT_PROC"), 7,
                                  7, 186, 16);
    text->setWordWrap(true);
    // A busy indicator stands where the animation played.
    auto* busy = tmpl.Add<QProgressBar>(IDC_ANIMATE, QString(), 7, 28, 186, 9);
    busy->setRange(0, 0);
    busy->setTextVisible(false);
    // The job runs to its end: no close button.
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    m_strDatabase = CBasePath::GetLocalDataBasePath() + QStringLiteral("/SETTING.DB");
}

CTextImpExpDlg::~CTextImpExpDlg()
{
    // The job writes into this object: it never outlives it.
    if (m_pWorker)
        m_pWorker->wait();
}

void CTextImpExpDlg::SetLangTexts()
{
    SetDialogLangTexts(this);
}

QString CTextImpExpDlg::DefaultFileName() const
{
    if (m_nCommand != CTextImpExpJob::OesImport)
        return m_pDataManager->GetColumnDataList()->m_strTableName + u'.' + kTextSuffix;
    QString name;
    if (m_pDataManager->m_strWindowNameKey == QLatin1String("CRDS_PR_WINNAME_PLU"))
        name = QStringLiteral("FILE004P");
    else if (m_pDataManager->m_strWindowNameKey == QLatin1String("CRDS_PR_WINNAME_SECTION"))
        name = QStringLiteral("FILE005P");
    return name + u'.' + kOesSuffix;
}

QString CTextImpExpDlg::ChooseFile(bool save)
{
    const bool oes = m_nCommand == CTextImpExpJob::OesImport;
    const QString suffix = oes ? kOesSuffix : kTextSuffix;
    platform::FileChoice choice;
    choice.kind = save ? platform::FileChoice::Kind::Save : platform::FileChoice::Kind::Open;
    choice.parent = parentWidget();
    choice.caption = m_strTitle;
    choice.startPath = DefaultFileName();
    choice.filter = GetLangString(oes ? QStringLiteral("CRDS_PR_OES_FILTER")
                                      : QStringLiteral("CRDS_PR_TXT_FILTER"));
    choice.defaultSuffix = suffix;
    choice.confirmOverwrite = true;
    QString path = platform::chooseFile(choice);
    if (path.isEmpty())
        return path;
    // A name typed without an extension gets the default one, unless an
    // existing file to read is named so.
    const QFileInfo info(path);
    if (info.suffix().isEmpty() && (save || !info.isFile()))
        path += u'.' + suffix;
    return path;
}

bool CTextImpExpDlg::Prepare()
{
    switch (m_nCommand) {
    case CTextImpExpJob::DataDelete: {
        if (ShowProgramMessage({parentWidget(), m_strTitle},
                               QStringLiteral("CRDS_PR_CONFIRM_DELETEALLREC"),
                               platform::MessageIcon::Question,
                               platform::MessageButtons::OkCancel) != platform::IDOK)
            return false;
        m_strProgressText = GetLangString(QStringLiteral("CRDS_PR_MESSAGE_DELETING"));
        return true;
    }
    case CTextImpExpJob::DataImport:
    case CTextImpExpJob::OesImport: {
        CCmnImportStateDlg mode(parentWidget());
        mode.m_strTitle = GetLangString(m_nCommand == CTextImpExpJob::DataImport
                                            ? QStringLiteral("CRDS_PR_DATAIMPORT_STR")
                                            : QStringLiteral("CRDS_PR_OESCSVIMPORT_STR"));
        if (mode.DoModal() != platform::IDOK)
            return false;
        m_job.m_nMode = mode.m_bUpdate ? 1 : 0;
        m_job.m_strPath = ChooseFile(false);
        if (m_job.m_strPath.isEmpty())
            return false;
        m_strProgressText = GetLangString(QStringLiteral("CRDS_PR_MESSAGE_IMPORTING"));
        return true;
    }
    case CTextImpExpJob::DataExport:
        m_job.m_strPath = ChooseFile(true);
        if (m_job.m_strPath.isEmpty())
            return false;
        m_strProgressText = GetLangString(QStringLiteral("CRDS_PR_MESSAGE_EXPORTING"));
        return true;
    default:
        return false;
    }
}

int CTextImpExpDlg::DoModal()
{
    if (!Prepare())
        return 0;
    return CSarvikDialog::DoModal();
}

bool CTextImpExpDlg::OnInitDialog()
{
    CSarvikDialog::OnInitDialog();
    setWindowTitle(m_strTitle);
    if (auto* text = qobject_cast<QLabel*>(FindControlById(this, IDC_STATIC_TXT_PROC)))
        text->setText(m_strProgressText);
    // The job reads nothing of the window: everything is handed over now.
    const CColumnDataList* list = m_pDataManager->GetColumnDataList();
    m_job.m_nCommand = m_nCommand;
    m_job.m_strDatabase = m_strDatabase;
    m_job.m_strTable = list->m_strTableName;
    if (const CColumnData* key = list->KeyColumn())
        m_job.m_strKeyColumn = key->m_strColumnName;
    m_job.m_codeColumns = CodeColumns(*list);
    m_pWorker.reset(QThread::create([this] {
        const bool ok = m_job.Run();
        QMetaObject::invokeMethod(
            this, [this, ok] { OnJobDone(ok); }, Qt::QueuedConnection);
    }));
    m_pWorker->start();
    return true;
}

void CTextImpExpDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
}

void CTextImpExpDlg::OnJobDone(bool ok)
{
    m_pWorker->wait();
    m_pWorker.reset();
    if (!ok)
        ShowProgramMessageText(this, m_job.m_strErrorKey, m_job.m_strErrorMessage,
                               platform::MessageIcon::Error, platform::MessageButtons::Ok);
    EndDialog(ok ? 1 : 0);
}

} // namespace brelkin
