#include "launcher/IniTableList.h"

#include "shared/config/CEcrInfo.h"
#include "platform/IniProfile.h"

namespace tovanel {

QStringList ReadIniTableList(const QString& section, const QString& key)
{
    const QString value =
        platform::IniProfile::readString(CEcrInfo::GetEcrIniPath(), section, key, QString());
    QStringList codes;
    for (const QString& code : value.split(u','))
        if (!code.trimmed().isEmpty())
            codes << code.trimmed();
    return codes;
}

} // namespace tovanel
