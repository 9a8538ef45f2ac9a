#include "goods/base/ProgramMessage.h"

#include "shared/lang/CProgramLang.h"

#include <QGuiApplication>

MessageOwner ProgramMessageOwner(QWidget* parent)
{
    return {parent, QGuiApplication::applicationDisplayName()};
}

int ShowProgramMessageList(const MessageOwner& owner, const QString& key,
                           platform::MessageIcon icon, platform::MessageButtons buttons,
                           std::initializer_list<LangTextArg> args)
{
    return ShowProgramMessageText(owner, key, FormatLangTextList(GetLangString(key), args), icon,
                                  buttons);
}

int ShowProgramMessageText(const MessageOwner& owner, const QString& key, const QString& text,
                           platform::MessageIcon icon, platform::MessageButtons buttons)
{
    platform::MessageRequest request;
    request.parent = owner.parent;
    request.key = key;
    request.text = text.isEmpty() ? GetLangString(key) : text;
    if (request.text.isEmpty())
        request.text = key;
    request.caption = owner.caption;
    request.defaultButton = owner.defaultButton;
    request.icon = icon;
    request.buttons = buttons;
    return platform::showMessage(request);
}

int ShowProgramMessageText(QWidget* parent, const QString& key, const QString& text,
                           platform::MessageIcon icon, platform::MessageButtons buttons)
{
    return ShowProgramMessageText(ProgramMessageOwner(parent), key, text, icon, buttons);
}
