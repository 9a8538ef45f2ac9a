#pragma once

#include "shared/config/CBasePath.h"

#include "platform/MessageBox.h"
#include "testsupport/TestFolders.h"

#include <QStringList>

// Header-only; test programs that use it link the shared library.
// Private XDG folders, a program folder of the test's own (where the launcher
// INI lies) and a message responder that records the keys it is shown.
class SuiteFixture
{
public:
    SuiteFixture()
    {
        m_programFolder = m_folders.scratch() + QStringLiteral("/suite");
        korvane::test::writeFile(m_programFolder + QStringLiteral("/.keep"), {});
        CBasePath::SetModuleFolder(m_programFolder);
        platform::setMessageResponder([this](const platform::MessageRequest& request) {
            m_messages << request.key;
            return int(platform::IDOK);
        });
    }
    ~SuiteFixture()
    {
        platform::setMessageResponder({});
        CBasePath::SetModuleFolder(QString());
    }
    SuiteFixture(const SuiteFixture&) = delete;
    SuiteFixture& operator=(const SuiteFixture&) = delete;

    void writeIni(const QByteArray& text) { korvane::test::writeFile(iniPath(), text); }
    QString iniPath() const { return m_programFolder + QStringLiteral("/Tovanel.ini"); }
    QString programFolder() const { return m_programFolder; }
    const korvane::test::TestFolders& folders() const { return m_folders; }
    QStringList& messages() { return m_messages; }

private:
    korvane::test::TestFolders m_folders;
    QString m_programFolder;
    QStringList m_messages;
};
