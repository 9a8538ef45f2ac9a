#pragma once

namespace tovanel {

class CTovanelFileCommands;
class CTovanelFileHost;

// The selective save of the main-menu window: the table dialog, then the
// partial archive (and a full one beside it) written into temporary files of
// the local data folder and moved to their names. A failure anywhere leaves
// the old archives, the current file and the title as they were.
class CSelectiveSaveCommand
{
public:
    CSelectiveSaveCommand(CTovanelFileCommands& files, CTovanelFileHost& host);

    // True when the archives are at their names.
    bool SelectiveSave();

private:
    // "CRDS_MSG_E_SAVECRP" with the system error number.
    void ShowSaveError(int error);

    CTovanelFileCommands& m_files;
    CTovanelFileHost& m_host;
};

} // namespace tovanel
