#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace tovanel {

// What the file commands need of the main-menu window.
class CTovanelFileHost
{
public:
    virtual ~CTovanelFileHost() = default;

    // Owner of the file choosers, progress dialogs and messages.
    virtual QWidget* HostWindow() = 0;
    // The application title (the caption of messages and of a write) and
    // its plain form, never the OES one (the caption of a read).
    virtual QString ApplicationTitle() = 0;
    virtual QString PlainApplicationTitle() = 0;
    virtual void EnableMenuButtons(int state) = 0;
    virtual void UpdateTitle() = 0;
    // The window menu's entry for a table import from another archive.
    virtual void EnableImportEntry(bool enable) = 0;
    // Runs the new-file dialog on the models' display names; on OK it has
    // stored the chosen model id as the current model. IDOK or IDCANCEL.
    virtual int RunNewFileDialog(const QStringList& models) = 0;
};

} // namespace tovanel
