#include "testsupport/TestFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace korvane::test {

TestFolders::TestFolders()
{
    const QString base = m_dir.path();
    const std::array<QString, 4> values{base + "/user-config", base + "/machine-config",
                                        base + "/user-data", base + "/machine-data"};
    for (size_t i = 0; i < kVariables.size(); ++i) {
        if (qEnvironmentVariableIsSet(kVariables[i]))
            m_saved[i] = qgetenv(kVariables[i]);
        QDir().mkpath(values[i]);
        qputenv(kVariables[i], values[i].toLocal8Bit());
    }
    QDir().mkpath(scratch());
}

TestFolders::~TestFolders()
{
    for (size_t i = 0; i < kVariables.size(); ++i) {
        if (m_saved[i])
            qputenv(kVariables[i], *m_saved[i]);
        else
            qunsetenv(kVariables[i]);
    }
}

QString TestFolders::userConfig() const
{
    return m_dir.path() + "/user-config";
}
QString TestFolders::machineConfig() const
{
    return m_dir.path() + "/machine-config";
}
QString TestFolders::userData() const
{
    return m_dir.path() + "/user-data";
}
QString TestFolders::machineData() const
{
    return m_dir.path() + "/machine-data";
}
QString TestFolders::scratch() const
{
    return m_dir.path() + "/scratch";
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace korvane::test
