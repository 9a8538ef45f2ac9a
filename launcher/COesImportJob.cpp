#include "launcher/COesImportJob.h"

#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "shared/textfiles/COesCSVFileImporter.h"

#include <QDir>
#include <QFileInfo>

#include <array>

namespace tovanel {

namespace {

struct MasterFileRow
{
    const char* file;
    const char* table;
    const char* keyColumn;
};

constexpr std::array<MasterFileRow, 3> kMasterFiles = {{
    {"FILE004P.TXT", "CIA001", "ITEMCODE"},
    {"FILE005P.TXT", "CIA002", "ITEMDEPTCODE"},
    {"FILE007P.TXT", "CSB004", "CLKCODE"},
}};

const QString kMasterFolder = QStringLiteral("MAINTE");

// The entries of the folder named so without regard to case, the exact
// name first.
QStringList FindEntries(const QString& folder, const QString& name)
{
    const QDir dir(folder);
    QStringList found;
    if (dir.exists(name))
        found << dir.filePath(name);
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries) {
        if (entry != name && entry.compare(name, Qt::CaseInsensitive) == 0)
            found << dir.filePath(entry);
    }
    return found;
}

} // namespace

QString COesImportJob::MasterFilePath(const QString& dataFolder, int file)
{
    const QString name = QLatin1String(kMasterFiles[size_t(file)].file);
    // An empty data folder has no master files; never look at the root.
    if (dataFolder.isEmpty())
        return kMasterFolder + u'/' + name;
    // Each spelling of the folder may hold some of the files.
    for (const QString& folder : FindEntries(dataFolder, kMasterFolder)) {
        const QStringList files = FindEntries(folder, name);
        if (!files.isEmpty())
            return files.first();
    }
    return QDir(dataFolder).filePath(kMasterFolder + u'/' + name);
}

bool COesImportJob::Run()
{
    m_strErrorMessage.clear();
    const int chosen[] = {m_bItems, m_bDepartments, m_bClerks};
    for (int file = OES_ITEMS; file <= OES_CLERKS; ++file) {
        if (!chosen[file])
            continue;
        const MasterFileRow& row = kMasterFiles[size_t(file)];
        const QString path = MasterFilePath(m_strDataFolder, file);
        if (m_strDataFolder.isEmpty() || !QFileInfo(path).isFile()) {
            m_strErrorMessage =
                FormatLangText(GetLangString(QStringLiteral("CRDS_MSG_E_NOOESFILE")), path);
            return false;
        }
        COesCSVFileImporter importer(m_pDB, QLatin1String(row.table), QLatin1String(row.keyColumn),
                                     path, 1);
        if (importer.ExecuteImport())
            continue;
        // Every failure stops the take-over, also one that names no key.
        if (!importer.GetErrMsgId().isEmpty())
            importer.GetErrorMessage(m_strErrorMessage);
        if (m_strErrorMessage.isEmpty())
            m_strErrorMessage = GetLangString(QStringLiteral("CRDS_PR_ERROR_UNKNOWN"));
        return false;
    }
    return true;
}

} // namespace tovanel
