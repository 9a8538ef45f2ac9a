#pragma once

#include "platform/SingleInstance.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class CEcrCmdLineInfo;
class CSarvikDialog;
class QDialog;

// The start-up steps every program of the suite shares. Each program's own
// start-up calls them in its own order, with its own names; only the
// mechanics live here.
class CProgramStartup
{
public:
    // The exit code of a program that ended because the launcher INI is
    // missing or gives no product key (its message has been shown).
    static constexpr int kExitNoIni = 1;

    explicit CProgramStartup(const QString& module);
    ~CProgramStartup();
    CProgramStartup(const CProgramStartup&) = delete;
    CProgramStartup& operator=(const CProgramStartup&) = delete;

    // Runs a program's start-up and returns its exit code. A missing launcher
    // INI, or one without a product key (CUserException, raised after its
    // message), ends it with kExitNoIni. When KORVANE_MESSAGE_LOG names a file, every message box
    // is answered with its first button and its key appended to that file as a line: how the
    // suite's end-to-end tests watch a program.
    static int Run(const std::function<int()>& startup);

    // The program's settings (window placements, switches) live under
    // "Korvane/<product key>/<program>": reads the product key from the
    // launcher INI, so a missing INI, or one without a product key
    // (CBasePath::CheckLauncherIni), shows its message and throws.
    void UseProductProfile();

    // Loads the language texts of the program's module (with "Sarvik" as
    // fallback) from the given file, or from CBasePath::GetLangFilePath; a
    // missing file leaves every text empty, as it always did.
    bool LoadLanguage(const QString& path = QString());

    // Takes the program's one-instance lock; false when another instance of
    // it runs (that one is asked to come to the front when askFront is set).
    bool HoldSingleInstance(const QString& name, bool askFront);
    platform::SingleInstance* Instance() const { return m_instance.get(); }

    // Parses the arguments (without the program name) into the object;
    // returns option 0, the mode key ("" when there is none).
    static QString ParseMode(CEcrCmdLineInfo& cmdInfo, const QStringList& arguments);

    // Runs the dialog modally: its result (IDOK 1, IDCANCEL 2) is the exit code.
    static int RunModal(CSarvikDialog& dialog);
    // Shows the window and runs the event loop until it has finished (hiding
    // it does not end the program: a settings program started from it hides
    // it); returns the window's result.
    static int RunMainWindow(QDialog& window);

    const QString& Module() const { return m_module; }

private:
    QString m_module;
    // Looked up once: it reads the launcher INI and the disk.
    QString m_langFile;
    std::unique_ptr<platform::SingleInstance> m_instance;
};
