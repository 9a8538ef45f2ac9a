#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

namespace platform {

// One running instance per name and user, as a named mutex did. The first
// instance holds a lock file and listens on a local socket; a later start
// finds the lock taken and asks the first, over the socket, to come to the
// front. The token names the socket: it is what the launcher publishes in
// "MAINWH" (never 0), and bringToFront(token) is how another program brings
// that window back. Lock, token and sockets live in a folder of the user's
// own: $XDG_RUNTIME_DIR/korvane, else <temp>/korvane-<uid>; a folder that is
// not the user's alone (or not a folder) is not used.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString& name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True when this process is the first; it then listens for requests.
    // False when another holds the lock or the folder cannot be used safely.
    bool acquire();
    // Asks the first instance to come to the front; false when none answers.
    bool askFirstToFront() const;
    // Non-zero token of this instance's socket after a successful acquire()
    // (0 before, or when no socket could be opened).
    quint32 token() const { return m_token; }

    // Sends "come to the front" to the instance whose token it is; false for
    // token 0 or when no instance listens under it.
    static bool bringToFront(quint32 token);

signals:
    void frontRequested();

private:
    void onNewConnection();

    QString m_name;
    quint32 m_token = 0;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
};

} // namespace platform
