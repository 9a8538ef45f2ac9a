#include "shared/config/CEcrInfo.h"

#include "shared/config/CBasePath.h"

#include "platform/IniProfile.h"
#include "platform/Registry.h"

#include <QFileInfo>

namespace {

const QString kEcrSection = QStringLiteral("ECR_LIST");
const QString kRegType = QStringLiteral("REG_TYPE");

} // namespace

bool CEcrInfo::FindEcrIniPath(QString& out)
{
    return CBasePath::FindLauncherIniPath(out);
}

bool CEcrInfo::GetEcrIniPath(QString& out)
{
    out = CBasePath::GetLauncherIniPath();
    return true;
}

QString CEcrInfo::GetEcrIniPath()
{
    return CBasePath::GetLauncherIniPath();
}

int CEcrInfo::GetEcrListCount()
{
    return platform::IniProfile::readInt(GetEcrIniPath(), kEcrSection, QStringLiteral("TOTALCOUNT"),
                                         0);
}

QStringList CEcrInfo::ReadModelValues()
{
    const QString ini = GetEcrIniPath();
    const int count =
        platform::IniProfile::readInt(ini, kEcrSection, QStringLiteral("TOTALCOUNT"), 0);
    QStringList values;
    for (int position = 1; position <= count; ++position) {
        values << platform::IniProfile::readString(
            ini, kEcrSection, QStringLiteral("%1").arg(position, 3, 10, QLatin1Char('0')),
            QString());
    }
    return values;
}

bool CEcrInfo::SplitEcrValue(const QString& value, QStringList& fields)
{
    fields.clear();
    qsizetype from = 0;
    for (int i = 0; i < 3; ++i) {
        const qsizetype comma = value.indexOf(u',', from);
        if (comma == from)
            return false; // an empty field
        if (comma < 0) {
            // No further comma: the rest is this field and every later one.
            const QString rest = value.mid(from);
            while (fields.size() < 4)
                fields << rest;
            return !rest.isEmpty();
        }
        fields << value.mid(from, comma - from);
        from = comma + 1;
    }
    fields << value.mid(from);
    return true;
}

bool CEcrInfo::GetEcrList(QStringList& list)
{
    const QStringList values = ReadModelValues();
    qsizetype insertAt = list.isEmpty() ? 0 : 1;
    for (const QString& value : values) {
        QStringList fields;
        if (value.isEmpty()) {
            list.insert(insertAt++, QString()); // a model key missing within the count
            continue;
        }
        if (!SplitEcrValue(value, fields))
            return false;
        list.insert(insertAt++, fields[3]);
    }
    return true;
}

namespace {

// Model id of the first model whose field equals the text; "" when none.
QString findModelId(const QStringList& values, int field, const QString& text)
{
    for (const QString& value : values) {
        QStringList fields;
        if (CEcrInfo::SplitEcrValue(value, fields) && fields[field] == text)
            return fields[0];
    }
    return {};
}

} // namespace

QString CEcrInfo::GetSelectedEcrTypeFromIni(const QString& displayName)
{
    return findModelId(ReadModelValues(), 3, displayName);
}

QString CEcrInfo::GetSelectedEcrTypeFromIni2(const QString& machineType)
{
    return findModelId(ReadModelValues(), 2, machineType);
}

QString CEcrInfo::GetCurrentEcrTypeFromIni(const QString& modelId, int field)
{
    const QStringList values = ReadModelValues();
    if (field < 1 || field > 3)
        return {};
    for (const QString& value : values) {
        QStringList fields;
        if (CEcrInfo::SplitEcrValue(value, fields) && fields[0] == modelId)
            return fields[field];
    }
    return {};
}

bool CEcrInfo::SetCurrentEcrType(const QString& modelId)
{
    return WriteRegistryString(CBasePath::GetRegistryRootKey(), kRegType, modelId);
}

QString CEcrInfo::GetCurrentEcrType()
{
    return platform::Registry::readText(platform::RegistryHive::CurrentUser,
                                        CBasePath::GetRegistryRootKey(), kRegType)
        .value_or(QString());
}
