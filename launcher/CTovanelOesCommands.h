#pragma once

#include <QString>

namespace tovanel {

class CTovanelFileCommands;
class CTovanelFileHost;
class Tovanelcmn;

// What the main-menu window does in OES mode, where an outside order system
// started it on its own archive and master-file folder: the first Open of
// that archive, the take-over of the master files, the question at close
// that writes the archive back; and, in every mode, the OES save that packs
// a set-data file into a full save.
class CTovanelOesCommands
{
public:
    CTovanelOesCommands(CTovanelFileCommands& files, CTovanelFileHost& host,
                        const Tovanelcmn& menu);

    // The first Open in OES mode: reads the OES archive, keeps the model's
    // archive as diff base, takes the reference time and offers the
    // take-over. False when the archive could not be read: the launcher ends.
    bool OesOpen(const QString& diffBaseArchive);
    // The take-over of the master files; at start only when the user keeps
    // it offered ("DISPSTURTUPIMP").
    void RunOesImport(int atStart);
    // Menu button 1010.
    void OesSave();
    // End button and window close in OES mode: true when the window may
    // close.
    bool OesCloseCheck();

    // The command line.
    QString m_strOesArchivePath;
    int m_nOesMode = 0;
    QString m_strOesDataFolder;
    // Work-database time right after the OES archive was read (before the
    // take-over, so that a take-over always leads to the question at close).
    qint64 m_nOesRefTime = 0;
    QString m_strLastOesFolder; // kept between OES saves

private:
    CTovanelFileCommands& m_files;
    CTovanelFileHost& m_host;
    const Tovanelcmn& m_menu;
};

} // namespace tovanel
