#pragma once

// The one fixture of the end-to-end program tests: the program's binary in a
// suite folder of the test's own with the launcher INI, private XDG folders,
// the work database's path, and the steps on a private X server (windows
// waited for, focus given), where every window the program shows is checked
// for the layout rules. Header-only: a test program that includes it links
// the shared library and Qt Test.

#include "shared/config/CBasePath.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/PrivateXServer.h"
#include "testsupport/SuiteProgram.h"

#include <QFile>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

namespace korvane::test {

// The ids of the visible windows whose title matches, waiting until there are
// count (a loaded machine gets half a minute). The event loop runs meanwhile,
// so a launcher played by the test can answer the program.
inline QStringList WaitForWindows(const PrivateXServer& x, const QString& titlePattern, int count)
{
    QStringList ids;
    (void)QTest::qWaitFor(
        [&] {
            ids = x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                             QStringLiteral("--name"), titlePattern})
                      .split(u'\n', Qt::SkipEmptyParts);
            return ids.size() == count;
        },
        30000);
    return ids;
}

// Gives the window the keyboard, waiting until the server reports it has it.
inline void FocusWindow(const PrivateXServer& x, const QString& window)
{
    (void)QTest::qWaitFor(
        [&] {
            x.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
            return x.xdotool({QStringLiteral("getwindowfocus")}) == window;
        },
        5000);
}

class ProgramTest : public testing::Test
{
protected:
    // program: the binary's name in the build's suite folder.
    explicit ProgramTest(const char* program)
        : m_program(QStringLiteral(KORVANE_SUITE_DIR "/") + QLatin1String(program),
                    QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml"))
    {
    }

    void SetUp() override
    {
        m_program.writeIni("[PRODUCT]\nPRODUCTKEY=TEST\nPRODUCTMODE=0\n");
        CBasePath::SetModuleFolder(m_program.folder());
        m_database = CBasePath::GetLocalDataBasePath() + QStringLiteral("/SETTING.DB");
    }
    void TearDown() override
    {
        CBasePath::SetModuleFolder(QString());
        // Each layout fault of a window shown on the X server fails the test once.
        QFile log(LayoutLog());
        if (!log.open(QIODevice::ReadOnly))
            return;
        QSet<QByteArray> reported;
        for (const QByteArray& line : log.readAll().split('\n'))
            if (!line.isEmpty() && !reported.contains(line)) {
                reported.insert(line);
                ADD_FAILURE() << line.toStdString();
            }
    }

    QString LayoutLog() const { return m_program.folder() + QStringLiteral("/layout-faults.txt"); }

    // The work database: a copy of the model's template, writable.
    void CopyModelTemplate()
    {
        ASSERT_TRUE(QFile::copy(KORVANE_SUITE_DIR "/RESOURCE/Lumo500/SETTING.DB", m_database));
        QFile::setPermissions(m_database, QFile::ReadOwner | QFile::WriteOwner);
    }

    // Programs started from now on show their windows on the X server, where
    // keys and focus behave as a user's, and each window they show is checked
    // for the layout rules (the faults are written to LayoutLog()).
    void UseX(const PrivateXServer& x)
    {
        m_program.setEnvironment(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        m_program.setEnvironment(QStringLiteral("DISPLAY"), x.display());
        m_program.setEnvironment(QStringLiteral("QT_PLUGIN_PATH"),
                                 QStringLiteral(KORVANE_TEST_PLUGIN_DIR));
        m_program.setEnvironment(QStringLiteral("QT_QPA_GENERIC_PLUGINS"),
                                 QLatin1String(kLayoutProbe) + u':' + LayoutLog());
    }

    SuiteProgram m_program;
    QString m_database;
};

} // namespace korvane::test
