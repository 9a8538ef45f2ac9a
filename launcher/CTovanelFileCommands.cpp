#include "launcher/CTovanelFileCommands.h"

#include "launcher/CCrxReadWriteDlg.h"
#include "launcher/CTovanelFileHost.h"
#include "launcher/TovanelStrings.h"
#include "launcher/Tovanelcmn.h"
#include "archive/QuorvinImport.h"
#include "shared/config/CBasePath.h"
#include "shared/config/CEcrInfo.h"
#include "shared/dialogs/FileDialogFilter.h"
#include "shared/lang/CProgramLang.h"
#include "platform/FileChooser.h"
#include "platform/FileTime.h"
#include "goods/base/ProgramMessage.h"
#include "platform/MessageBox.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tovanel {

namespace {

// Title kinds of the OES title; outside OES only "none" changes anything.
constexpr int kTitleNew = 1;
constexpr int kTitleFile = 2;
constexpr int kTitleNone = 3;

bool HasPrefix(const QString& path, const QString& prefix)
{
    return QFileInfo(path).fileName().startsWith(prefix, Qt::CaseInsensitive);
}

} // namespace

CTovanelFileCommands::CTovanelFileCommands(CTovanelFileHost& host)
    : m_strLocalDataFolder(CBasePath::GetLocalTemporaryPath()),
      m_strWorkDbPath(m_strLocalDataFolder + QStringLiteral("/SETTING.DB")),
      m_strResourceFolder(CBasePath::GetResourcePath()), m_host(host)
{
    m_nWorkDbTime = CurrentWorkDbTime();
}

QString CTovanelFileCommands::DiffBasePath() const
{
    return m_strLocalDataFolder + u'/' + strings::kDiffBaseCrx;
}

void CTovanelFileCommands::FileNew()
{
    QStringList models;
    CEcrInfo::GetEcrList(models);
    const QString previousModel = CEcrInfo::GetCurrentEcrType();
    if (m_host.RunNewFileDialog(models) != platform::IDOK)
        return;
    // The dialog stored the choice; the open archive keeps its own model
    // until New really goes on (the save question may still stop it).
    const QString chosenModel = CEcrInfo::GetCurrentEcrType();
    CEcrInfo::SetCurrentEcrType(previousModel);
    const QString modelFolder = CEcrInfo::GetCurrentEcrTypeFromIni(chosenModel, 1);
    const QString initialArchive =
        CBasePath::GetRegisterBasePath(modelFolder) + u'/' + strings::kDefaultSettingCrx;
    if (!PromptSaveIfModified())
        return;
    CEcrInfo::SetCurrentEcrType(chosenModel);

    m_nTitleKind = kTitleNew;
    if (ReadArchive(initialArchive, true))
        StoreDiffBase(initialArchive);
    m_strCurFileName.clear();
    m_strCurFilePath.clear();
    m_host.UpdateTitle();
}

void CTovanelFileCommands::FileOpen()
{
    ++m_nOpenCount;
    QString path;
    QString name;
    bool chooseFile = true;
    if (m_nOpenCount == 1 && !m_strCmdFileName.isEmpty()) {
        if (CheckNotSubArchive(m_strCmdFileName) && CheckNotInWorkFolder(m_strCmdFileName)) {
            path = m_strCmdFileName;
            name = QFileInfo(m_strCmdFileName).fileName();
            chooseFile = false;
        }
    } else if (!PromptSaveIfModified()) {
        return;
    }
    if (chooseFile) {
        do {
            if (!SelectOpenCrxFile(path, name))
                return;
        } while (!CheckNotSubArchive(path) || !CheckNotInWorkFolder(path));
    }
    // The archive becomes the current file only once it is read: an Open
    // that stops on the way must not make the next Save write the open work
    // into it.
    if (ReadArchive(path, false)) {
        m_strCurFilePath = path;
        m_strCurFileName = name;
        if (chooseFile)
            m_nTitleKind = kTitleFile;
        StoreDiffBase(path);
    }
    m_host.UpdateTitle();
}

bool CTovanelFileCommands::FileSave()
{
    if (m_strCurFilePath.isEmpty())
        return FileSaveAs();
    const bool saved = WriteArchive(m_strCurFilePath, 1);
    m_nLastSaveResult = saved ? 1 : 0;
    return saved;
}

bool CTovanelFileCommands::FileSaveAs()
{
    m_nLastSaveResult = 0;
    QString path;
    QString name;
    do {
        if (!SelectSaveCrxFile(path, name))
            return false;
    } while (!CheckNotInWorkFolder(path) || !CheckNotSubArchiveName(path));
    if (!WriteArchive(path, 1))
        return false;
    // The diff base stays the archive last opened.
    m_nTitleKind = kTitleFile;
    m_strCurFileName = name;
    m_strCurFilePath = path;
    m_host.UpdateTitle();
    m_nLastSaveResult = 1;
    return true;
}

bool CTovanelFileCommands::PromptSaveIfModified()
{
    if (!IsWorkDbModified())
        return true;
    switch (ShowProgramMessage(HostMessageOwner(), QStringLiteral("CRDS_CMN_PROMPT_SAVE"),
                               platform::MessageIcon::Warning,
                               platform::MessageButtons::YesNoCancel)) {
    case platform::IDYES:
        return FileSave();
    case platform::IDNO:
        return true;
    default:
        return false;
    }
}

bool CTovanelFileCommands::ReadArchive(const QString& archivePath, bool prepare)
{
    CCrxReadWriteDlg dialog(m_host.HostWindow());
    CCrxReadWriteJob& job = dialog.Job();
    job.Set(CCrxReadWriteJob::Mode::Read, archivePath, m_strLocalDataFolder);
    job.m_strResourceFolder = m_strResourceFolder;
    dialog.m_strMessage = prepare ? GetLangString(QStringLiteral("CRDS_MSG_PREPARE"))
                                  : GetLangString(QStringLiteral("CRDS_MSG_READING"));
    dialog.m_strCaption = m_host.PlainApplicationTitle();
    // Cleared only now: the title above reads the launcher INI, and a read
    // that stops there leaves everything as it was.
    m_nWorkDbTime = 0;
    if (dialog.DoModal() != 0) {
        m_bDispArchive = IsDispArchiveName(archivePath) ? 1 : 0;
        m_host.EnableMenuButtons(m_bDispArchive ? Tovanelcmn::MENU_DISPLAY : Tovanelcmn::MENU_OPEN);
        m_nWorkDbTime = CurrentWorkDbTime();
        m_crxHeader = job.m_header;
        m_host.EnableImportEntry(true);
        return true;
    }
    m_strCurFileName.clear();
    m_strCurFilePath.clear();
    // Half a work database must never be taken for an open archive.
    CrxDeleteFolder(m_strLocalDataFolder);
    m_nWorkDbTime = 0;
    m_bDispArchive = 0;
    m_host.EnableMenuButtons(Tovanelcmn::MENU_NOFILE);
    m_nTitleKind = kTitleNone;
    m_crxHeader = CrxFileInfo();
    m_host.EnableImportEntry(false);
    return false;
}

bool CTovanelFileCommands::WriteArchive(const QString& archivePath, int kind)
{
    // Only full (1) and partial (2) writes exist; never a full one in place
    // of another kind.
    if (kind != 1 && kind != 2)
        return false;
    CCrxReadWriteDlg dialog(m_host.HostWindow());
    CCrxReadWriteJob& job = dialog.Job();
    job.Set(kind == 2 ? CCrxReadWriteJob::Mode::WritePartial : CCrxReadWriteJob::Mode::WriteFull,
            archivePath, m_strLocalDataFolder);
    job.m_strExtraFile = m_strExtraFile;
    job.m_strResourceFolder = m_strResourceFolder;
    job.m_header = m_crxHeader;
    job.m_partial = m_partialWrite;
    dialog.m_strMessage = GetLangString(QStringLiteral("CRDS_MSG_WRITING"));
    dialog.m_strCaption = m_host.ApplicationTitle();
    if (dialog.DoModal() == 0)
        return false;
    // A partial archive does not hold everything: the work database still
    // counts as changed against the last full one.
    if (kind == 1)
        m_nWorkDbTime = CurrentWorkDbTime();
    return true;
}

void CTovanelFileCommands::StoreDiffBase(const QString& archivePath)
{
    // Written beside the old copy and renamed over it, so a failed copy
    // leaves the last diff base whole; a failure is otherwise ignored.
    QFile source(archivePath);
    if (!source.open(QIODevice::ReadOnly))
        return;
    QSaveFile target(DiffBasePath());
    if (!target.open(QIODevice::WriteOnly))
        return;
    QByteArray chunk;
    while (!(chunk = source.read(1 << 20)).isEmpty()) {
        if (target.write(chunk) != chunk.size()) {
            target.cancelWriting();
            break;
        }
    }
    if (source.error() != QFileDevice::NoError)
        target.cancelWriting();
    target.commit();
}

bool CTovanelFileCommands::CheckNotSubArchive(const QString& path)
{
    if (!HasPrefix(path, strings::kSubArchivePrefix))
        return true;
    ShowProgramMessage(HostMessageOwner(), QStringLiteral("CRDS_MSG_E_CANTOPENSUBFILE"),
                       platform::MessageIcon::Warning);
    return false;
}

bool CTovanelFileCommands::CheckNotSubArchiveName(const QString& path)
{
    if (!HasPrefix(path, strings::kSubArchivePrefix))
        return true;
    ShowProgramMessage(HostMessageOwner(), QStringLiteral("CRDS_MSG_E_SUBNAMEKEPT"),
                       platform::MessageIcon::Warning);
    return false;
}

MessageOwner CTovanelFileCommands::HostMessageOwner()
{
    return {m_host.HostWindow(), m_host.ApplicationTitle()};
}

bool CTovanelFileCommands::CheckNotInWorkFolder(const QString& path)
{
    // The save target need not exist yet: its folder decides.
    const QString folder = QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
    const QString work = QFileInfo(m_strLocalDataFolder).canonicalFilePath();
    if (folder.isEmpty() || work.isEmpty() || (folder != work && !folder.startsWith(work + u'/')))
        return true;
    ShowProgramMessage(HostMessageOwner(), QStringLiteral("CRDS_MSG_E_CRXINWORKFOLDER"),
                       platform::MessageIcon::Warning);
    return false;
}

bool CTovanelFileCommands::IsDispArchiveName(const QString& path)
{
    return HasPrefix(path, strings::kDisplayArchivePrefix);
}

bool CTovanelFileCommands::ChooseCrxFile(bool save, const QString& caption, QString& path,
                                         QString& name)
{
    platform::FileChoice choice;
    choice.kind = save ? platform::FileChoice::Kind::Save : platform::FileChoice::Kind::Open;
    choice.parent = m_host.HostWindow();
    choice.caption = caption;
    choice.filter = FileDialogFilter(GetLangString(QStringLiteral("CRDS_CRX_FILTER")));
    choice.defaultSuffix = strings::kCrxExtension;
    choice.confirmOverwrite = true;
    if (save)
        choice.startPath = m_strCurFilePath.isEmpty() ? m_strCurFileName : m_strCurFilePath;
    const QString chosen = platform::chooseFile(choice);
    if (chosen.isEmpty())
        return false;
    path = QFileInfo(chosen).absoluteFilePath();
    name = QFileInfo(chosen).fileName();
    return true;
}

bool CTovanelFileCommands::SelectOpenCrxFile(QString& path, QString& name)
{
    return ChooseCrxFile(false, QString(), path, name);
}

bool CTovanelFileCommands::SelectSaveCrxFile(QString& path, QString& name)
{
    return ChooseCrxFile(true, QString(), path, name);
}

bool CTovanelFileCommands::SelectImportCrxFile(QString& path, QString& name)
{
    return ChooseCrxFile(false, GetLangString(QStringLiteral("CRDS_MSG_SELECTIMPFILE")), path,
                         name);
}

bool CTovanelFileCommands::GetWorkDbWriteTime(qint64& time) const
{
    time = 0;
    if (m_strWorkDbPath.isEmpty() || !QFileInfo(m_strWorkDbPath).isFile())
        return false;
    const std::optional<qint64> written = platform::lastWriteTimeNs(m_strWorkDbPath);
    if (!written)
        return false;
    time = *written;
    return true;
}

qint64 CTovanelFileCommands::CurrentWorkDbTime() const
{
    qint64 time = 0;
    GetWorkDbWriteTime(time);
    return time;
}

bool CTovanelFileCommands::IsWorkDbModified() const
{
    return CurrentWorkDbTime() != m_nWorkDbTime;
}

} // namespace tovanel
