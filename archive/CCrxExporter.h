#pragma once

// Writes the databases of a base folder into a setting archive: assembles
// the unpack folder (media, extra file), writes the archive XML through the
// grammar's export hooks, packs the folder into a temporary archive beside
// the target and renames it over the target. A failure at any step leaves
// the target as it was.

#include "archive/CrxExportContext.h"
#include "archive/CrxResult.h"

#include <QString>
#include <QStringList>

class CCrxDb;
class CCrxDirEnv;
class CCrxNode;

// The media sub-folders of "additionals/Orbanel" that an export packs.
struct CrxMediaSwitches
{
    int movie = 1;
    int fullScreen = 1;
    int halfScreen = 1;
    int itemImages = 1;
    int recommend = 1;
};

class CCrxExporter
{
public:
    // The parts of the call's document the export works on; none is owned.
    CCrxExporter(CCrxDirEnv& env, CCrxDb& settingDb, CCrxDb& customerDb);
    virtual ~CCrxExporter() = default;
    CCrxExporter(const CCrxExporter&) = delete;
    CCrxExporter& operator=(const CCrxExporter&) = delete;

    // Checks the arguments, makes the unpack folder with its "blob" folder,
    // copies the chosen media folders and the extra file, opens both
    // databases. 0 or the first code.
    CrxResult PrepareExport(const QString& baseFolder, const QString& archivePath,
                            const CrxAbortFlag* abort, int exportKind, const QString& extraFile,
                            const QStringList* addList, const QStringList* replaceList,
                            const QStringList* diffList, const CrxMediaSwitches& media);
    // Writes the archive XML by the grammar under root, then packs and
    // replaces the target: 0 or the first code.
    CrxResult WriteCrxFile(CCrxNode& root, const QString& archivePath);
    // Closes the settings database; on success writes the export stamp.
    CrxResult FinishExport(const QString& archivePath, CrxResult code);

    // Copies the extra file over "FILE092P.092" in the unpack folder.
    static int CopyExtraFile(const QString& extraFile, const QString& unpackFolder);

    const CrxExportContext& Context() const { return m_context; }

    static constexpr const char* kExtraFileName = "FILE092P.092";
    static constexpr const char* kSignageFolder = "Orbanel";

private:
    CrxResult CopyMedia(const CrxMediaSwitches& media);

    CCrxDirEnv& m_env;
    CCrxDb& m_settingDb;
    CCrxDb& m_customerDb;
    CrxAbortFlag m_nOwnAbort{0};
    CrxExportContext m_context;
};
