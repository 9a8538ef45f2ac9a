// One main for every test program: a Qt application object (widgets only
// where the tests need them), headless, and folders of its own.
#include "testsupport/TestFolders.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#ifdef KORVANE_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleMock(&argc, argv);
    korvane::test::TestFolders folders; // no test reaches the real user's files
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
