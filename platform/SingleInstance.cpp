#include "platform/SingleInstance.h"

#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

const QByteArray kFrontRequest = QByteArrayLiteral("FRONT\n");
constexpr int kWaitMs = 2000;
const QLatin1String kSocketPrefix("front-");
// A younger socket may be one whose program has made it and is about to
// listen on it.
constexpr time_t kDeadSocketAgeSec = 60;

// The user's own folder for locks and sockets, or "" when it is not safe:
// in a shared temporary folder another user could plant it first.
QString instanceFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString dir =
        QDir::isAbsolutePath(runtime) && QFileInfo(runtime).isDir()
            ? runtime + QStringLiteral("/korvane")
            : QDir::tempPath() + QStringLiteral("/korvane-") + QString::number(::getuid());
    const QByteArray native = QFile::encodeName(dir);
    ::mkdir(native.constData(), 0700);
    struct stat st
    {
    };
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid() ||
        (st.st_mode & 077) != 0)
        return {};
    return dir;
}

// "<folder>/instance-<name>.<suffix>", the name reduced to letters and digits.
QString instanceFile(const QString& folder, const QString& name, const char* suffix)
{
    QString safe;
    for (const QChar c : name)
        safe += c.isLetterOrNumber() && c.unicode() < 128 ? c : QLatin1Char('_');
    return folder + QStringLiteral("/instance-") + safe + QLatin1Char('.') + QLatin1String(suffix);
}

QString socketPath(const QString& folder, quint32 token)
{
    return folder + QLatin1Char('/') + kSocketPrefix + QString::number(token);
}

// A refused connection is the one sure sign that no process listens.
bool nobodyListens(const QByteArray& native)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (size_t(native.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    const bool refused =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 &&
        errno == ECONNREFUSED;
    ::close(fd);
    return refused;
}

// A program ended by a signal leaves its socket behind; each start removes
// those of the suite's own names that nobody listens on any more.
void removeDeadSockets(const QString& folder)
{
    const QStringList names = QDir(folder).entryList({kSocketPrefix + QLatin1Char('*')},
                                                     QDir::System | QDir::Files | QDir::Hidden);
    const time_t now = ::time(nullptr);
    for (const QString& name : names) {
        const QStringView token = QStringView(name).mid(kSocketPrefix.size());
        if (token.isEmpty() || !std::all_of(token.begin(), token.end(),
                                            [](QChar c) { return c >= u'0' && c <= u'9'; }))
            continue;
        const QByteArray native = QFile::encodeName(folder + QLatin1Char('/') + name);
        struct stat st
        {
        };
        if (::lstat(native.constData(), &st) != 0 || !S_ISSOCK(st.st_mode) ||
            st.st_uid != ::getuid() || now - st.st_mtim.tv_sec < kDeadSocketAgeSec)
            continue;
        if (nobodyListens(native))
            ::unlink(native.constData());
    }
}

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent), m_name(name)
{
}

SingleInstance::~SingleInstance()
{
    if (m_server) {
        m_server->close();
        QFile::remove(instanceFile(QFileInfo(m_lock->fileName()).path(), m_name, "token"));
    }
    m_server.reset();
    m_lock.reset();
}

bool SingleInstance::acquire()
{
    if (m_lock)
        return true;
    const QString folder = instanceFolder();
    if (folder.isEmpty())
        return false;
    removeDeadSockets(folder);
    auto lock = std::make_unique<QLockFile>(instanceFile(folder, m_name, "lock"));
    lock->setStaleLockTime(0); // stale only when its process is gone
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);

    // A fresh random token per start, so a token left in "MAINWH" by an
    // instance that died never reaches a later one by chance.
    auto server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const quint32 token = QRandomGenerator::system()->generate();
        const QString path = socketPath(folder, token);
        if (token == 0 || QFileInfo::exists(path))
            continue;
        if (server->listen(path)) {
            m_token = token;
            break;
        }
    }
    if (m_token == 0)
        return true; // still the first; it just cannot be called to the front
    writeFileAtomically(instanceFile(folder, m_name, "token"), QByteArray::number(m_token));
    connect(server.get(), &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    m_server = std::move(server);
    return true;
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kFrontRequest.size())
                    socket->abort(); // not one of ours
                return;
            }
            if (socket->readLine() == kFrontRequest)
                emit frontRequested();
            socket->disconnectFromServer();
        });
    }
}

bool SingleInstance::askFirstToFront() const
{
    const QString folder = instanceFolder();
    if (folder.isEmpty())
        return false;
    QFile tokenFile(instanceFile(folder, m_name, "token"));
    if (!tokenFile.open(QIODevice::ReadOnly))
        return false;
    bool ok = false;
    const quint32 token = tokenFile.readAll().trimmed().toUInt(&ok);
    return ok && bringToFront(token);
}

bool SingleInstance::bringToFront(quint32 token)
{
    if (token == 0)
        return false;
    const QString folder = instanceFolder();
    if (folder.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath(folder, token));
    if (!socket.waitForConnected(kWaitMs))
        return false;
    socket.write(kFrontRequest);
    const bool sent = socket.waitForBytesWritten(kWaitMs) || socket.bytesToWrite() == 0;
    socket.disconnectFromServer();
    return sent;
}

} // namespace platform
