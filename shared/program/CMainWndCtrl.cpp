#include "shared/program/CMainWndCtrl.h"

#include "shared/config/CBasePath.h"
#include "shared/config/CUserException.h"
#include "shared/program/ForegroundWindow.h"

#include "platform/Registry.h"
#include "platform/SingleInstance.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QVariant>
#include <QWidget>

namespace {

const QString kMainWnd = QStringLiteral("MAINWH");
constexpr const char* kTokenProperty = "mainWndToken";
constexpr const char* kOwnerDrawProperty = "ownerDraw";

// The registry key, or "" when the product key cannot be read: the caller
// may be inside an event handler, where the exception must not pass.
QString rootKey()
{
    try {
        return CBasePath::GetRegistryRootKey();
    } catch (const CUserException&) {
        return {};
    }
}

} // namespace

bool CMainWndCtrl::SetMainWndHandle(quint32 handle)
{
    const QString key = rootKey();
    return !key.isEmpty() && platform::Registry::writeNumber(platform::RegistryHive::CurrentUser,
                                                             key, kMainWnd, handle);
}

quint32 CMainWndCtrl::GetMainWndHandle()
{
    const QString key = rootKey();
    if (key.isEmpty())
        return 0;
    return platform::Registry::readNumber(platform::RegistryHive::CurrentUser, key, kMainWnd)
        .value_or(0);
}

bool CMainWndCtrl::BringMainWndToFront()
{
    const quint32 token = GetMainWndHandle();
    return token != 0 && platform::SingleInstance::bringToFront(token);
}

void CMainWndCtrl::AttachMainWnd(QWidget* window, platform::SingleInstance& instance)
{
    SetWindowToken(window, instance.token());
    QObject::connect(&instance, &platform::SingleInstance::frontRequested, window, [window] {
        // A modal dialog over the window is what the user returns to.
        SetForegroundWindowEx(window, true);
        QWidget* active = GetStartupActiveWindow(window);
        if (active != window)
            SetForegroundWindowEx(active, false);
    });
}

quint32 CMainWndCtrl::GetWindowToken(const QWidget* window)
{
    return window ? window->property(kTokenProperty).toUInt() : 0;
}

void CMainWndCtrl::SetWindowToken(QWidget* window, quint32 token)
{
    if (window)
        window->setProperty(kTokenProperty, token);
}

bool CMainWndCtrl::IsEditWindow(const QWidget* window)
{
    return qobject_cast<const QLineEdit*>(window) || qobject_cast<const QTextEdit*>(window) ||
           qobject_cast<const QPlainTextEdit*>(window);
}

bool CMainWndCtrl::IsEditORComboBox(const QWidget* window)
{
    if (IsEditWindow(window))
        return true;
    // The drop-down list of a combo box is a child of the combo box.
    for (const QWidget* w = window; w; w = w->parentWidget()) {
        if (qobject_cast<const QComboBox*>(w))
            return true;
    }
    return false;
}

bool CMainWndCtrl::IsRadioButton(const QWidget* window)
{
    return qobject_cast<const QRadioButton*>(window) != nullptr;
}

bool CMainWndCtrl::IsOwnerDrawButton(const QWidget* window)
{
    return qobject_cast<const QAbstractButton*>(window) &&
           window->property(kOwnerDrawProperty).toBool();
}

bool CMainWndCtrl::IsPushButton(const QWidget* window)
{
    const auto* button = qobject_cast<const QPushButton*>(window);
    return button && !button->isDefault() && !IsOwnerDrawButton(window);
}

void CMainWndCtrl::SetOwnerDraw(QWidget* button)
{
    if (button)
        button->setProperty(kOwnerDrawProperty, true);
}
