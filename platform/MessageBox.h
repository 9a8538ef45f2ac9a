#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace platform {

// Dialog results as the suite has always numbered them.
enum DialogResult : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7
};

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageIcon { None, Information, Warning, Error, Question };

struct MessageRequest
{
    QWidget* parent = nullptr;
    QString key;  // language key of the text ("" when the text has none)
    QString text; // the text shown
    QString caption;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    int defaultButton = 0; // a DialogResult, 0 = the first button
};

// Every message box of the suite goes through here. Returns a DialogResult.
int showMessage(const MessageRequest& request);

// Tests install a responder that sees each request and answers in place of
// the user; an empty function restores the real message box.
using MessageResponder = std::function<int(const MessageRequest&)>;
void setMessageResponder(MessageResponder responder);

} // namespace platform
