// One main for every test program: a Qt application object (widgets only
// where the tests need them), headless, and folders of its own.
#include "testsupport/TestFolders.h"

#include <QFile>
#include <QTemporaryDir>

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
    testing::InitGoogleMock(&argc, argv);
    korvane::test::TestFolders folders; // no test reaches the real user's files
    // Headless, on a screen of the user's size (1280 x 800), which places
    // and bounds windows as the user's does.
    QTemporaryDir screen;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if ((platform.isEmpty() || platform == "offscreen") && screen.isValid()) {
        QFile config(screen.filePath(QStringLiteral("screen.json")));
        if (config.open(QIODevice::WriteOnly) &&
            config.write(R"({"windowFrameMargins": false, "screens": [{"name": "user",
                "x": 0, "y": 0, "width": 1280, "height": 800,
                "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})") > 0) {
            config.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TestApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
