#include "app/InstanceChannel.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QUrl>

namespace velloran {

namespace {

// The path travels as one line, a file URL: a newline in a file name is percent-encoded.
constexpr qint64 kMaxLineBytes = 16 * 1024;
const QByteArray kReceipt = QByteArrayLiteral("received\n");
// A connection that has not sent its line by then is dropped.
constexpr int kConnectionLifetimeMs = 5000;

}  // namespace

QString InstanceChannel::PathBeside(const QString& lockPath) {
    QString base = lockPath;
    if (base.endsWith(QLatin1String(".lock"))) base.chop(5);
    return base + QStringLiteral(".socket");
}

bool InstanceChannel::HandOver(const QString& socketPath, const QString& filePath, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(int(deadline.remainingTime()))) return false;
    socket.write(QUrl::fromLocalFile(filePath).toEncoded() + '\n');
    if (!socket.waitForBytesWritten(int(deadline.remainingTime()))) return false;
    while (socket.bytesAvailable() < kReceipt.size()) {
        if (!socket.waitForReadyRead(int(deadline.remainingTime()))) return false;
    }
    return socket.read(kReceipt.size()) == kReceipt;
}

InstanceChannel::InstanceChannel(const QString& socketPath, QObject* parent)
    : QObject(parent), m_socketPath(socketPath) {}

bool InstanceChannel::listen() {
    if (m_server) return m_server->isListening();
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(m_socketPath);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::acceptConnections);
    return m_server->listen(m_socketPath);
}

void InstanceChannel::acceptConnections() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        QTimer::singleShot(kConnectionLifetimeMs, socket, &QLocalSocket::abort);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readPath(socket); });
        if (socket->bytesAvailable()) readPath(socket);
    }
}

void InstanceChannel::readPath(QLocalSocket* socket) {
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxLineBytes) socket->abort();
        return;
    }
    const QByteArray line = socket->readLine(kMaxLineBytes).trimmed();
    const QUrl url = QUrl::fromEncoded(line, QUrl::StrictMode);
    if (!url.isLocalFile()) {
        socket->abort();
        return;
    }
    socket->write(kReceipt);
    socket->disconnectFromServer();
    emit fileReceived(url.toLocalFile());
}

}  // namespace velloran
