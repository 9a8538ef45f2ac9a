#pragma once

namespace tovanel {

// The launcher's start-up: one instance, the language texts of module
// "Tovanel", the command line, and one main-menu window chosen by the
// product mode. The program ends when that window has closed.
class CTovanelApp
{
public:
    // The exit code: 0 once the main window has closed, and for a second start.
    int InitInstance();
};

} // namespace tovanel
