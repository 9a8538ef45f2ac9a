#pragma once

#include <QStringList>

namespace dunmarel {

// The base program's start-up: one instance, the mode from the first option,
// the work database, one tab dialog; its result is the exit code.
class CDunmarelApp
{
public:
    // The window class name of the program's windows.
    static constexpr const char* kClassName = "Lumo Setting Bases";

    // arguments: the command line without the program name. A missing
    // launcher INI raises CUserException (after its message).
    int InitInstance(const QStringList& arguments);
};

} // namespace dunmarel
