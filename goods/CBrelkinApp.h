#pragma once

#include <QStringList>

namespace brelkin {

// The goods program's start-up: one instance, the mode from the command
// line, one window on the mode's data manager; its result is the exit code.
class CBrelkinApp
{
public:
    // The window class name every top-level window of the program carries.
    static constexpr const char* kClassName = "Lumo Setting Goods";

    // arguments: the command line without the program name.
    int InitInstance(const QStringList& arguments);
};

} // namespace brelkin
