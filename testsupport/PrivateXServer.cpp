#include "testsupport/PrivateXServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

namespace korvane::test {

QString PrivateXServer::LockPath()
{
    return QDir::tempPath() + QStringLiteral("/korvane-xvfb-start.lock");
}

PrivateXServer::PrivateXServer(const QString& screen)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        return;
    // Xvfb picks a free display and writes its number once it accepts clients.
    // Two servers that start at once can both take the same display (the
    // lock of the one is read as stale by the other), so the test programs
    // start theirs one at a time.
    QLockFile starting(LockPath());
    if (!starting.tryLock(60000))
        return;
    m_server.start(QStringLiteral("Xvfb"),
                   {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                    QStringLiteral("0"), screen + QStringLiteral("x24"),
                    QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                    // Without it the server resets whenever its last client
                    // (an xdotool run) leaves, and a program connecting just
                    // then is turned away.
                    QStringLiteral("-noreset")});
    if (!m_server.waitForStarted(5000))
        return;
    QElapsedTimer timer;
    timer.start();
    while (!m_server.canReadLine() && timer.elapsed() < 10000)
        m_server.waitForReadyRead(200);
    const QString number = QString::fromLatin1(m_server.readLine()).trimmed();
    if (number.isEmpty())
        return;
    m_display = QLatin1Char(':') + number;
    // A client must be able to connect before a program is started on it.
    while (xdotool({QStringLiteral("getdisplaygeometry")}, 2000).isEmpty()) {
        if (timer.elapsed() > 20000 || m_server.state() == QProcess::NotRunning) {
            m_display.clear();
            return;
        }
        QThread::msleep(100);
    }
}

PrivateXServer::~PrivateXServer()
{
    // A server that ends removes its display's socket file, maybe after a
    // new server has taken the number and made its own: nobody could connect
    // to that one. So no server starts while another one ends.
    QLockFile ending(LockPath());
    ending.tryLock(60000);
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(5000)) {
            m_server.kill();
            m_server.waitForFinished(5000);
        }
    }
}

QString PrivateXServer::xdotool(const QStringList& arguments, int ms) const
{
    QProcess tool;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    tool.setProcessEnvironment(environment);
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(ms)) {
        tool.kill();
        tool.waitForFinished(1000);
        return {};
    }
    return QString::fromLatin1(tool.readAllStandardOutput()).trimmed();
}

QString PrivateXServer::waitForWindow(const QString& titlePattern, int ms) const
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        const QString found = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                       QStringLiteral("--name"), titlePattern},
                                      2000);
        if (!found.isEmpty())
            return found.section(QLatin1Char('\n'), 0, 0);
        QThread::msleep(100);
    }
    return {};
}

} // namespace korvane::test
