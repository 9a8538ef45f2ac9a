#include "shared/program/CProgramStartup.h"

#include "shared/config/CBasePath.h"
#include "shared/config/CEcrCmdLineInfo.h"
#include "shared/config/CUserException.h"
#include "shared/dialogs/CSarvikDialog.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"

#include "platform/MessageBox.h"

#include <QApplication>
#include <QDialog>
#include <QFile>

namespace {

// First button of a message, as a user pressing Return would answer.
int firstAnswer(platform::MessageButtons buttons)
{
    switch (buttons) {
    case platform::MessageButtons::YesNo:
    case platform::MessageButtons::YesNoCancel:
        return platform::IDYES;
    case platform::MessageButtons::RetryCancel:
        return platform::IDRETRY;
    case platform::MessageButtons::Ok:
    case platform::MessageButtons::OkCancel:
        break;
    }
    return platform::IDOK;
}

void installMessageLog()
{
    const QString log = qEnvironmentVariable("KORVANE_MESSAGE_LOG");
    if (log.isEmpty())
        return;
    platform::setMessageResponder([log](const platform::MessageRequest& request) {
        QFile file(log);
        if (file.open(QIODevice::Append)) {
            const QString line = request.key.isEmpty() ? request.text : request.key;
            file.write(line.toUtf8() + '\n');
        }
        return request.defaultButton != 0 ? request.defaultButton : firstAnswer(request.buttons);
    });
}

} // namespace

CProgramStartup::CProgramStartup(const QString& module)
    : m_module(module), m_langFile(CBasePath::GetLangFilePath())
{
    // The library's texts load on their first use, which may be the message
    // of a missing launcher INI: the file is named before anything can show.
    CSarvikApp::Instance().SetLangFilePath(m_langFile);
}

CProgramStartup::~CProgramStartup()
{
    CProgramLang::Release();
}

int CProgramStartup::Run(const std::function<int()>& startup)
{
    installMessageLog();
    try {
        return startup();
    } catch (const CUserException&) {
        return kExitNoIni;
    }
}

void CProgramStartup::UseProductProfile()
{
    CBasePath::CheckLauncherIni();
    QCoreApplication::setOrganizationName(CBasePath::GetProductLocalPath());
    QCoreApplication::setApplicationName(m_module);
}

bool CProgramStartup::LoadLanguage(const QString& path)
{
    return CProgramLang::Initialize(m_module, path.isEmpty() ? m_langFile : path);
}

bool CProgramStartup::HoldSingleInstance(const QString& name, bool askFront)
{
    auto instance = std::make_unique<platform::SingleInstance>(name);
    if (!instance->acquire()) {
        if (askFront)
            instance->askFirstToFront();
        return false;
    }
    m_instance = std::move(instance);
    return true;
}

QString CProgramStartup::ParseMode(CEcrCmdLineInfo& cmdInfo, const QStringList& arguments)
{
    cmdInfo.ParseArguments(arguments);
    return cmdInfo.GetOptionAt(0);
}

int CProgramStartup::RunModal(CSarvikDialog& dialog)
{
    return dialog.DoModal();
}

int CProgramStartup::RunMainWindow(QDialog& window)
{
    // A window hidden while a settings program runs is not a closed one: the
    // program ends when the window has finished, never on its own.
    QApplication::setQuitOnLastWindowClosed(false);
    const QMetaObject::Connection finished = QObject::connect(
        &window, &QDialog::finished, qApp, [](int code) { QCoreApplication::exit(code); });
    window.show();
    const int result = QApplication::exec();
    QObject::disconnect(finished);
    return result;
}
