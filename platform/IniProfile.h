#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// Windows private-profile semantics over a text file: sections and keys match
// without regard to case, the first match wins, values are trimmed of blanks,
// nothing is unescaped or unquoted (so "A1,M1,T1,Name, two" reads back whole).
// Lines whose first non-blank character is ";" are comments; keys before the
// first section belong to none. keys() and sections() list each name once.
// Files are read afresh on every call; writes change only the line concerned
// and replace the file atomically. Lines are decoded as UTF-8. A missing file
// reads as empty.
class IniProfile
{
public:
    // The value, or nullopt when the file, section or key is missing.
    static std::optional<QString> readString(const QString& file, const QString& section,
                                             const QString& key);
    // As GetPrivateProfileString: the value or the default.
    static QString readString(const QString& file, const QString& section, const QString& key,
                              const QString& defaultValue);
    // As GetPrivateProfileInt: the leading decimal digits (with an optional
    // sign) of the value; the default when missing or no digits lead.
    static int readInt(const QString& file, const QString& section, const QString& key,
                       int defaultValue);
    // Key names of a section in file order (empty when missing).
    static QStringList keys(const QString& file, const QString& section);
    // Section names in file order.
    static QStringList sections(const QString& file);

    // As WritePrivateProfileString: replaces the first matching key, or adds
    // it after the last key of its section (the section at the end of the
    // file). Every other line stays byte for byte. False, and nothing written,
    // for text that would not read back as given: a line break anywhere, an
    // empty section or key, "]" in the section, "=" in the key, or a key that
    // starts with ";" or "[". The folder must exist.
    static bool writeString(const QString& file, const QString& section, const QString& key,
                            const QString& value);
    // Removes the first matching key's line; true when it is gone afterwards.
    static bool removeKey(const QString& file, const QString& section, const QString& key);
};

} // namespace platform
