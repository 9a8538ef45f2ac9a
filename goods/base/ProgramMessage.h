#pragma once

#include "platform/MessageBox.h"
#include "shared/lang/CommonMessage.h"
#include "shared/lang/FormatLangText.h"

#include <QString>

#include <initializer_list>

class QWidget;

// A message of a settings program, captioned with the program's title: the
// text of the key in the program's module (then "Sarvik"), or the key itself
// when neither has it, formatted with the arguments (FormatLangText).
// Returns the platform::DialogResult of the answer.
//
// Write the key literal inside the call, e.g.
//   ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
//                      platform::MessageIcon::Error, platform::MessageButtons::Ok, err)
// so that the language-key test can match the text's placeholders against
// the arguments of the call.
//
// A window whose messages carry another caption (the launcher's, with the
// open file or the window's own title) passes a MessageOwner {parent,
// caption} in place of the parent.

int ShowProgramMessageList(const MessageOwner& owner, const QString& key,
                           platform::MessageIcon icon, platform::MessageButtons buttons,
                           std::initializer_list<LangTextArg> args);

template <typename... Args>
int ShowProgramMessage(const MessageOwner& owner, const QString& key, platform::MessageIcon icon,
                       platform::MessageButtons buttons = platform::MessageButtons::Ok,
                       const Args&... args)
{
    return ShowProgramMessageList(owner, key, icon, buttons, {LangTextArg(args)...});
}

// Captioned with the program's title.
MessageOwner ProgramMessageOwner(QWidget* parent);

template <typename... Args>
int ShowProgramMessage(QWidget* parent, const QString& key, platform::MessageIcon icon,
                       platform::MessageButtons buttons = platform::MessageButtons::Ok,
                       const Args&... args)
{
    return ShowProgramMessageList(ProgramMessageOwner(parent), key, icon, buttons,
                                  {LangTextArg(args)...});
}

// A message whose text is put together from more than the key's own text (a
// column's own error text, details appended); the key names it to tests.
// An empty text shows the key's, as ShowProgramMessage does.
int ShowProgramMessageText(const MessageOwner& owner, const QString& key, const QString& text,
                           platform::MessageIcon icon,
                           platform::MessageButtons buttons = platform::MessageButtons::Ok);
int ShowProgramMessageText(QWidget* parent, const QString& key, const QString& text,
                           platform::MessageIcon icon,
                           platform::MessageButtons buttons = platform::MessageButtons::Ok);
