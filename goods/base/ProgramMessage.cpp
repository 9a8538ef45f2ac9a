#include "goods/base/ProgramMessage.h"

#include "shared/lang/CProgramLang.h"

#include <QGuiApplication>

int ShowProgramMessageList(QWidget* parent, const QString& key, platform::MessageIcon icon,
                           platform::MessageButtons buttons,
                           std::initializer_list<LangTextArg> args)
{
    return ShowProgramMessageText(parent, key, FormatLangTextList(GetLangString(key), args), icon,
                                  buttons);
}

int ShowProgramMessageText(QWidget* parent, const QString& key, const QString& text,
                           platform::MessageIcon icon, platform::MessageButtons buttons)
{
    platform::MessageRequest request;
    request.parent = parent;
    request.key = key;
    request.text = text.isEmpty() ? GetLangString(key) : text;
    if (request.text.isEmpty())
        request.text = key;
    request.caption = QGuiApplication::applicationDisplayName();
    request.icon = icon;
    request.buttons = buttons;
    return platform::showMessage(request);
}
