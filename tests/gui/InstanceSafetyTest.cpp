// The instance lock and the hand-over socket live in a folder no one else can use, and a second
// start hands its file only to this user's instance, waiting for one that is still starting.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/InstanceChannel.h"
#include "app/InstanceLock.h"
#include "support/TempFolder.h"

#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

namespace velloran {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

// Sets an environment variable for the test's lifetime.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (m_old) {
            ::setenv(m_name, m_old->c_str(), 1);
        } else {
            ::unsetenv(m_name);
        }
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(PrivateFolder, OnlyARealFolderOfThisUsersThatNoOneElseMayEnter) {
    test::TempFolder dir("velloran-private");
    const std::string own = dir.Path("own"), open = dir.Path("open"), link = dir.Path("link"),
                      file = dir.Path("file");
    ASSERT_EQ(::mkdir(own.c_str(), 0700), 0);
    ASSERT_EQ(::mkdir(open.c_str(), 0700), 0);
    ASSERT_EQ(::chmod(open.c_str(), 0755), 0);
    ASSERT_EQ(::symlink(own.c_str(), link.c_str()), 0);
    test::WriteFileBytes(file, "x");
    EXPECT_TRUE(IsPrivateFolder(Q(own)));
    EXPECT_FALSE(IsPrivateFolder(Q(open)));
    EXPECT_FALSE(IsPrivateFolder(Q(link)));
    EXPECT_FALSE(IsPrivateFolder(Q(file)));
    EXPECT_FALSE(IsPrivateFolder(Q(dir.Path("missing"))));
    EXPECT_FALSE(IsPrivateFolder(QString()));
    if (::getuid() == 0) {
        const std::string theirs = dir.Path("theirs");
        ASSERT_EQ(::mkdir(theirs.c_str(), 0700), 0);
        ASSERT_EQ(::chown(theirs.c_str(), 65534, 65534), 0);
        EXPECT_FALSE(IsPrivateFolder(Q(theirs)));
    }
}

// Without the desktop's folder (su, ssh, cron), or with one anybody may use, the lock goes to a
// folder of the user's own in the temporary folder, never into the shared folder itself; when
// another user has taken that name there is no lock at all rather than someone else's.
TEST(PrivateFolder, NeverTheSharedTemporaryFolder) {
    test::TempFolder shared("velloran-shared-tmp");
    ASSERT_EQ(::chmod(shared.dir().c_str(), 01777), 0);
    ScopedEnv tmp("TMPDIR", shared.dir().string());
    const QString expected =
        QDir(Q(shared.dir().string())).filePath(QStringLiteral("velloran-%1").arg(::getuid()));
    for (const std::string& runtime : {std::string(), shared.dir().string()}) {
        SCOPED_TRACE(runtime);
        ScopedEnv xdg("XDG_RUNTIME_DIR", runtime);
        EXPECT_EQ(PrivateRuntimeFolder(), expected);
        EXPECT_TRUE(IsPrivateFolder(expected));
        EXPECT_EQ(InstanceLock::DefaultPath(QStringLiteral("velloran")),
                  expected + QStringLiteral("/velloran.lock"));
    }
    if (::getuid() == 0) {
        ASSERT_EQ(::chown(expected.toLocal8Bit().constData(), 65534, 65534), 0);
        ScopedEnv xdg("XDG_RUNTIME_DIR", "");
        EXPECT_EQ(PrivateRuntimeFolder(), QString());
        EXPECT_EQ(InstanceLock::DefaultPath(QStringLiteral("velloran")), QString());
        InstanceLock none(InstanceLock::DefaultPath(QStringLiteral("velloran")));
        EXPECT_TRUE(none.tryAcquire());  // the program runs, without a lock
        EXPECT_EQ(InstanceChannel::PathBeside(none.path()), QString());  // and without a socket
    }
}

// A listening socket made with the system's calls, standing in for a running instance: it
// accepts one connection, reads the line and confirms it.
class RawListener {
public:
    explicit RawListener(const std::string& path) : m_path(path) {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        path.copy(address.sun_path, sizeof address.sun_path - 1);
        ok = m_fd >= 0 &&
             ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
             ::listen(m_fd, 4) == 0;
    }
    ~RawListener() {
        // A connection that never came: the waiting thread gives up at its deadline or now.
        if (m_fd >= 0) ::shutdown(m_fd, SHUT_RDWR);
        if (m_thread.joinable()) m_thread.join();
        if (m_fd >= 0) ::close(m_fd);
        ::unlink(m_path.c_str());
    }
    // Waits at most five seconds for the connection.
    void AnswerOnce() {
        m_thread = std::thread([this] {
            pollfd waiting{m_fd, POLLIN, 0};
            if (::poll(&waiting, 1, 5000) != 1 || (waiting.revents & POLLIN) == 0) return;
            const int client = ::accept(m_fd, nullptr, nullptr);
            if (client < 0) return;
            timeval limit{5, 0};  // a client that connects and says nothing is not waited for
            ::setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
            char c = 0;
            while (::read(client, &c, 1) == 1 && c != '\n') received += c;
            const char receipt[] = "received\n";
            (void)!::write(client, receipt, sizeof receipt - 1);
            ::close(client);
        });
    }
    bool ok = false;
    std::string received;

private:
    std::string m_path;
    int m_fd = -1;
    std::thread m_thread;
};

// Two starts at once: the loser asks before the winner's socket exists, and waits for it.
TEST(SecondStart, WaitsForAnInstanceThatIsStillStarting) {
    test::TempFolder dir("velloran-handover", test::TempRootForSockets());
    const std::string socket = dir.Path("velloran.socket");
    std::optional<RawListener> listener;
    std::thread late([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        listener.emplace(socket);
        listener->AnswerOnce();
    });
    QString why;
    const bool handed =
        InstanceChannel::HandOver(Q(socket), QStringLiteral("/home/ann/a.vlr"), 3000, &why);
    late.join();
    EXPECT_TRUE(handed) << why.toStdString();
    ASSERT_TRUE(listener && listener->ok);
    listener.reset();  // joins its thread: the line has been read
}

TEST(SecondStart, SaysWhatHappenedWhenNoInstanceAnswers) {
    test::TempFolder dir("velloran-handover", test::TempRootForSockets());
    QString why;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(InstanceChannel::HandOver(Q(dir.Path("velloran.socket")),
                                           QStringLiteral("/home/ann/a.vlr"), 500, &why));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(450));
    EXPECT_EQ(why, QStringLiteral("it did not answer within 0.5 seconds"));
}

// A socket another user planted receives nothing.
TEST(SecondStart, NeverToASocketOfAnotherUser) {
    if (::getuid() != 0) GTEST_SKIP() << "making another user's socket needs root";
    test::TempFolder dir("velloran-handover", test::TempRootForSockets());
    const std::string socket = dir.Path("velloran.socket");
    RawListener planted(socket);
    ASSERT_TRUE(planted.ok);
    ASSERT_EQ(::chown(socket.c_str(), 65534, 65534), 0);
    QString why;
    EXPECT_FALSE(
        InstanceChannel::HandOver(Q(socket), QStringLiteral("/home/ann/secret.vlr"), 500, &why));
    EXPECT_EQ(why, QStringLiteral("its socket is not this user's"));
}

// With every descriptor in use, accepting a connection fails (EMFILE) and Qt closes the server:
// the channel listens again, and a file handed over once descriptors are free is received.
TEST(Channel, ListensAgainAfterTheDescriptorsRanOut) {
    int argc = 1;
    char name[] = "gui_instance_tests";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, argv);
    test::TempFolder dir("velloran-emfile", test::TempRootForSockets());
    const std::string path = dir.Path("velloran.socket");
    InstanceChannel channel(Q(path));
    ASSERT_TRUE(channel.listen());
    QStringList received;
    QObject::connect(&channel, &InstanceChannel::fileReceived,
                     [&](const QString& file) { received << file; });

    // Few descriptors, all taken by connections waiting to be accepted.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &old), 0);
    const int lowestFree = ::dup(0);
    ASSERT_GE(lowestFree, 0);
    ::close(lowestFree);
    rlimit low = old;
    low.rlim_cur = static_cast<rlim_t>(lowestFree + 16);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &low), 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    std::vector<int> clients;
    int lastError = 0;
    while (true) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            lastError = errno;
            break;
        }
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
            lastError = errno;
            ::close(fd);
            break;
        }
        clients.push_back(fd);
    }
    for (int i = 0; i < 30; ++i) {  // the channel tries to accept with none left
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    for (const int fd : clients) ::close(fd);
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &old), 0);
    EXPECT_EQ(lastError, EMFILE);
    ASSERT_FALSE(clients.empty());

    // A second start, as a thread: the channel answers while this one runs the event loop.
    QString why;
    bool handed = false;
    std::atomic<bool> done = false;
    std::thread second([&] {
        handed = InstanceChannel::HandOver(Q(path), QStringLiteral("/home/ann/a.vlr"), 4000, &why);
        done = true;
    });
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done && std::chrono::steady_clock::now() < giveUp) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(done) << "the hand-over did not end within its own four seconds";
    second.join();
    EXPECT_TRUE(handed) << why.toStdString();
    EXPECT_EQ(received, QStringList{QStringLiteral("/home/ann/a.vlr")});
}

// A private temporary folder can be too long for a socket's name (107 bytes): the program then
// meets at a short name made from the long one in this user's folder of /tmp, and a path that
// is too long is refused with the reason instead of a listen that silently fails.
TEST(Channel, ASocketPathTooLongForTheSystemHasAShortStandIn) {
    int argc = 1;
    char name[] = "gui_instance_tests";
    char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (!QCoreApplication::instance()) app = std::make_unique<QCoreApplication>(argc, argv);
    const QString longLock =
        QStringLiteral("/tmp/") + QString(120, QLatin1Char('x')) + QStringLiteral("/velloran.lock");
    const QString socket = InstanceChannel::PathBeside(longLock);
    ASSERT_FALSE(socket.isEmpty());
    EXPECT_TRUE(InstanceChannel::FitsSocketName(socket)) << socket.toStdString();
    EXPECT_TRUE(socket.startsWith(QStringLiteral("/tmp/velloran-%1/").arg(::getuid())));
    EXPECT_TRUE(IsPrivateFolder(QFileInfo(socket).path()));
    EXPECT_EQ(InstanceChannel::PathBeside(longLock), socket);  // every start meets there
    EXPECT_NE(InstanceChannel::PathBeside(longLock + QStringLiteral("2")), socket);
    // A short path stays beside its lock.
    EXPECT_EQ(InstanceChannel::PathBeside(QStringLiteral("/run/user/1/velloran.lock")),
              QStringLiteral("/run/user/1/velloran.socket"));

    {
        InstanceChannel channel(socket);
        QString why;
        ASSERT_TRUE(channel.listen(&why)) << why.toStdString();
        QStringList received;
        QObject::connect(&channel, &InstanceChannel::fileReceived,
                         [&](const QString& file) { received << file; });
        bool handed = false;
        std::atomic<bool> done = false;
        std::thread second([&] {
            handed =
                InstanceChannel::HandOver(socket, QStringLiteral("/home/ann/a.vlr"), 3000, &why);
            done = true;
        });
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!done && std::chrono::steady_clock::now() < giveUp) {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        ASSERT_TRUE(done) << "the hand-over did not end within its own three seconds";
        second.join();
        EXPECT_TRUE(handed) << why.toStdString();
        QCoreApplication::processEvents();
        EXPECT_EQ(received, QStringList{QStringLiteral("/home/ann/a.vlr")});
    }
    QFile::remove(socket);

    const QString tooLong = QStringLiteral("/tmp/") + QString(120, QLatin1Char('y'));
    InstanceChannel refused(tooLong);
    QString why;
    EXPECT_FALSE(refused.listen(&why));
    EXPECT_EQ(why,
              QStringLiteral("its path %1 is longer than the 107 bytes a socket's name may have")
                  .arg(tooLong));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(InstanceChannel::HandOver(tooLong, QStringLiteral("/home/ann/a.vlr"), 3000, &why));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));  // no waiting
    EXPECT_EQ(why, QStringLiteral("its socket's path is longer than 107 bytes"));
}

}  // namespace
}  // namespace velloran
