#include "platform/MessageBox.h"

#include <QMessageBox>

#include <utility>

namespace platform {

namespace {

MessageResponder& responder()
{
    static MessageResponder instance;
    return instance;
}

QMessageBox::StandardButtons standardButtons(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::StandardButton firstButton(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
        return QMessageBox::Ok;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes;
    case MessageButtons::RetryCancel:
        return QMessageBox::Retry;
    }
    return QMessageBox::Ok;
}

// The suite's result numbers and the buttons that give them.
constexpr std::pair<int, QMessageBox::StandardButton> kResults[] = {
    {IDOK, QMessageBox::Ok},       {IDCANCEL, QMessageBox::Cancel}, {IDABORT, QMessageBox::Abort},
    {IDRETRY, QMessageBox::Retry}, {IDIGNORE, QMessageBox::Ignore}, {IDYES, QMessageBox::Yes},
    {IDNO, QMessageBox::No}};

QMessageBox::StandardButton toStandard(int result)
{
    for (const auto& [id, button] : kResults) {
        if (id == result)
            return button;
    }
    return QMessageBox::NoButton;
}

int toResult(QMessageBox::StandardButton standard)
{
    for (const auto& [id, button] : kResults) {
        if (button == standard)
            return id;
    }
    return 0;
}

QMessageBox::Icon toIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

int showMessage(const MessageRequest& request)
{
    if (responder())
        return responder()(request);

    const QMessageBox::StandardButtons buttons = standardButtons(request.buttons);
    QMessageBox box(toIcon(request.icon), request.caption, request.text, buttons, request.parent);
    QMessageBox::StandardButton defaultButton = toStandard(request.defaultButton);
    if (!(buttons & defaultButton))
        defaultButton = firstButton(request.buttons);
    box.setDefaultButton(defaultButton);
    box.exec();
    if (const int result = toResult(box.standardButton(box.clickedButton())))
        return result;
    // Closed without a button: what Escape means on that box.
    if (buttons & QMessageBox::Cancel)
        return IDCANCEL;
    return request.buttons == MessageButtons::YesNo ? IDNO : IDOK;
}

void setMessageResponder(MessageResponder responder)
{
    platform::responder() = std::move(responder);
}

} // namespace platform
