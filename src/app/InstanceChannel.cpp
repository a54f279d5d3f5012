#include "app/InstanceChannel.h"

#include "app/InstanceLock.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace velloran {

namespace {

// The path travels as one line, a file URL: a newline in a file name is percent-encoded.
constexpr qint64 kMaxLineBytes = 16 * 1024;
const QByteArray kReceipt = QByteArrayLiteral("received\n");
// A connection that has not sent its line by then is dropped.
constexpr int kConnectionLifetimeMs = 5000;
// How long a second start waits between tries of a socket that is not there or not answering.
constexpr int kRetryMs = 50;
// How often the running instance looks whether its server still listens.
constexpr int kWatchMs = 1000;

ucred PeerCredentials(qintptr socketDescriptor) {
    ucred cred{};
    cred.uid = static_cast<uid_t>(-1);
    socklen_t size = sizeof cred;
    if (::getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &cred, &size) !=
        0)
        cred.uid = static_cast<uid_t>(-1);
    return cred;
}

// What is at a socket's path: nothing (yet), this user's socket, or anything else (another
// user's socket, a link, a file).
enum class SocketFile { Missing, Own, Other };
SocketFile SocketAt(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) return SocketFile::Missing;
    return S_ISSOCK(st.st_mode) && st.st_uid == ::getuid() ? SocketFile::Own : SocketFile::Other;
}

static_assert(InstanceChannel::kMaxSocketPathBytes + 1 == sizeof(sockaddr_un::sun_path));

}  // namespace

long PeerUserId(qintptr socketDescriptor) {
    const ucred cred = PeerCredentials(socketDescriptor);
    return cred.uid == static_cast<uid_t>(-1) ? -1 : static_cast<long>(cred.uid);
}

long PeerProcessId(qintptr socketDescriptor) {
    return static_cast<long>(PeerCredentials(socketDescriptor).pid);
}

bool InstanceChannel::FitsSocketName(const QString& path) {
    return QFile::encodeName(path).size() <= kMaxSocketPathBytes;
}

QString InstanceChannel::PathBeside(const QString& lockPath) {
    if (lockPath.isEmpty()) return {};  // no private folder: no socket either
    QString base = lockPath;
    if (base.endsWith(QLatin1String(".lock"))) base.chop(5);
    const QString beside = base + QStringLiteral(".socket");
    if (FitsSocketName(beside)) return beside;
    // Too long for a socket's name (a long private temporary folder): a short name in this
    // user's own folder of /tmp, made from the long one so that every start meets at it.
    const QString own = QStringLiteral("/tmp/velloran-%1").arg(::getuid());
    ::mkdir(QFile::encodeName(own).constData(), 0700);
    if (!IsPrivateFolder(own)) return {};
    const QByteArray hash =
        QCryptographicHash::hash(QFile::encodeName(beside), QCryptographicHash::Sha256).toHex();
    return own + QLatin1Char('/') + QString::fromLatin1(hash.left(16)) + QStringLiteral(".socket");
}

bool InstanceChannel::HandOver(const QString& socketPath, const QString& filePath, int timeoutMs,
                               QString* why) {
    const auto fail = [why](const QString& reason) {
        if (why) *why = reason;
        return false;
    };
    if (socketPath.isEmpty()) return fail(QStringLiteral("there is no private folder to meet in"));
    if (!FitsSocketName(socketPath))
        return fail(
            QStringLiteral("its socket's path is longer than %1 bytes").arg(kMaxSocketPathBytes));
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    while (true) {
        // A socket file that is there must be this user's; one not there yet may still come.
        const SocketFile file = SocketAt(socketPath);
        if (file == SocketFile::Other) return fail(QStringLiteral("its socket is not this user's"));
        if (file == SocketFile::Own) {
            socket.connectToServer(socketPath);
            if (socket.waitForConnected(int(deadline.remainingTime()))) break;
            socket.abort();
        }
        if (deadline.hasExpired())
            return fail(
                QStringLiteral("it did not answer within %1 seconds").arg(timeoutMs / 1000.0));
        QThread::msleep(
            static_cast<unsigned long>(std::min<qint64>(kRetryMs, deadline.remainingTime())));
    }
    if (PeerUserId(socket.socketDescriptor()) != static_cast<long>(::getuid()))
        return fail(QStringLiteral("the program listening is not this user's"));
    socket.write(QUrl::fromLocalFile(filePath).toEncoded() + '\n');
    if (!socket.waitForBytesWritten(int(deadline.remainingTime())))
        return fail(QStringLiteral("it did not take the file's name"));
    while (socket.bytesAvailable() < kReceipt.size()) {
        if (!socket.waitForReadyRead(int(deadline.remainingTime())))
            return fail(QStringLiteral("it did not confirm the file"));
    }
    if (socket.read(kReceipt.size()) != kReceipt)
        return fail(QStringLiteral("it answered otherwise"));
    return true;
}

InstanceChannel::InstanceChannel(const QString& socketPath, QObject* parent)
    : QObject(parent), m_socketPath(socketPath) {}

bool InstanceChannel::listen(QString* why) {
    const auto fail = [why](const QString& reason) {
        if (why) *why = reason;
        return false;
    };
    if (m_socketPath.isEmpty()) return fail(QStringLiteral("there is no private folder for it"));
    if (!FitsSocketName(m_socketPath))
        return fail(
            QStringLiteral("its path %1 is longer than the %2 bytes a socket's name may have")
                .arg(m_socketPath)
                .arg(kMaxSocketPathBytes));
    if (m_server) return m_server->isListening() || fail(m_server->errorString());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer::removeServer(m_socketPath);
    connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::acceptConnections);
    m_watch = new QTimer(this);
    m_watch->setInterval(kWatchMs);
    connect(m_watch, &QTimer::timeout, this, &InstanceChannel::keepListening);
    m_watch->start();
    return m_server->listen(m_socketPath) || fail(m_server->errorString());
}

void InstanceChannel::keepListening() {
    if (!m_server || m_server->isListening()) return;
    QLocalServer::removeServer(m_socketPath);
    m_server->listen(m_socketPath);
}

void InstanceChannel::acceptConnections() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        // Only this user's processes, and not too many at once from one or from all: descriptors
        // run out before the channel does.
        const qintptr fd = socket->socketDescriptor();
        const long pid = PeerProcessId(fd);
        int fromAll = 0, fromPeer = 0;
        for (QLocalSocket* open : m_server->findChildren<QLocalSocket*>()) {
            if (open == socket || open->state() != QLocalSocket::ConnectedState) continue;
            ++fromAll;
            if (PeerProcessId(open->socketDescriptor()) == pid) ++fromPeer;
        }
        if (PeerUserId(fd) != static_cast<long>(::getuid()) || fromAll >= kMaxConnections ||
            fromPeer >= kMaxConnectionsPerProcess) {
            socket->abort();
            socket->deleteLater();
            continue;
        }
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
