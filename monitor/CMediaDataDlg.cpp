#include "monitor/CMediaDataDlg.h"

#include "monitor/CXmlDataArray.h"
#include "monitor/MediaFileOps.h"
#include "monitor/MonCopyJob.h"
#include "goods/base/ProgramMessage.h"
#include "monitor/SignageFolder.h"
#include "monitor/TelopFile.h"
#include "monitor/WorkFolderSwap.h"

#include "shared/controls/CEcrEdit.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/NumberOfText.h"
#include "shared/lang/CProgramLang.h"

#include "platform/MessageBox.h"

#include <QAbstractButton>
#include <QLineEdit>

namespace mervolt {

namespace {

constexpr qint64 kMegabyte = 1024 * 1024;

QString WorkRoot()
{
    return GetSignagePath(signage::Temporary, QString());
}

} // namespace

qint64 MediaSizeLimit(const char* key)
{
    return NumberOfText(GetLangString(QLatin1String(key))) * kMegabyte;
}

CMediaDataDlg::CMediaDataDlg(QWidget* parent, uint templateId, std::vector<MonMediaSlot> table,
                             QStringList folders)
    : CMainDlg(parent, templateId, 0), m_slots(std::move(table)), m_folders(std::move(folders))
{
}

CMediaDataDlg::~CMediaDataDlg() = default;

QLineEdit* CMediaDataDlg::Edit(const MonMediaSlot& slot) const
{
    return qobject_cast<QLineEdit*>(FindControlById(const_cast<CMediaDataDlg*>(this), slot.editId));
}

void CMediaDataDlg::ConnectSlots()
{
    for (const MonMediaSlot& slot : m_slots) {
        if (slot.kind != MonMediaSlot::Media)
            continue;
        if (auto* select = qobject_cast<QAbstractButton*>(FindControlById(this, slot.selectId)))
            connect(select, &QAbstractButton::clicked, this, [this, &slot] { OnSelect(slot); });
        if (auto* remove = qobject_cast<QAbstractButton*>(FindControlById(this, slot.deleteId)))
            connect(remove, &QAbstractButton::clicked, this, [this, &slot] { OnDelete(slot); });
    }
}

int CMediaDataDlg::exec()
{
    if (m_bOpenFailed)
        return platform::IDCANCEL;
    return CMainDlg::exec();
}

bool CMediaDataDlg::OnInitDialog()
{
    SetDialogLangTexts(this);
    CMainDlg::OnInitDialog();
    if (CloseWithoutMenuItems())
        return false;
    if (!OpenWorkCopies()) {
        m_bOpenFailed = true;
        return false;
    }
    for (const MonMediaSlot& slot : m_slots)
        ShowItemInControl(Edit(slot), signage::StringType, slot.key);
    // A longer telop from an archive is shown whole and only cannot grow.
    const int telopLimit = int(NumberOfText(GetLangString("CRDS_MO_LIMITCOUNT_TELOPCHAR")));
    for (const MonMediaSlot& slot : m_slots) {
        auto* edit = qobject_cast<CEcrEdit*>(Edit(slot));
        if (edit && slot.kind == MonMediaSlot::Telop)
            edit->LimitText(telopLimit);
    }
    return true;
}

bool CMediaDataDlg::OpenWorkCopies()
{
    // Leftovers of an earlier run must never reach the real folders.
    const QString root = WorkRoot();
    RemoveDirectoryTree(root);
    if (!CreateDirectoryRetry(root)) {
        ShowProgramMessage(this, "CRDS_MO_MSG_E_COPYFILE", platform::MessageIcon::Error);
        m_bOpenFailed = true;
        return false;
    }
    qint64 total = 0;
    for (const QString& folder : m_folders)
        total += TreeSize(GetSignagePath(folder, QString()));
    const QStringList folders = m_folders;
    const MonJobResult result =
        RunMonCopyJob(parentWidget(), total, [folders](const MonCopyControl& control) {
            for (const QString& folder : folders) {
                const QString real = GetSignagePath(folder, QString());
                const QString work = GetSignagePath(signage::Temporary, folder);
                const bool ok = GetPathKind(real) == MON_PATH_FOLDER
                                    ? CopyDirectoryTree(real, work, &control)
                                    : CreateDirectoryRetry(work);
                if (!ok)
                    return false;
            }
            return true;
        });
    if (result == MonJobResult::Done)
        return true;
    RemoveDirectoryTree(root);
    if (result == MonJobResult::Failed)
        ShowProgramMessage(this, "CRDS_MO_MSG_E_COPYFILE", platform::MessageIcon::Error);
    return false;
}

void CMediaDataDlg::OnSelect(const MonMediaSlot& slot)
{
    SelectMediaFile(GetLangString(QLatin1String(slot.filterKey)), MediaSizeLimit(slot.sizeLimitKey),
                    slot.key, slot.folder, Edit(slot),
                    GetLangString(QLatin1String(slot.permitKey)));
}

void CMediaDataDlg::OnDelete(const MonMediaSlot& slot)
{
    DeleteMediaFile(slot.key, slot.folder, Edit(slot));
}

bool CMediaDataDlg::Commit()
{
    // The telop texts go into the work copy first, under the names the own
    // items hold, so they are put in place with their folder.
    for (const MonMediaSlot& slot : m_slots) {
        if (slot.kind != MonMediaSlot::Telop)
            continue;
        QString name;
        GetOwnItemValue(name, signage::StringType, slot.key);
        name = TelopFileNameOf(slot.key, name);
        if (CXmlItem* own = OwnItems().FindOrAddItem(signage::StringType, slot.key))
            own->m_strValue = name;
        QLineEdit* edit = Edit(slot);
        if (!WriteTelopFile(signage::Temporary + u'/' + slot.folder, name,
                            edit ? edit->text() : QString()))
            return false;
    }
    return SwapInWorkFolders(m_folders);
}

void CMediaDataDlg::OnOK()
{
    if (!MenuItems()) {
        CloseWithoutMenuItems();
        return;
    }
    if (!Commit()) {
        ShowProgramMessage(this, "CRDS_MO_MSG_E_COPYFILE", platform::MessageIcon::Error);
        return;
    }
    for (const MonMediaSlot& slot : m_slots)
        PutOwnItemToMenu(signage::StringType, slot.key);
    // The old folders went aside into the work folder.
    RemoveDirectoryTree(WorkRoot());
    SetMenuModified();
    EndDialog(platform::IDOK);
}

void CMediaDataDlg::OnCancel()
{
    CancelAndDiscardTemporary();
}

} // namespace mervolt
