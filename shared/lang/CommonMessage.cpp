#include "shared/lang/CommonMessage.h"

#include "shared/lang/CResourceLangDatas.h"

#include <QCoreApplication>

int ShowCommonMessageList(QWidget* parent, const QString& key, platform::MessageIcon icon,
                          platform::MessageButtons buttons, std::initializer_list<LangTextArg> args)
{
    platform::MessageRequest request;
    request.parent = parent;
    request.key = key;
    request.text = FormatLangTextList(LoadCommonString(key), args);
    if (request.text.isEmpty())
        request.text = key;
    request.caption = QCoreApplication::applicationName();
    request.buttons = buttons;
    request.icon = icon;
    return platform::showMessage(request);
}
