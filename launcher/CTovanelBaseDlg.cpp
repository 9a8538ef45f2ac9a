#include "launcher/CTovanelBaseDlg.h"

#include "launcher/CAboutDlg.h"
#include "launcher/CNewFileDlg.h"
#include "launcher/CSelectKeyLayoutDlg.h"
#include "launcher/CSelectiveSaveCommand.h"
#include "launcher/CTableImportCommand.h"
#include "launcher/TovanelStrings.h"

#include "shared/config/CBasePath.h"
#include "shared/config/CEcrInfo.h"
#include "shared/config/CHelpMgr.h"
#include "shared/config/CUserException.h"
#include "shared/controls/CBitmapFrame.h"
#include "shared/controls/CFunctionButton.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/CProgramLang.h"

#include "platform/MessageBox.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

// Resources of a static library are registered by hand.
static void InitTovanelResources()
{
    Q_INIT_RESOURCE(Tovanel);
}

namespace tovanel {

namespace {

// The picture of a frame: a rounded outline under the frame's label, which
// is drawn into it (at y 8, about 20 px tall with its descenders). Opaque,
// as the label drawing needs.
QPixmap FramePicture(const QSize& size)
{
    constexpr int kOutlineTop = 30;
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(236, 240, 246));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 110, 140), 2));
    painter.setBrush(QColor(250, 251, 253));
    painter.drawRoundedRect(
        QRectF(1, kOutlineTop, size.width() - 2, size.height() - kOutlineTop - 1), 8, 8);
    return QPixmap::fromImage(image);
}

constexpr int kWindowButtonSize = 22;

} // namespace

CTovanelBaseDlg::CTovanelBaseDlg(const MenuTable& table, QWidget* parent)
    : CTovanelDialog(parent), CTovanelFileCommands(static_cast<CTovanelFileHost&>(*this)),
      CTovanelOesCommands(*this, *this, *this), m_table(table)
{
    InitTovanelResources();
    // Until an archive has been read or a model chosen, no model is current.
    CEcrInfo::SetCurrentEcrType(QString());
    m_strAppTitle = BuildAppTitle(false);

    m_strModelFolderName = strings::kModelFolder;
    m_strModelResourceFolder = CBasePath::GetRegisterBasePath(m_strModelFolderName);
    m_strModelSettingDb = m_strModelResourceFolder + u'/' + CBasePath::GetStrSettingDB();
    m_strInitialArchive = m_strModelResourceFolder + u'/' + CBasePath::GetStrSettingCRX();

    setWindowIcon(QIcon(QStringLiteral(":/launcher/icon.png")));
    resize(m_table.windowSize);
    BuildTemplate();
}

CTovanelBaseDlg::~CTovanelBaseDlg() = default;

void CTovanelBaseDlg::SetCommandLine(const QString& fileName, const QString& oesArchive,
                                     int oesMode, const QString& oesFolder)
{
    m_strCmdFileName = fileName;
    m_strOesArchivePath = oesArchive;
    m_nOesMode = oesMode;
    m_strOesDataFolder = oesFolder;
}

void CTovanelBaseDlg::BuildTemplate()
{
    // The template: every button control of every menu, hidden until a menu
    // lists it; the menu's frames; the hidden button.
    setWindowTitle(m_table.captionKey);
    for (const TemplateButton& control : TemplateButtons()) {
        auto* placeholder = new QPushButton(QLatin1String(control.text), this);
        SetControlId(placeholder, uint(control.nCtrlId));
        placeholder->hide();
    }
    auto* hidden = new QPushButton(this);
    SetControlId(hidden, IDC_HIDDEN);
    hidden->hide();
    for (const MenuFrame& frame : m_table.frames) {
        auto* label = new CBitmapFrame(this);
        SetControlId(label, uint(frame.nCtrlId));
        label->setPixmap(FramePicture(frame.size));
        label->setGeometry(QRect(QPoint(frame.x, frame.y), frame.size));
        m_frames[frame.nCtrlId] = label;
    }
    m_pWindowButton = new QToolButton(this);
    m_pWindowButton->setAutoRaise(true);
    m_pWindowButton->setArrowType(Qt::DownArrow);
    m_pWindowButton->setPopupMode(QToolButton::InstantPopup);
    // The arrow is the whole button: no second menu arrow beside it.
    m_pWindowButton->setStyleSheet(QStringLiteral("QToolButton::menu-indicator { image: none; }"));
    m_pWindowButton->setFocusPolicy(Qt::NoFocus);
    m_pWindowMenu = new QMenu(m_pWindowButton);
    m_pWindowButton->setMenu(m_pWindowMenu);
}

bool CTovanelBaseDlg::OnInitDialog()
{
    CTovanelDialog::OnInitDialog();
    BuildWindowMenu();
    ArrangeMenu();
    EnsureMinClientSize();
    // Without the chooser the key-layout program always opens the editor.
    if (CFunctionButton* keyLayout = GetFunctionButton(IDC_KEYLAYOUT);
        keyLayout && !m_table.keyLayoutChooser)
        keyLayout->m_strOption = QStringLiteral("/KL");
    // File Open runs as soon as the window is up.
    if (CFunctionButton* open = GetFunctionButton(IDC_OPEN))
        QTimer::singleShot(0, open, [open] { open->click(); });
    if (m_nOesMode && m_table.oesTitle)
        m_strAppTitle = BuildAppTitle(true);
    UpdateTitle();
    return true;
}

void CTovanelBaseDlg::BuildWindowMenu()
{
    const auto add = [this](const QString& key, int command, bool keepEmpty) {
        const QString text = GetLangString(key);
        if (text.isEmpty() && !keepEmpty)
            return;
        m_pWindowMenu->addSeparator();
        QAction* action = m_pWindowMenu->addAction(text);
        action->setData(command);
        connect(action, &QAction::triggered, this,
                [this, command] { RunCommand([this, command] { OnSysCommand(command); }); });
    };
    if (m_nOesMode)
        add(QStringLiteral("CRDS_OESIMPORT"), SC_OESIMPORT, false);
    if (m_bImportMenu && m_table.importEntry) {
        add(QStringLiteral("CRDS_IMPORTCRX"), SC_IMPORTCRX, true);
        EnableImportEntry(false);
    }
    add(QStringLiteral("CRDS_ABOUTBOX"), SC_ABOUTBOX, false);
}

void CTovanelBaseDlg::ArrangeMenu()
{
    for (const MenuFrame& frame : m_table.frames) {
        CBitmapFrame* label = m_frames.at(frame.nCtrlId);
        label->move(frame.x, frame.y);
        label->show();
        label->SetFrameText(frame.strLabelKey);
    }
    for (const MenuRow& row : m_table.rows) {
        auto* button = new CFunctionButton(this);
        if (!button->CreateEx(row.button, this)) {
            delete button;
            continue;
        }
        m_buttons[row.button.nCtrlId] = button;
        button->move(row.x, row.y);
        button->setVisible(row.x != 0 && row.y != 0);
        button->setEnabled(row.enable[0] != 0);
        connect(button, &QAbstractButton::clicked, this,
                [this, &row] { RunCommand([this, &row] { OnRowClicked(row); }); });
    }
    if (QWidget* hidden = FindControlById(this, IDC_HIDDEN))
        hidden->hide();
}

CFunctionButton* CTovanelBaseDlg::GetFunctionButton(int ctrlId) const
{
    const auto it = m_buttons.find(ctrlId);
    return it == m_buttons.end() ? nullptr : it->second;
}

QAction* CTovanelBaseDlg::WindowMenuEntry(int command) const
{
    for (QAction* action : m_pWindowMenu->actions()) {
        if (!action->isSeparator() && action->data().toInt() == command)
            return action;
    }
    return nullptr;
}

void CTovanelBaseDlg::EnableImportEntry(bool enable)
{
    if (QAction* entry = WindowMenuEntry(SC_IMPORTCRX))
        entry->setEnabled(enable);
}

void CTovanelBaseDlg::EnableMenuButtons(int state)
{
    Tovanelcmn::EnableMenuButtons(state);
    if (state < 0 || state > 3)
        return;
    for (const MenuRow& row : m_table.rows) {
        if (CFunctionButton* button = GetFunctionButton(row.button.nCtrlId))
            button->setEnabled(row.enable[size_t(state)] != 0);
    }
    if (state == MENU_OPEN)
        if (CFunctionButton* button = GetFunctionButton(m_table.focusWhenOpen))
            button->setFocus();
}

QString CTovanelBaseDlg::BuildAppTitle(bool oes) const
{
    QString title = GetLangString(oes ? QStringLiteral("CRDS_MSG_APPNAME_OES")
                                      : QStringLiteral("CRDS_MSG_APPNAME"));
    const QString autoVersion = GetLangString(QStringLiteral("CRSS_MSG_SWITCH_AUTOVERSION"));
    if (autoVersion.compare(strings::kAutoVersionOff, Qt::CaseInsensitive) != 0)
        title += CBasePath::GetProductVersion();
    return title;
}

void CTovanelBaseDlg::UpdateTitle()
{
    const QString& app = m_strAppTitle;
    const QString model = CEcrInfo::GetCurrentEcrTypeFromIni(CEcrInfo::GetCurrentEcrType(), 3);
    const QString sep = QStringLiteral(" - ");
    QString title;
    if (m_nOesMode) {
        switch (m_nTitleKind) {
        case 0:
            title = app + sep + GetLangString(QStringLiteral("CRDS_TXT_OESSETDATA")) + u' ' + model;
            break;
        case 1:
            title = app + sep + GetLangString(QStringLiteral("CRDS_TXT_OESSETCHANGE")) +
                    QStringLiteral(" : ") + GetLangString(QStringLiteral("CRDS_MSG_NEW")) + u' ' +
                    model;
            break;
        case 2:
            title = app + sep + GetLangString(QStringLiteral("CRDS_TXT_OESSETCHANGE")) +
                    QStringLiteral(" : ") + m_strCurFileName + u' ' + model;
            break;
        default:
            title = app + u' ' + model;
            break;
        }
    } else if (GetState() != MENU_NOFILE) {
        const QString file = m_strCurFileName.isEmpty()
                                 ? GetLangString(QStringLiteral("CRDS_MSG_NEW"))
                                 : m_strCurFileName;
        title = file + sep + app + u' ' + model;
    } else {
        title = app + u' ' + model;
    }
    setWindowTitle(title);
}

void CTovanelBaseDlg::EnsureMinClientSize()
{
    const QSize& minimum = m_table.minClientSize;
    if (minimum.isEmpty())
        return;
    if (width() < minimum.width())
        resize(minimum.width(), height());
    if (height() < minimum.height())
        resize(width(), minimum.height());
}

void CTovanelBaseDlg::OnSysCommand(int command)
{
    switch (command) {
    case SC_ABOUTBOX: {
        CAboutDlg about(this);
        about.DoModal();
        break;
    }
    case SC_OESIMPORT:
        if (m_nOesMode)
            RunOesImport(0);
        break;
    case SC_IMPORTCRX:
        ImportFromArchive();
        break;
    default:
        break;
    }
}

void CTovanelBaseDlg::ImportFromArchive()
{
    CTableImportCommand(*this, *this).ImportFromArchive(m_aImportList);
}

void CTovanelBaseDlg::RunCommand(const std::function<void()>& command)
{
    try {
        command();
    } catch (const CUserException&) {
        // The launcher INI went missing: its message has been shown, the
        // command stops there and the window stays.
    }
}

void CTovanelBaseDlg::OnRowClicked(const MenuRow& row)
{
    const int id = row.button.nCtrlId;
    switch (id) {
    case IDC_HELP:
        CHelpMgr::ShowHelpToolManual(this);
        return;
    case IDC_END:
        EndLauncher();
        return;
    case IDC_NEW:
    case IDC_OPEN:
    case IDC_SAVE:
    case IDC_SAVEAS:
    case IDC_OESSAVE:
    case IDC_SELSAVE:
        OnFileCommand(id);
        return;
    default:
        break;
    }
    if (CFunctionButton* button = GetFunctionButton(id))
        OnProgramButton(row, *button);
}

void CTovanelBaseDlg::OnFileCommand(int ctrlId)
{
    switch (ctrlId) {
    case IDC_NEW:
        FileNew();
        break;
    case IDC_OPEN:
        if (m_nOesMode && m_nOpenCount == 0) {
            // The launcher exists for the OES archive alone.
            if (!OesOpen(m_strInitialArchive))
                EndDialog(platform::IDOK);
        } else {
            FileOpen();
        }
        break;
    case IDC_SAVE:
        FileSave();
        break;
    case IDC_SAVEAS:
        FileSaveAs();
        break;
    case IDC_OESSAVE:
        OesSave();
        break;
    case IDC_SELSAVE:
        CSelectiveSaveCommand(*this, *this).SelectiveSave();
        break;
    default:
        break;
    }
}

int CTovanelBaseDlg::RunNewFileDialog(const QStringList& models)
{
    CNewFileDlg dialog(this);
    dialog.m_pEcrList = &models;
    return dialog.DoModal();
}

void CTovanelBaseDlg::OnProgramButton(const MenuRow& row, CFunctionButton& button)
{
    const int id = row.button.nCtrlId;
    if (id == IDC_KEYLAYOUT && m_table.keyLayoutChooser) {
        StartKeyLayoutProgram(button);
    } else if (id == IDC_MONITOR) {
        StartMonitorProgram(button);
    } else {
        const auto& package = m_table.packageRows;
        StartProgram(button, std::find(package.begin(), package.end(), id) != package.end());
    }
}

void CTovanelBaseDlg::StartProgram(CFunctionButton& button, bool withPackage)
{
    if (withPackage && !m_crxHeader.package.isEmpty())
        button.ExecuteChildProcessRegPackage(m_strAppTitle, m_crxHeader.package);
    else
        button.ExecuteChildProcess(m_strAppTitle);
}

void CTovanelBaseDlg::StartKeyLayoutProgram(CFunctionButton& button)
{
    CSelectKeyLayoutDlg chooser(this);
    if (chooser.DoModal() != platform::IDOK)
        return;
    button.m_strOption = chooser.m_nChoice == 1 ? QStringLiteral("/KL") : QStringLiteral("/FL");
    StartProgram(button, false);
}

void CTovanelBaseDlg::StartMonitorProgram(CFunctionButton& button)
{
    button.m_strOption = m_bDispArchive ? QStringLiteral("/B") : QStringLiteral("/A");
    StartProgram(button, false);
}

bool CTovanelBaseDlg::CloseCheck()
{
    return m_nOesMode ? OesCloseCheck() : PromptSaveIfModified();
}

void CTovanelBaseDlg::EndLauncher()
{
    if (CloseCheck())
        EndDialog(platform::IDOK);
}

void CTovanelBaseDlg::closeEvent(QCloseEvent* event)
{
    event->ignore();
    // The question to save may run a save, which reads the launcher INI.
    RunCommand([this] { EndLauncher(); });
}

void CTovanelBaseDlg::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F1) {
        RunCommand([this] { CHelpMgr::ShowHelpToolManual(this); });
        return;
    }
    CTovanelDialog::keyPressEvent(event);
}

void CTovanelBaseDlg::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QBrush(QPixmap(QStringLiteral(":/launcher/background.png"))));
}

void CTovanelBaseDlg::resizeEvent(QResizeEvent* event)
{
    CTovanelDialog::resizeEvent(event);
    m_pWindowButton->setGeometry(width() - kWindowButtonSize - 2, 2, kWindowButtonSize,
                                 kWindowButtonSize);
}

} // namespace tovanel
