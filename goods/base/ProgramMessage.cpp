#include "goods/base/ProgramMessage.h"

#include "shared/lang/CProgramLang.h"

#include <QGuiApplication>

int ShowProgramMessage(QWidget* parent, const QString& key, platform::MessageIcon icon,
                       platform::MessageButtons buttons, const QString& text)
{
    platform::MessageRequest request;
    request.parent = parent;
    request.key = key;
    request.text = text;
    if (request.text.isEmpty())
        request.text = GetLangString(key);
    if (request.text.isEmpty())
        request.text = key;
    request.caption = QGuiApplication::applicationDisplayName();
    request.icon = icon;
    request.buttons = buttons;
    return platform::showMessage(request);
}
