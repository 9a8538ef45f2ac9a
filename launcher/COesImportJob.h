#pragma once

#include <QString>

class CSQliteDB;

namespace tovanel {

// The take-over of the OES master files into the work database, without
// widgets: items, departments and clerks, each chosen one in that order,
// updated or added by key. The first file that fails stops the take-over;
// the files before it stay imported.
class COesImportJob
{
public:
    enum MasterFile : int { OES_ITEMS = 0, OES_DEPARTMENTS = 1, OES_CLERKS = 2 };

    // True when every chosen file was taken over; else the failure's message
    // is in m_strErrorMessage.
    bool Run();

    // The master file of a choice below the OES data folder, its folder and
    // file name matched without regard to case; the path as written when
    // nothing matches ("MAINTE/..." alone for an empty data folder).
    static QString MasterFilePath(const QString& dataFolder, int file);

    CSQliteDB* m_pDB = nullptr;
    QString m_strDataFolder;
    int m_bItems = 0;
    int m_bDepartments = 0;
    int m_bClerks = 0;
    QString m_strErrorMessage;
};

} // namespace tovanel
