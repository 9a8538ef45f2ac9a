#pragma once

#include "launcher/CTovanelDialog.h"
#include "launcher/CTovanelFileCommands.h"
#include "launcher/CTovanelFileHost.h"
#include "launcher/CTovanelOesCommands.h"
#include "launcher/MenuTables.h"
#include "launcher/Tovanelcmn.h"

#include "archive/CrxFileInfo.h"

#include <QPointer>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

class CBitmapFrame;
class CFunctionButton;
class QAction;
class QMenu;
class QToolButton;

namespace tovanel {

// The launcher's main window: what the three menus share. It shows the menu
// table of its variant, keeps the menu state, the work paths, the open
// archive and its title, offers the window menu (OES take-over, import,
// about) and help, and starts the settings programs. Enter and Escape do
// nothing; End and closing the window end the program.
class CTovanelBaseDlg : public CTovanelDialog,
                        public Tovanelcmn,
                        public CTovanelFileHost,
                        public CTovanelFileCommands,
                        public CTovanelOesCommands
{
    Q_OBJECT
public:
    // Window-menu commands.
    enum SysCommand : int { SC_ABOUTBOX = 16, SC_OESIMPORT = 32, SC_IMPORTCRX = 64 };

    explicit CTovanelBaseDlg(const MenuTable& table, QWidget* parent = nullptr);
    ~CTovanelBaseDlg() override;

    // The command line, handed over before the window is initialised.
    void SetCommandLine(const QString& fileName, const QString& oesArchive, int oesMode,
                        const QString& oesFolder);

    // The menu state: the base stores it, enables the rows for it and, with
    // an archive open, gives the menu's focus button the focus.
    void EnableMenuButtons(int state) override;

    // "CRDS_MSG_APPNAME" (or its OES form) and, unless the auto-version
    // switch says "OFF", the product version.
    QString BuildAppTitle(bool oes) const;
    void UpdateTitle() override;
    // Grows the window until its client area has the menu's minimum size.
    void EnsureMinClientSize();

    const MenuTable& Table() const { return m_table; }
    CFunctionButton* GetFunctionButton(int ctrlId) const;
    QMenu* WindowMenu() const { return m_pWindowMenu; }
    QAction* WindowMenuEntry(int command) const;
    // The import entry is enabled while an archive is open.
    void EnableImportEntry(bool enable) override;

    // What the file commands need of the window.
    QWidget* HostWindow() override { return this; }
    QString ApplicationTitle() override { return m_strAppTitle; }
    QString PlainApplicationTitle() override { return BuildAppTitle(false); }
    int RunNewFileDialog(const QStringList& models) override;

    // Runs a window-menu command.
    virtual void OnSysCommand(int command);
    // Takes chosen tables of another archive into the work database.
    void ImportFromArchive();

    // Work paths.
    QString m_strModelFolderName;
    QString m_strModelResourceFolder;
    QString m_strModelSettingDb;
    QString m_strInitialArchive;

    // File-command state.
    QStringList m_aImportList;
    int m_bImportMenu = 1; // the window menu gets the import entry

protected:
    bool OnInitDialog() override;
    // Enter and Escape leave the window as it is.
    void OnOK() override {}
    void OnCancel() override {}

    // End and closing the window: true ends the program.
    virtual bool CloseCheck();
    // File commands of the menu rows (New, Open, Save, Save as, OES save,
    // selective save).
    virtual void OnFileCommand(int ctrlId);
    // Starts the program of a row: the package rows with the package, the
    // key layout through the chooser, the monitor by the kind of archive.
    virtual void OnProgramButton(const MenuRow& row, CFunctionButton& button);
    // The row's program with its option string, or with "_<package>" added
    // when the row takes the package and the last archive has one.
    void StartProgram(CFunctionButton& button, bool withPackage);

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildTemplate();
    void ArrangeMenu();
    void BuildWindowMenu();
    // Runs a command of a button, the window menu or a key. No exception
    // passes through an event handler: a missing launcher INI ends the
    // command.
    void RunCommand(const std::function<void()>& command);
    void OnRowClicked(const MenuRow& row);
    // The key-layout chooser first: "/KL" or "/FL"; Cancel starts nothing.
    void StartKeyLayoutProgram(CFunctionButton& button);
    // "/B" while a display archive is open, else "/A".
    void StartMonitorProgram(CFunctionButton& button);
    void EndLauncher();

    const MenuTable& m_table;
    std::map<int, CFunctionButton*> m_buttons; // by control id
    std::map<int, CBitmapFrame*> m_frames;
    QToolButton* m_pWindowButton = nullptr;
    QMenu* m_pWindowMenu = nullptr;
};

} // namespace tovanel
