#include "shared/config/PitchFontName.h"

#include "shared/config/CBasePath.h"
#include "shared/config/CIniFile.h"
#include "shared/lang/CSarvikApp.h"

namespace {

QString optionsFont(const QString& key)
{
    QString value;
    CIniFile().GetIniString(CBasePath::GetOptionsIniPath(), QStringLiteral("CONFIG"), key, value);
    return value;
}

} // namespace

QString GetFixPitchFontName()
{
    const QString value = optionsFont(QStringLiteral("FIXEDFONT"));
    return value.isEmpty() ? LoadCommonString(QStringLiteral("CRDS_CMN_FONTNAME")) : value;
}

QString GetPropoPitchFontName()
{
    const QString value = optionsFont(QStringLiteral("PROPLFONT"));
    return value.isEmpty() ? LoadCommonString(QStringLiteral("CRDS_CMN_FONTNAME_P")) : value;
}
