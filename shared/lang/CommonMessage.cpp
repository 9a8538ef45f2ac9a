#include "shared/lang/CommonMessage.h"

#include "shared/lang/CSarvikApp.h"

#include <QCoreApplication>

MessageOwner CommonMessageOwner(QWidget* parent)
{
    return {parent, QCoreApplication::applicationName()};
}

int ShowCommonMessageList(const MessageOwner& owner, const QString& key, platform::MessageIcon icon,
                          platform::MessageButtons buttons, std::initializer_list<LangTextArg> args)
{
    platform::MessageRequest request;
    request.parent = owner.parent;
    request.key = key;
    request.text = FormatLangTextList(LoadCommonString(key), args);
    if (request.text.isEmpty())
        request.text = key;
    request.caption = owner.caption;
    request.defaultButton = owner.defaultButton;
    request.buttons = buttons;
    request.icon = icon;
    return platform::showMessage(request);
}
