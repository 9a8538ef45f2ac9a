#pragma once

#include "monitor/MediaFileOps.h"
#include "monitor/SignageFolder.h"

#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "shared/config/CBasePath.h"
#include "shared/lang/CProgramLang.h"
#include "testsupport/TestFolders.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

namespace mervolt::test {

// Private XDG folders, a suite folder of the test's own (launcher INI,
// RESOURCE), the program's language texts, a message responder that
// records what it is shown and a retry pause that returns at once.
class MonitorFixture : public ::testing::Test
{
protected:
    MonitorFixture()
    {
        m_suite = m_folders.scratch() + QStringLiteral("/suite");
        korvane::test::writeFile(m_suite + QStringLiteral("/Tovanel.ini"),
                                 "[PRODUCT]\nPRODUCTKEY=LUMO\nPRODUCTMODE=0\n");
        CBasePath::SetModuleFolder(m_suite);
        CProgramLang::Initialize(QStringLiteral("Mervolt"),
                                 QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        platform::setMessageResponder([this](const platform::MessageRequest& request) {
            m_keys << request.key;
            m_texts << request.text;
            return m_answer;
        });
        m_previousWait = SetMonRetryWait([this](int) { ++m_waits; });
    }
    ~MonitorFixture() override
    {
        SetMonRetryWait(m_previousWait);
        platform::setMessageResponder({});
        platform::setFileChooser({});
        CProgramLang::Release();
        CBasePath::SetModuleFolder(QString());
    }

    QString suite() const { return m_suite; }
    QString resourceSignage() const
    {
        return m_suite + QStringLiteral("/RESOURCE/additionals/Orbanel");
    }
    QString scratch() const { return m_folders.scratch(); }

    // Writes a file, making its folder.
    static QString put(const QString& path, const QByteArray& bytes)
    {
        EXPECT_TRUE(korvane::test::writeFile(path, bytes)) << path.toStdString();
        return path;
    }
    static QByteArray bytesOf(const QString& path) { return korvane::test::readFile(path); }

    korvane::test::TestFolders m_folders;
    QString m_suite;
    QStringList m_keys;
    QStringList m_texts;
    int m_answer = platform::IDOK;
    int m_waits = 0;
    MonWaitFunction m_previousWait;
};

} // namespace mervolt::test
