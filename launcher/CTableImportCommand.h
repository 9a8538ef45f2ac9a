#pragma once

#include <QStringList>

namespace tovanel {

class CTovanelFileCommands;
class CTovanelFileHost;

// The window-menu command that takes chosen tables of another archive into
// the work database: the archive, then the tables, then the import behind
// its progress dialog. The open archive, the menu state and the stored
// work-database time stay; the imported tables count as unsaved changes.
class CTableImportCommand
{
public:
    CTableImportCommand(CTovanelFileCommands& files, CTovanelFileHost& host);

    // True when the tables were taken. importList keeps the last choice.
    bool ImportFromArchive(QStringList& importList);

private:
    CTovanelFileCommands& m_files;
    CTovanelFileHost& m_host;
};

} // namespace tovanel
