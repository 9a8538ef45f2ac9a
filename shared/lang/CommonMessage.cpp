#include "shared/lang/CommonMessage.h"

#include "shared/lang/CSarvikApp.h"

#include <QCoreApplication>

int ShowCommonMessage(QWidget* parent, const QString& key, platform::MessageIcon icon,
                      platform::MessageButtons buttons, const QString& text)
{
    platform::MessageRequest request;
    request.parent = parent;
    request.key = key;
    request.text = text.isEmpty() ? LoadCommonString(key) : text;
    if (request.text.isEmpty())
        request.text = key;
    request.caption = QCoreApplication::applicationName();
    request.buttons = buttons;
    request.icon = icon;
    return platform::showMessage(request);
}
