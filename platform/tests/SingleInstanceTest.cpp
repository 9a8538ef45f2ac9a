#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

using platform::SingleInstance;

namespace {

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
