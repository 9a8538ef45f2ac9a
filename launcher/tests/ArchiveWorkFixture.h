#pragma once

// A launcher installation of the test's own: private XDG folders, a program
// folder with the suite's "Tovanel.ini", "InstallPath" naming the built suite
// (its RESOURCE folder holds the model templates), the "Tovanel" language
// module, scripted message boxes and file choosers, and a stand-in for the
// main-menu window.

#include "launcher/CTovanelFileHost.h"
#include "shared/config/CBasePath.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "platform/FileChooser.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "stroven/Stroven.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/TestFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>

namespace tovanel::test {

// The main-menu window as the file commands see it.
class FakeHost : public CTovanelFileHost
{
public:
    QWidget* HostWindow() override { return &m_window; }
    QString ApplicationTitle() override { return QStringLiteral("Tovanel"); }
    QString PlainApplicationTitle() override { return QStringLiteral("Tovanel"); }
    void EnableMenuButtons(int state) override { m_nState = state; }
    void UpdateTitle() override { ++m_nTitleUpdates; }
    void EnableImportEntry(bool enable) override { m_bImportEntry = enable; }
    int RunNewFileDialog(const QStringList& models) override
    {
        m_newFileModels = models;
        if (m_strNewModel.isEmpty())
            return platform::IDCANCEL;
        // As the dialog does on OK.
        platform::Registry::writeText(platform::RegistryHive::CurrentUser,
                                      CBasePath::GetRegistryRootKey(), QStringLiteral("REG_TYPE"),
                                      m_strNewModel);
        return platform::IDOK;
    }

    QWidget m_window;
    int m_nState = -1;
    int m_nTitleUpdates = 0;
    bool m_bImportEntry = false;
    QString m_strNewModel; // the new-file dialog's choice; "" = Cancel
    QStringList m_newFileModels;
};

class ArchiveWorkFixture : public testing::Test
{
protected:
    void SetUp() override
    {
        m_strProgramFolder = m_folders.scratch() + QStringLiteral("/suite");
        ASSERT_TRUE(QDir().mkpath(m_strProgramFolder));
        WriteIni(QStringLiteral("STANDARD"));
        CBasePath::SetModuleFolder(m_strProgramFolder);
        ASSERT_TRUE(platform::Registry::writeText(
            platform::RegistryHive::LocalMachine, CBasePath::GetRegistryRootKey(),
            QStringLiteral("InstallPath"), QStringLiteral(KORVANE_SUITE_DIR)));
        ASSERT_TRUE(CProgramLang::Initialize(QStringLiteral("Tovanel"),
                                             QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml")));
        // The library's own texts, as a program's start-up names them.
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(CBasePath::GetLangFilePath()));
        platform::setMessageResponder([this](const platform::MessageRequest& request) {
            m_messages << request;
            if (m_answers.empty())
                return int(platform::IDOK);
            const int answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
        platform::setFileChooser([this](const platform::FileChoice& choice) {
            m_choices << choice;
            if (m_chosen.empty())
                return QString();
            const QString path = m_chosen.front();
            m_chosen.pop_front();
            return path;
        });
    }

    void TearDown() override
    {
        platform::setMessageResponder({});
        platform::setFileChooser({});
        CSarvikApp::Instance().ReleaseLangDatas();
        CBasePath::SetModuleFolder(QString());
    }

    // The suite's launcher INI with another system type.
    void WriteIni(const QString& system)
    {
        QFile source(QStringLiteral(KORVANE_SOURCE_DIR "/resources/Tovanel.ini"));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly));
        QByteArray ini = source.readAll();
        ini.replace("SYSTEM=STANDARD", "SYSTEM=" + system.toUtf8());
        ASSERT_TRUE(
            korvane::test::writeFile(m_strProgramFolder + QStringLiteral("/Tovanel.ini"), ini));
    }

    QString Scratch(const QString& name) const { return m_folders.scratch() + u'/' + name; }

    // A copy of the sample archive under the given name.
    QString CopySample(const QString& name) const
    {
        const QString path = Scratch(name);
        QFile::remove(path);
        EXPECT_TRUE(
            QFile::copy(QStringLiteral(KORVANE_SOURCE_DIR "/resources/samples/sample.crx"), path));
        return path;
    }

    static QString LocalDataFolder() { return CBasePath::GetLocalTemporaryPath(); }
    static QString WorkDb() { return LocalDataFolder() + QStringLiteral("/SETTING.DB"); }
    static QString ModelArchive(const QString& name)
    {
        return QStringLiteral(KORVANE_SUITE_DIR "/RESOURCE/Lumo500/") + name;
    }

    static QString RegType()
    {
        return platform::Registry::readText(platform::RegistryHive::CurrentUser,
                                            CBasePath::GetRegistryRootKey(),
                                            QStringLiteral("REG_TYPE"))
            .value_or(QStringLiteral("<none>"));
    }

    // Rows of a table of a database file, each as its values.
    static QList<QStringList> Rows(const QString& db, const QString& table,
                                   const QStringList& columns = {})
    {
        CSQliteDB connection;
        QList<QStringList> rows;
        if (connection.OpenDB(db) != 0)
            return rows;
        {
            CSQliteSQL sql(connection, table);
            int status = 0;
            if (sql.SetSQLForRead(columns, QString(), QString(), 0) == 0) {
                if (CSQRowArray* batch = sql.ExecReadNext(status))
                    for (const QStringList* row : std::as_const(*batch))
                        rows << *row;
            }
        }
        connection.CloseDB();
        return rows;
    }

    // The blob of one row, written out by the database layer.
    QByteArray Blob(const QString& db, const QString& table, const QString& column,
                    const QString& where, const QString& key) const
    {
        const QString file = Scratch(QStringLiteral("blob.out"));
        QFile::remove(file);
        CSQliteDB connection;
        if (connection.OpenDB(db) != 0)
            return {};
        {
            CSQliteSQL sql(connection, table);
            EXPECT_EQ(sql.SetSQLForBlobRead({column}, where), 0);
            EXPECT_EQ(sql.ExecBlobRead({key}, {file}), 0);
        }
        connection.CloseDB();
        return korvane::test::readFile(file);
    }

    static void Exec(const QString& db, const QString& statement)
    {
        CSQliteDB connection;
        ASSERT_EQ(connection.OpenDB(db), 0);
        {
            CSQliteSQL sql(connection, QString());
            ASSERT_EQ(sql.ExecSQL(statement), 0) << statement.toStdString();
        }
        connection.CloseDB();
    }

    // Runs GNU tar; its standard output.
    static QByteArray Tar(const QStringList& arguments, const QString& folder = QString())
    {
        QProcess tar;
        if (!folder.isEmpty())
            tar.setWorkingDirectory(folder);
        tar.start(QStringLiteral("tar"), arguments);
        EXPECT_TRUE(tar.waitForFinished(30000));
        EXPECT_EQ(tar.exitCode(), 0) << tar.readAllStandardError().toStdString();
        return tar.readAllStandardOutput();
    }

    // Shows a created menu window and waits until the Open it runs at start
    // (and what that Open offers) has ended.
    template <class Menu> static void ShowAndWaitForFirstOpen(Menu& menu)
    {
        menu.show();
        QElapsedTimer clock;
        clock.start();
        while (menu.m_nOpenCount == 0 && clock.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }

    QStringList MessageKeys() const
    {
        QStringList keys;
        for (const platform::MessageRequest& request : m_messages)
            keys << request.key;
        return keys;
    }

    korvane::test::TestFolders m_folders;
    QString m_strProgramFolder;
    QList<platform::MessageRequest> m_messages;
    std::deque<int> m_answers;
    QList<platform::FileChoice> m_choices;
    std::deque<QString> m_chosen;
    korvane::test::LayoutWatch m_layout; // every window shown keeps the layout rules
};

} // namespace tovanel::test
