#include "platform/SingleInstance.h"

#include "platform/FileTime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using platform::SingleInstance;

namespace {

// A socket file at path; its descriptor, or -1.
int BoundSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray native = QFile::encodeName(path);
    std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

// What a program killed by a signal leaves: a socket file nobody listens on.
bool LeaveDeadSocket(const QString& path)
{
    const int fd = BoundSocket(path);
    return fd >= 0 && ::close(fd) == 0;
}

bool MakeOld(const QString& path)
{
    return platform::setLastWriteTimeNs(path, qint64(1'600'000'000) * 1'000'000'000);
}

// Gives the test a runtime folder of its own, as the session manager would.
class SingleInstanceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", m_runtime.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_RUNTIME_DIR", m_saved); }

    static QString uniqueName() { return "Tovanel " + QUuid::createUuid().toString(); }

    QTemporaryDir m_runtime;
    QByteArray m_saved;
};

} // namespace

TEST_F(SingleInstanceTest, ASecondStartBringsTheFirstToTheFront)
{
    const QString name = uniqueName();
    auto first = std::make_unique<SingleInstance>(name);
    ASSERT_TRUE(first->acquire());
    EXPECT_NE(first->token(), 0u);
    QSignalSpy fronts(first.get(), &SingleInstance::frontRequested);

    SingleInstance second(name);
    EXPECT_FALSE(second.acquire());
    EXPECT_EQ(second.token(), 0u);
    ASSERT_TRUE(second.askFirstToFront());
    ASSERT_TRUE(fronts.wait(5000));
    EXPECT_EQ(fronts.count(), 1);

    // The token alone reaches it too, as the settings programs do via "MAINWH".
    ASSERT_TRUE(SingleInstance::bringToFront(first->token()));
    ASSERT_TRUE(fronts.wait(5000));
    EXPECT_EQ(fronts.count(), 2);

    // Once the first has ended, its token answers no more and the lock is free.
    const quint32 oldToken = first->token();
    first.reset();
    EXPECT_FALSE(SingleInstance::bringToFront(oldToken));
    EXPECT_FALSE(second.askFirstToFront());
    EXPECT_TRUE(second.acquire());
    EXPECT_NE(second.token(), 0u);
}

TEST_F(SingleInstanceTest, NamesAreApartAndTokenZeroReachesNobody)
{
    SingleInstance a(uniqueName());
    SingleInstance b(uniqueName());
    ASSERT_TRUE(a.acquire());
    ASSERT_TRUE(b.acquire());
    EXPECT_NE(a.token(), b.token());
    EXPECT_FALSE(SingleInstance::bringToFront(0));
    EXPECT_FALSE(SingleInstance(uniqueName()).askFirstToFront());
}

TEST_F(SingleInstanceTest, AFolderOthersCanWriteIsNotUsed)
{
    const QString folder = m_runtime.path() + "/korvane";
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::setPermissions(folder, QFileDevice::Permissions(0x7777)));
    SingleInstance instance(uniqueName());
    EXPECT_FALSE(instance.acquire());
    EXPECT_FALSE(SingleInstance::bringToFront(1));
}

// Sockets of programs that ended by a signal pile up in the folder; a start
// removes those nobody listens on, and nothing else.
TEST_F(SingleInstanceTest, AStartRemovesTheSocketsNobodyListensOn)
{
    const QString folder = m_runtime.path() + "/korvane";
    ASSERT_EQ(::mkdir(QFile::encodeName(folder).constData(), 0700), 0);
    const QString dead = folder + "/front-11";
    ASSERT_TRUE(LeaveDeadSocket(dead) && MakeOld(dead));
    const QString deadToo = folder + "/front-12";
    ASSERT_TRUE(LeaveDeadSocket(deadToo) && MakeOld(deadToo));
    // Perhaps still between making its socket and listening on it.
    const QString fresh = folder + "/front-13";
    ASSERT_TRUE(LeaveDeadSocket(fresh));
    const int live = BoundSocket(folder + "/front-14");
    ASSERT_GE(live, 0);
    ASSERT_EQ(::listen(live, 4), 0);
    ASSERT_TRUE(MakeOld(folder + "/front-14"));
    const QString notOurs = folder + "/other-15";
    ASSERT_TRUE(LeaveDeadSocket(notOurs) && MakeOld(notOurs));
    const QString file = folder + "/front-16";
    ASSERT_TRUE(QFile(file).open(QIODevice::WriteOnly));
    ASSERT_TRUE(MakeOld(file));

    const QString name = uniqueName();
    SingleInstance instance(name);
    ASSERT_TRUE(instance.acquire());
    EXPECT_FALSE(QFileInfo::exists(dead));
    EXPECT_FALSE(QFileInfo::exists(deadToo));
    EXPECT_TRUE(QFileInfo::exists(fresh));
    EXPECT_TRUE(QFileInfo::exists(notOurs));
    EXPECT_TRUE(QFileInfo::exists(file));
    EXPECT_TRUE(QFileInfo::exists(folder + "/front-14")) << "a live socket stays";
    EXPECT_TRUE(QFileInfo::exists(folder + "/front-" + QString::number(instance.token())));

    // A second start, which finds the lock taken, cleans up as well.
    ASSERT_TRUE(LeaveDeadSocket(dead) && MakeOld(dead));
    SingleInstance second(name);
    EXPECT_FALSE(second.acquire());
    EXPECT_FALSE(QFileInfo::exists(dead));
    EXPECT_TRUE(QFileInfo::exists(folder + "/front-14"));
    ::close(live);
}
