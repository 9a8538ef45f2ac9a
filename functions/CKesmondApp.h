#pragma once

#include <QStringList>

namespace kesmond {

// The function program's start-up: one instance, the mode from the first
// option, one window on the mode's data manager; its result is the exit
// code (0 when no window ran).
class CKesmondApp
{
public:
    // The window class name every top-level window of the program carries.
    static constexpr const char* kClassName = "Lumo Setting Functions";

    // arguments: the command line without the program name.
    int InitInstance(const QStringList& arguments);
};

} // namespace kesmond
