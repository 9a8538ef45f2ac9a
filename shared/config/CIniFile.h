#pragma once

#include <QString>

// Readers of an INI value that tell whether there was one.
class CIniFile
{
public:
    virtual ~CIniFile() = default;
    // The value into out ("" first); true only when it is not empty.
    bool GetIniString(const QString& path, const QString& section, const QString& key,
                      QString& out) const;
    // The value's leading decimal digits into out (0 first); true only when
    // the value is not empty.
    bool GetIniInt(const QString& path, const QString& section, const QString& key, int& out) const;
};
