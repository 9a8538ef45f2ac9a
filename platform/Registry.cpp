#include "platform/Registry.h"

#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QLockFile>

#include <cmath>

namespace platform {

namespace {

// Values of one key are a JSON object: a string is a text value, a whole
// number in 0..0xFFFFFFFF a number value; anything else reads as missing.
const QString kSuffix = QStringLiteral(".values");

QString hiveRoot(RegistryHive hive)
{
    if (hive == RegistryHive::LocalMachine) {
        const QStringList dirs =
            qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'), Qt::SkipEmptyParts);
        for (const QString& dir : dirs) {
            if (QDir::isAbsolutePath(dir))
                return dir;
        }
        return QStringLiteral("/etc/xdg");
    }
    const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(home))
        return home;
    return QDir::homePath() + QStringLiteral("/.config");
}

bool isSafeComponent(const QString& part)
{
    return part != QLatin1String(".") && part != QLatin1String("..") &&
           !part.contains(QLatin1Char('/')) && !part.contains(QChar(0));
}

struct Values
{
    bool valid = true; // false when the file exists but cannot be read or parsed
    QJsonObject object;
};

Values readValues(const QString& path)
{
    Values values;
    QFile file(path);
    if (!file.exists())
        return values;
    if (!file.open(QIODevice::ReadOnly)) {
        values.valid = false;
        return values;
    }
    const QByteArray bytes = file.readAll();
    if (bytes.trimmed().isEmpty())
        return values;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject()) {
        values.valid = false;
        return values;
    }
    values.object = doc.object();
    return values;
}

// Value names match without regard to case, as the registry's do.
QString findName(const QJsonObject& object, const QString& name)
{
    if (object.contains(name))
        return name;
    for (auto it = object.begin(); it != object.end(); ++it) {
        if (it.key().compare(name, Qt::CaseInsensitive) == 0)
            return it.key();
    }
    return {};
}

std::optional<QJsonValue> readValue(RegistryHive hive, const QString& keyPath, const QString& name)
{
    const QString path = Registry::keyFile(hive, keyPath);
    if (path.isEmpty())
        return std::nullopt;
    const Values values = readValues(path);
    if (!values.valid)
        return std::nullopt;
    const QString found = findName(values.object, name);
    if (found.isEmpty() && !values.object.contains(name))
        return std::nullopt;
    return values.object.value(found);
}

// Reads, changes and replaces the key's file under a lock, so two programs
// writing different values of one key never lose each other's.
template <typename Change>
bool modifyValues(RegistryHive hive, const QString& keyPath, bool createKey, Change change)
{
    const QString path = Registry::keyFile(hive, keyPath);
    if (path.isEmpty())
        return false;
    if (!createKey && !QFileInfo::exists(path))
        return true;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(5000))
        return false;
    Values values = readValues(path);
    if (!values.valid)
        return false; // never replace a file we could not understand
    if (!change(values.object))
        return true;
    return writeFileAtomically(path, QJsonDocument(values.object).toJson(QJsonDocument::Indented));
}

bool writeValue(RegistryHive hive, const QString& keyPath, const QString& name,
                const QJsonValue& value)
{
    return modifyValues(hive, keyPath, true, [&](QJsonObject& object) {
        const QString found = findName(object, name);
        object.insert(found.isEmpty() ? name : found, value);
        return true;
    });
}

} // namespace

QString Registry::keyFile(RegistryHive hive, const QString& keyPath)
{
    // SOFTWARE \ Korvane \ <product key, may be empty> \ <sub key ...>
    const QStringList parts = keyPath.split(QLatin1Char('\\'));
    if (parts.size() < 4 || parts[0].compare(QLatin1String("SOFTWARE"), Qt::CaseInsensitive) != 0 ||
        parts[1].compare(QLatin1String("Korvane"), Qt::CaseInsensitive) != 0)
        return {};
    QString path = hiveRoot(hive) + QStringLiteral("/Korvane");
    if (!isSafeComponent(parts[2]))
        return {};
    if (!parts[2].isEmpty())
        path += QLatin1Char('/') + parts[2];
    for (qsizetype i = 3; i < parts.size(); ++i) {
        if (parts[i].isEmpty() || !isSafeComponent(parts[i]))
            return {};
        path += QLatin1Char('/') + parts[i];
    }
    return path + kSuffix;
}

std::optional<QString> Registry::readText(RegistryHive hive, const QString& keyPath,
                                          const QString& name)
{
    const auto value = readValue(hive, keyPath, name);
    if (!value || !value->isString())
        return std::nullopt;
    return value->toString();
}

std::optional<quint32> Registry::readNumber(RegistryHive hive, const QString& keyPath,
                                            const QString& name)
{
    const auto value = readValue(hive, keyPath, name);
    if (!value || !value->isDouble())
        return std::nullopt;
    const double number = value->toDouble();
    if (number < 0 || number > 4294967295.0 || std::floor(number) != number)
        return std::nullopt;
    return quint32(number);
}

bool Registry::writeText(RegistryHive hive, const QString& keyPath, const QString& name,
                         const QString& value)
{
    return writeValue(hive, keyPath, name, QJsonValue(value));
}

bool Registry::writeNumber(RegistryHive hive, const QString& keyPath, const QString& name,
                           quint32 value)
{
    return writeValue(hive, keyPath, name, QJsonValue(qint64(value)));
}

bool Registry::removeValue(RegistryHive hive, const QString& keyPath, const QString& name)
{
    return modifyValues(hive, keyPath, false, [&](QJsonObject& object) {
        const QString found = findName(object, name);
        if (found.isEmpty() && !object.contains(name))
            return false;
        object.remove(found.isEmpty() ? name : found);
        return true;
    });
}

} // namespace platform
