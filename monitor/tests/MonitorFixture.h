#pragma once

#include "monitor/MediaFileOps.h"
#include "monitor/SignageFolder.h"

#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "shared/config/CBasePath.h"
#include "shared/lang/CProgramLang.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/SuiteFixture.h"
#include "testsupport/TestFolders.h"

#include <QFile>
#include <QStringList>

#include <gtest/gtest.h>

namespace mervolt::test {

// The suite fixture's private folders and program folder (with a launcher
// INI), the program's language texts, a message responder that records
// what it is shown and answers m_answer, and a retry pause that returns at
// once and counts.
class MonitorFixture : public ::testing::Test
{
protected:
    MonitorFixture()
    {
        m_fixture.writeIni("[PRODUCT]\nPRODUCTKEY=LUMO\nPRODUCTMODE=0\n");
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
        platform::setFileChooser({});
        CProgramLang::Release();
    }

    QString suite() const { return m_fixture.programFolder(); }
    QString resourceSignage() const
    {
        return suite() + QStringLiteral("/RESOURCE/additionals/Orbanel");
    }
    QString scratch() const { return m_fixture.folders().scratch(); }
    QString userData() const { return m_fixture.folders().userData(); }

    // Writes a file, making its folder.
    static QString put(const QString& path, const QByteArray& bytes)
    {
        EXPECT_TRUE(korvane::test::writeFile(path, bytes)) << path.toStdString();
        return path;
    }
    static QByteArray bytesOf(const QString& path) { return korvane::test::readFile(path); }

    SuiteFixture m_fixture;
    QStringList m_keys;
    QStringList m_texts;
    int m_answer = platform::IDOK;
    int m_waits = 0;
    MonWaitFunction m_previousWait;
    korvane::test::LayoutWatch m_layout; // every window shown keeps the layout rules
};

} // namespace mervolt::test
