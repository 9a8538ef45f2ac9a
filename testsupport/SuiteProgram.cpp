#include "testsupport/SuiteProgram.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace korvane::test {

SuiteProgram::SuiteProgram(const QString& binary, const QString& languageFile)
{
    QDir().mkpath(folder());
    m_binary = folder() + QLatin1Char('/') + QFileInfo(binary).fileName();
    QFile::copy(binary, m_binary);
    QFile::copy(languageFile, folder() + QLatin1Char('/') + QFileInfo(languageFile).fileName());
    QDir().mkpath(runtimeFolder());
    QFile::setPermissions(runtimeFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

SuiteProgram::~SuiteProgram()
{
    for (auto& process : m_processes) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
}

QString SuiteProgram::folder() const
{
    return m_folders.scratch() + QStringLiteral("/suite");
}

QString SuiteProgram::runtimeFolder() const
{
    return m_folders.scratch() + QStringLiteral("/run");
}

void SuiteProgram::writeIni(const QByteArray& text)
{
    writeFile(folder() + QStringLiteral("/Tovanel.ini"), text);
}

void SuiteProgram::setEnvironment(const QString& name, const QString& value)
{
    m_overrides.insert(name, value);
}

QProcess& SuiteProgram::start(const QStringList& arguments)
{
    auto process = std::make_unique<QProcess>();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeFolder());
    environment.insert(QStringLiteral("KORVANE_MESSAGE_LOG"),
                       m_folders.scratch() + QStringLiteral("/messages.log"));
    for (const QString& name : m_overrides.keys())
        environment.insert(name, m_overrides.value(name));
    process->setProcessEnvironment(environment);
    process->setWorkingDirectory(m_folders.scratch());
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process->start(m_binary, arguments);
    process->waitForStarted(10000);
    m_processes.push_back(std::move(process));
    return *m_processes.back();
}

int SuiteProgram::waitForExit(QProcess& process, int ms)
{
    if (!process.waitForFinished(ms) || process.exitStatus() != QProcess::NormalExit)
        return -1;
    return process.exitCode();
}

QStringList SuiteProgram::messages() const
{
    const QString log =
        QString::fromUtf8(readFile(m_folders.scratch() + QStringLiteral("/messages.log")));
    return log.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

bool SuiteProgram::waitForFile(const QString& path, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!QFileInfo::exists(path)) {
        if (timer.elapsed() > ms)
            return false;
        QThread::msleep(20);
    }
    return true;
}

} // namespace korvane::test
