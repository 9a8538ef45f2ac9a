#pragma once

#include <memory>

namespace tovanel {

class CTovanelBaseDlg;

// The launcher's start-up: one instance, the language texts of module
// "Tovanel", the command line, and one main-menu window chosen by the
// product mode. The program ends when that window has closed.
class CTovanelApp
{
public:
    // The exit code: 0 once the main window has closed, and for a second start.
    int InitInstance();

    // Mode 1 the cleaning menu, 2 the easy menu, any other the standard menu.
    static std::unique_ptr<CTovanelBaseDlg> CreateMainWindow(int productMode);
};

} // namespace tovanel
