#pragma once

#include <QString>
#include <QStringList>

namespace mervolt {

// The monitor program's start-up: profile, one instance, the mode from the
// first option, the language texts, the menu; the menu's result is the exit
// code (0 when the program ends before the menu).
class CMervoltApp
{
public:
    // The window class name of the menu.
    static constexpr const char* kClassName = "Lumo Setting Monitor";

    // arguments: the command line without the program name. languageFile:
    // "" for the suite's language file.
    int InitInstance(const QStringList& arguments, const QString& languageFile = QString());

    // 1 (registered: items from the work database) unless option 0 is
    // exactly "B" (display archive: items from Preference.xml).
    static int RegisteredFromOption(const QString& option0);
};

} // namespace mervolt
