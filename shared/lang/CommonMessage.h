#pragma once

#include "platform/MessageBox.h"
#include "shared/lang/FormatLangText.h"

#include <QString>

#include <initializer_list>

class QWidget;

// Shows a message of the library: the text of the key (LoadCommonString), or
// the key itself when the language file has no text for it, formatted with
// the arguments (FormatLangText). Write the key literal inside the call, as
// for ShowProgramMessage. Returns the platform::DialogResult of the answer.
int ShowCommonMessageList(QWidget* parent, const QString& key, platform::MessageIcon icon,
                          platform::MessageButtons buttons,
                          std::initializer_list<LangTextArg> args);

template <typename... Args>
int ShowCommonMessage(QWidget* parent, const QString& key, platform::MessageIcon icon,
                      platform::MessageButtons buttons = platform::MessageButtons::Ok,
                      const Args&... args)
{
    return ShowCommonMessageList(parent, key, icon, buttons, {LangTextArg(args)...});
}
