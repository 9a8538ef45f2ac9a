#pragma once

#include "platform/MessageBox.h"
#include "shared/lang/FormatLangText.h"

#include <QString>

#include <initializer_list>

class QWidget;

// Where a message shows: its parent window and its caption; and the
// platform::DialogResult that Return gives (0: the first button), for a
// question whose first answer must not be given by mistake.
struct MessageOwner
{
    QWidget* parent = nullptr;
    QString caption;
    int defaultButton = 0;
};

// Shows a message of the library: the text of the key (LoadCommonString), or
// the key itself when the language file has no text for it, formatted with
// the arguments (FormatLangText). Write the key literal inside the call, as
// for ShowProgramMessage. Captioned with the application's name, or the
// owner's caption. Returns the platform::DialogResult of the answer.
int ShowCommonMessageList(const MessageOwner& owner, const QString& key, platform::MessageIcon icon,
                          platform::MessageButtons buttons,
                          std::initializer_list<LangTextArg> args);
MessageOwner CommonMessageOwner(QWidget* parent);

template <typename... Args>
int ShowCommonMessage(const MessageOwner& owner, const QString& key, platform::MessageIcon icon,
                      platform::MessageButtons buttons = platform::MessageButtons::Ok,
                      const Args&... args)
{
    return ShowCommonMessageList(owner, key, icon, buttons, {LangTextArg(args)...});
}

template <typename... Args>
int ShowCommonMessage(QWidget* parent, const QString& key, platform::MessageIcon icon,
                      platform::MessageButtons buttons = platform::MessageButtons::Ok,
                      const Args&... args)
{
    return ShowCommonMessageList(CommonMessageOwner(parent), key, icon, buttons,
                                 {LangTextArg(args)...});
}
