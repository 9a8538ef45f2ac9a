#include "shared/config/CIniFile.h"

#include "platform/IniProfile.h"

bool CIniFile::GetIniString(const QString& path, const QString& section, const QString& key,
                            QString& out) const
{
    out = platform::IniProfile::readString(path, section, key, QString());
    return !out.isEmpty();
}

bool CIniFile::GetIniInt(const QString& path, const QString& section, const QString& key,
                         int& out) const
{
    out = 0;
    QString text;
    if (!GetIniString(path, section, key, text))
        return false;
    out = platform::IniProfile::readInt(path, section, key, 0);
    return true;
}
