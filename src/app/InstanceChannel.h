#pragma once
// Hands a reading to the instance that is already running. The running instance listens on a
// local socket beside its lock file, in this user's private folder; a second start given a file
// connects, sends the file's absolute path and waits for the running instance's receipt. Both
// sides check that the other is this user's process (the socket's peer credentials), and the
// second start that its socket file is this user's socket.

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace velloran {

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    // The socket beside the lock file at lockPath: "<name>.socket" for "<name>.lock"; empty for an
    // empty lockPath. When that is longer than a socket's name may be (a long TMPDIR), a short
    // name made from it in this user's private folder /tmp/velloran-<uid>; empty when that folder
    // is not this user's alone.
    static QString PathBeside(const QString& lockPath);
    // The longest name a Unix socket may have, in bytes, and whether path fits it.
    static constexpr int kMaxSocketPathBytes = 107;
    static bool FitsSocketName(const QString& path);

    // Second start: sends filePath to the instance listening at socketPath. A socket not there
    // yet, or not answering (the running instance is still starting, or a dead one's socket is
    // waiting to be replaced), is tried again until timeoutMs has passed. True once that
    // instance has confirmed it; false, with the reason in *why when given, when none does in
    // time or the socket or its listener is not this user's.
    static bool HandOver(const QString& socketPath, const QString& filePath, int timeoutMs = 3000,
                         QString* why = nullptr);

    // Connections open at once: from one process, and from all.
    static constexpr int kMaxConnectionsPerProcess = 4;
    static constexpr int kMaxConnections = 32;

    explicit InstanceChannel(const QString& socketPath, QObject* parent = nullptr);

    // Starts listening. Only the holder of the instance lock calls it, so a socket left behind
    // by an instance that died is removed first. False when the socket cannot be made, with the
    // reason in *why when given (no private folder, a path too long for a socket, the system's).
    bool listen(QString* why = nullptr);

signals:
    // A second start handed over this file (an absolute path).
    void fileReceived(const QString& path);

private:
    void acceptConnections();
    // Listens again when the server stopped (an accept that failed closes it).
    void keepListening();
    // Takes the path once its whole line has arrived, confirms it and closes the connection.
    void readPath(QLocalSocket* socket);

    QString m_socketPath;
    QLocalServer* m_server = nullptr;
    QTimer* m_watch = nullptr;
};

// The user id of the process at the other end of a connected local socket; -1 when it cannot be
// read. And its process id, 0 when it cannot.
long PeerUserId(qintptr socketDescriptor);
long PeerProcessId(qintptr socketDescriptor);

}  // namespace velloran
