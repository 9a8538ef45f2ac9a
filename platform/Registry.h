#pragma once

#include <QString>

#include <optional>

namespace platform {

// Stand-in for the two registry hives the suite uses. Values live in small
// files, one per key, under
//   machine-wide: <first of XDG_CONFIG_DIRS>/Korvane/<product key>/<sub key>.values
//   per user:     <XDG_CONFIG_HOME>/Korvane/<product key>/<sub key>.values
// A key path is written as the suite writes it ("SOFTWARE\Korvane\ABC\SYSTEM");
// the "SOFTWARE\Korvane\<product key>" prefix picks the folder and the rest is
// the sub key (an empty product key is allowed; "." and ".." are not). A key
// file is a JSON object: a string is a text value, a whole number in
// 0..0xFFFFFFFF a number value. Value names match without regard to case.
// Every call reads the file afresh; every write replaces the file atomically
// (under a lock file, so writers of different values do not lose each other's),
// and a file that cannot be parsed is never overwritten.
enum class RegistryHive { LocalMachine, CurrentUser };

class Registry
{
public:
    // Text value, or nullopt when the key or value is missing or is a number.
    static std::optional<QString> readText(RegistryHive hive, const QString& keyPath,
                                           const QString& name);
    // Number value, or nullopt when missing or text.
    static std::optional<quint32> readNumber(RegistryHive hive, const QString& keyPath,
                                             const QString& name);
    // Create the key when missing and write the value; false on failure.
    static bool writeText(RegistryHive hive, const QString& keyPath, const QString& name,
                          const QString& value);
    static bool writeNumber(RegistryHive hive, const QString& keyPath, const QString& name,
                            quint32 value);
    // True when the value is gone afterwards (also when it never existed).
    static bool removeValue(RegistryHive hive, const QString& keyPath, const QString& name);

    // The file that holds a key's values (for tests and diagnostics); "" for a
    // key path outside "SOFTWARE\Korvane\<product key>\<sub key>".
    static QString keyFile(RegistryHive hive, const QString& keyPath);
};

} // namespace platform
