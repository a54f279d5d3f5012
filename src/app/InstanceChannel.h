#pragma once
// Hands a reading to the instance that is already running. The running instance listens on a
// local socket beside its lock file, open to this user only; a second start given a file
// connects, sends the file's absolute path and waits for the running instance's receipt.

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

namespace velloran {

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    // The socket beside the lock file at lockPath: "<name>.socket" for "<name>.lock".
    static QString PathBeside(const QString& lockPath);

    // Second start: sends filePath to the instance listening at socketPath. True once that
    // instance has confirmed it; false when none answers within timeoutMs at any step.
    static bool HandOver(const QString& socketPath, const QString& filePath, int timeoutMs = 3000);

    explicit InstanceChannel(const QString& socketPath, QObject* parent = nullptr);

    // Starts listening. Only the holder of the instance lock calls it, so a socket left behind
    // by an instance that died is removed first. False when the socket cannot be made.
    bool listen();

signals:
    // A second start handed over this file (an absolute path).
    void fileReceived(const QString& path);

private:
    void acceptConnections();
    // Takes the path once its whole line has arrived, confirms it and closes the connection.
    void readPath(QLocalSocket* socket);

    QString m_socketPath;
    QLocalServer* m_server = nullptr;
};

}  // namespace velloran
